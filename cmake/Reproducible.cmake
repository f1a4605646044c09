# Two builds of one commit give the same bytes, wherever their folders are
# and whenever they run: no build folder and no build time in what ships.
#
# ZORVANE_SOURCE_DATE_EPOCH stands for every date a shipped file carries:
# SOURCE_DATE_EPOCH from the environment, as a packager sets it; else the
# time of the last commit; else, outside a git checkout, the date of the
# changelog's last entry.
# A new commit or checkout configures again, for its own date.
execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} rev-parse --path-format=absolute --git-path logs/HEAD
  OUTPUT_VARIABLE head_log OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(head_log AND EXISTS "${head_log}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${head_log}")
endif()
# CPack passes its own value to the build it starts (cmake/PackageDates.cmake):
# that is the date this folder was configured with, not a packager's, so a
# configure run from that build takes the date afresh.
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT DEFINED ENV{ZORVANE_DATE_FROM_BUILD})
  set(ZORVANE_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
    OUTPUT_VARIABLE ZORVANE_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT ZORVANE_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    file(STRINGS ${PROJECT_SOURCE_DIR}/data/changelog signed REGEX "^ -- .*  ")
    list(GET signed 0 signed)
    string(REGEX REPLACE "^ -- .*  " "" date "${signed}")
    execute_process(COMMAND date -u -d "${date}" +%s
      OUTPUT_VARIABLE ZORVANE_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
endif()
if(NOT ZORVANE_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "no date for the build's files: SOURCE_DATE_EPOCH is '${ZORVANE_SOURCE_DATE_EPOCH}'")
endif()

# Paths the compiler writes (__FILE__, debug information) are named from the
# source and build folders, not from where those happen to be. The build
# folder may lie inside the source folder, so its map comes last: the last
# matching map is the one applied.
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-ffile-prefix-map=/a=b zorvane_has_file_prefix_map)
if(zorvane_has_file_prefix_map)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()

# GNU ld stamps a PE header with SOURCE_DATE_EPOCH when it is set, and with
# the time of the link when not.
if(WIN32)
  set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${ZORVANE_SOURCE_DATE_EPOCH})
endif()
