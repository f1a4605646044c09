# cmake -DSITE=<build-web/test-site> -DHOOKS=<tests/web/page_hooks.js> -P test_site.cmake
# Puts the tests' hooks into their page: page_hooks.js beside it, loaded
# right after the module's script, so that it runs before page.js starts the
# game.
cmake_minimum_required(VERSION 3.25)

file(COPY_FILE ${HOOKS} ${SITE}/page_hooks.js ONLY_IF_DIFFERENT)
file(READ ${SITE}/index.html page)
if(page MATCHES "page_hooks\\.js")
  return()
endif()
string(REGEX REPLACE "(<script src=\"zorvane\\.js[^\n]*\n)" "\\1<script src=\"page_hooks.js\"></script>\n" hooked "${page}")
if(hooked STREQUAL page)
  message(FATAL_ERROR "no script tag of zorvane.js in ${SITE}/index.html")
endif()
file(WRITE ${SITE}/index.html "${hooked}")
