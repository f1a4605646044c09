# cmake -DSOURCE=<src/web> -DDESCRIPTION=<src/window/description.h>
#       -DICONS=<data/icons> -DICON_SIZES=<32;48;...>
#       -DSITE=<build-web/site> -P site.cmake
# Puts the page's own files and its icons beside the module already linked
# into SITE, and stamps the build into index.html and sw.js: a hash over
# everything else the page loads and over those two files' templates, so
# that a browser can tell one build from the next and never mix them.
cmake_minimum_required(VERSION 3.25)

set(content zorvane.js zorvane.wasm zorvane.css manifest.webmanifest)
file(COPY_FILE ${SOURCE}/zorvane.css ${SITE}/zorvane.css ONLY_IF_DIFFERENT)
# The app's splash is the board's background, as the game's window
# description gives it.
file(STRINGS ${DESCRIPTION} background REGEX "Rgb background\\{")
if(NOT background MATCHES "\\{([0-9]+), *([0-9]+), *([0-9]+)\\}")
  message(FATAL_ERROR "no background colour in ${DESCRIPTION}")
endif()
set(channels ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3})
set(BACKGROUND "#")
foreach(channel IN LISTS channels)
  math(EXPR value "${channel}" OUTPUT_FORMAT HEXADECIMAL)
  string(REPLACE "0x" "" value "${value}")
  string(LENGTH "${value}" digits)
  if(digits EQUAL 1)
    set(value "0${value}")
  endif()
  string(APPEND BACKGROUND "${value}")
endforeach()
configure_file(${SOURCE}/manifest.webmanifest ${SITE}/manifest.webmanifest @ONLY)
file(MAKE_DIRECTORY ${SITE}/icons)
foreach(size IN LISTS ICON_SIZES)
  file(COPY_FILE ${ICONS}/zorvane-${size}.png ${SITE}/icons/zorvane-${size}.png ONLY_IF_DIFFERENT)
  list(APPEND content icons/zorvane-${size}.png)
endforeach()

# The worker caches the page and every file but itself, checking each one
# beside the page against its hash (FILES).
set(sums)
foreach(file IN LISTS content)
  file(SHA256 ${SITE}/${file} sum)
  string(APPEND sums "${file} ${sum}\n")
endforeach()
foreach(template index.html sw.js page.js)
  file(SHA256 ${SOURCE}/${template} sum)
  string(APPEND sums "${template} ${sum}\n")
endforeach()
string(SHA256 BUILD "${sums}")
string(SUBSTRING ${BUILD} 0 16 BUILD)

# index.html asks for its scripts and stylesheet as this build's, and names
# the module's two files by their hashes; page.js knows its own build. So
# the page can tell, before it starts, that all it got is of one build.
file(SHA256 ${SITE}/zorvane.js SCRIPT_SUM)
file(SHA256 ${SITE}/zorvane.wasm MODULE_SUM)
configure_file(${SOURCE}/index.html ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/page.js ${SITE}/page.js @ONLY)
set(FILES)
foreach(file IN LISTS content ITEMS page.js)
  file(SHA256 ${SITE}/${file} sum)
  string(APPEND FILES "  '${file}': '${sum}',\n")
endforeach()
configure_file(${SOURCE}/sw.js ${SITE}/sw.js @ONLY)
