# Renders the committed pictures from their SVG sources with Debian's tools:
#
#   cmake -D APP_ID=<id> -D SOURCE=<assets folder> -D OUTPUT=<folder> -D RSVG_CONVERT=<path>
#         -D IMAGEMAGICK=<path> -D ICOTOOL=<path> -P render_assets.cmake
#
# OUTPUT receives the same layout as SOURCE: LCD.BMP, the hicolor PNG icons and
# icons/plinthar.ico. rsvg-convert gives the same pixels run after run, and
# none of the three writers stores a date, so an unchanged SVG renders to
# unchanged files.
cmake_minimum_required(VERSION 3.25)

foreach(variable APP_ID SOURCE OUTPUT)
  if(NOT ${variable})
    message(FATAL_ERROR "render_assets.cmake needs -D ${variable}=...")
  endif()
endforeach()
foreach(tool RSVG_CONVERT IMAGEMAGICK ICOTOOL)
  if(NOT ${tool})
    message(FATAL_ERROR "rendering the pictures needs rsvg-convert (librsvg2-bin), "
      "ImageMagick's convert (imagemagick) and icotool (icoutils); ${tool} was not found")
  endif()
endforeach()

set(icon_svg "${SOURCE}/icons/hicolor/scalable/apps/${APP_ID}.svg")
set(icon_sizes 16 22 24 32 48 64 128 256)
set(scratch "${OUTPUT}/.render")
file(MAKE_DIRECTORY "${scratch}")

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    list(JOIN ARGV " " command)
    message(FATAL_ERROR "failed (${status}): ${command}")
  endif()
endfunction()

foreach(size IN LISTS icon_sizes)
  set(folder "${OUTPUT}/icons/hicolor/${size}x${size}/apps")
  file(MAKE_DIRECTORY "${folder}")
  run("${RSVG_CONVERT}" --width=${size} --height=${size} --output "${folder}/${APP_ID}.png"
    "${icon_svg}")
endforeach()

# LCD.BMP: 8 bits a pixel with a colour table, uncompressed (without
# -compress none ImageMagick writes RLE8, which the program refuses), on white.
run("${RSVG_CONVERT}" --output "${scratch}/LCD.png" "${SOURCE}/LCD.svg")
run("${IMAGEMAGICK}" "${scratch}/LCD.png" -background white -alpha remove -alpha off
  -type Palette -compress none "BMP3:${OUTPUT}/LCD.BMP")

# The Windows icon. Its 32 x 32 entry keeps to 256 colours, which the program
# file must carry; such an entry has a 1-bit mask instead of an alpha channel,
# so the edges are cut at half coverage first. The other sizes keep their
# alpha, and the 256 px entry is stored as PNG, as Windows reads it.
set(png "${OUTPUT}/icons/hicolor/SIZExSIZE/apps/${APP_ID}.png")
string(REPLACE "SIZE" "32" png32 "${png}")
run("${IMAGEMAGICK}" "${png32}" -channel A -threshold 50% +channel "PNG32:${scratch}/cut-32.png")
string(REPLACE "SIZE" "16" png16 "${png}")
string(REPLACE "SIZE" "48" png48 "${png}")
string(REPLACE "SIZE" "256" png256 "${png}")
run("${ICOTOOL}" --create --output "${OUTPUT}/icons/plinthar.ico"
  --bit-depth=32 "${png16}"
  --bit-depth=8 "${scratch}/cut-32.png"
  --bit-depth=32 "${png48}"
  "--raw=${png256}")

file(REMOVE_RECURSE "${scratch}")
