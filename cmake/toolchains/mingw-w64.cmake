# Shared by the Windows toolchains: Debian's MinGW-w64 compilers with posix
# threads for the target named by mingw_triple, and Wine to run the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs the tests under Wine through scripts/lib/wine_for.sh: one
# prefix for both Windows targets in the user's cache, made on first use
# and kept (a new one takes some seconds to set up), with a home of its
# own, quiet, and without the Mono and Gecko installers a new prefix would
# offer. The 64-bit build runs under wine64 itself: Debian's `wine` prefers
# the 32-bit loader once wine32 is installed, and some kernels run no 32-bit
# programs at all.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
  set(ZORVANE_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../../scripts/lib/wine_for.sh windows-x64)
else()
  set(ZORVANE_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../../scripts/lib/wine_for.sh windows-x86)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZORVANE_WINE_RUN})
