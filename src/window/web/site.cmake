# cmake -DSOURCE=<src/window/web> -DICONS=<data/icons> -DICON_SIZES=<32;48;...>
#       -DSITE=<build-web/site> -P site.cmake
# Puts the page's own files and its icons beside the module already linked
# into SITE.
cmake_minimum_required(VERSION 3.25)

foreach(file index.html sw.js page.js zorvane.css manifest.webmanifest)
  file(COPY_FILE ${SOURCE}/${file} ${SITE}/${file} ONLY_IF_DIFFERENT)
endforeach()
file(MAKE_DIRECTORY ${SITE}/icons)
foreach(size IN LISTS ICON_SIZES)
  file(COPY_FILE ${ICONS}/zorvane-${size}.png ${SITE}/icons/zorvane-${size}.png ONLY_IF_DIFFERENT)
endforeach()
