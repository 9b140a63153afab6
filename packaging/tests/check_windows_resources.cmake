# Compiles the program file's resources with the MinGW resource compiler (no
# Windows machine at hand) and checks that the version record made it in.
execute_process(
  COMMAND "${WINDRES}" --preprocessor=cpp "${RC_FILE}" -O coff -o "${RES_FILE}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "windres failed on ${RC_FILE}")
endif()

# Version strings are stored as UTF-16LE: interleave each ASCII byte with 00.
function(expect_utf16 text)
  string(HEX "${text}" hex)
  string(REGEX REPLACE "(..)" "\\100" utf16 "${hex}")
  file(READ "${RES_FILE}" contents HEX)
  string(FIND "${contents}" "${utf16}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "\"${text}\" is missing from ${RES_FILE}")
  endif()
endfunction()

foreach(text ProductName ProductVersion FileVersion StringFileInfo "${VERSION_TEXT}"
             "${PRODUCT_NAME}")
  expect_utf16("${text}")
endforeach()

# The 32 x 32, 256-colour icon: an icon directory resource (type 14) with one
# entry of 32 x 32 pixels at 8 bits per pixel.
file(READ "${RES_FILE}" contents HEX)
string(FIND "${contents}" "0000010001002020000001000800" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no 32 x 32, 8-bit icon group in ${RES_FILE}")
endif()
