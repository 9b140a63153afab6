# Renders the SVG sources into OUTPUT as regenerate_assets does and compares
# every committed render with the fresh one, pixel by pixel. A small tolerance
# lets another librsvg round the edges its own way; an edited drawing moves
# whole edges and fails. Skipped when the drawing tools are not installed.
foreach(tool RSVG_CONVERT IMAGEMAGICK COMPARE ICOTOOL)
  if(NOT ${tool})
    message("SKIPPED: rsvg-convert, ImageMagick's convert and compare, or icotool not found; "
      "install librsvg2-bin, imagemagick and icoutils to compare the committed pictures with "
      "their SVG sources")
    return()
  endif()
endforeach()

file(REMOVE_RECURSE "${OUTPUT}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -D "APP_ID=${APP_ID}" -D "SOURCE=${SOURCE}" -D "OUTPUT=${OUTPUT}"
    -D "RSVG_CONVERT=${RSVG_CONVERT}" -D "IMAGEMAGICK=${IMAGEMAGICK}" -D "ICOTOOL=${ICOTOOL}"
    -P "${SOURCE}/render_assets.cmake"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "rendering the SVG sources failed")
endif()

file(GLOB_RECURSE rendered RELATIVE "${OUTPUT}" "${OUTPUT}/*")
set(pictures)
foreach(file IN LISTS rendered)
  if(file MATCHES "\\.ico$")
    # Every entry of the icon, by its index.
    execute_process(COMMAND "${ICOTOOL}" --list "${OUTPUT}/${file}"
      OUTPUT_VARIABLE entries COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "--index=[0-9]+" indices "${entries}")
    foreach(index IN LISTS indices)
      string(REPLACE "--index=" "" index "${index}")
      math(EXPR frame "${index} - 1")
      list(APPEND pictures "${file}[${frame}]")
    endforeach()
  else()
    list(APPEND pictures "${file}")
  endif()
endforeach()

set(failures 0)
foreach(picture IN LISTS pictures)
  # compare prints the number of pixels that differ by more than the fuzz.
  execute_process(
    COMMAND "${COMPARE}" -metric AE -fuzz 3% "${SOURCE}/${picture}" "${OUTPUT}/${picture}" null:
    RESULT_VARIABLE status ERROR_VARIABLE differing OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message("${picture}: ${differing} pixels differ from the SVG's render")
    math(EXPR failures "${failures} + 1")
  else()
    message("${picture}: as rendered")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} committed pictures do not match their SVG sources; run the "
    "regenerate_assets target and commit the result")
endif()
