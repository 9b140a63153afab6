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

# The icon group (resource type 14): a directory of four entries, 14 bytes
# each, among them the 32 x 32, 8-bit (256-colour) one that the program file
# must carry.
file(READ "${RES_FILE}" contents HEX)
string(FIND "${contents}" "000001000400" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no icon group of four entries in ${RES_FILE}")
endif()
math(EXPR entries_at "${at} + 12")
string(SUBSTRING "${contents}" ${entries_at} 112 entries)
set(found FALSE)
foreach(entry RANGE 0 3)
  math(EXPR entry_at "${entry} * 28")
  string(SUBSTRING "${entries}" ${entry_at} 16 fields)
  if(fields STREQUAL "2020000001000800")
    set(found TRUE)
  endif()
endforeach()
if(NOT found)
  message(FATAL_ERROR "no 32 x 32, 8-bit icon entry in the icon group of ${RES_FILE}")
endif()
