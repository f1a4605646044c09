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

# CTest runs the tests under Wine: one prefix for both Windows targets, kept
# between runs (a new one takes some seconds to set up), quiet, and without
# the Mono and Gecko installers a new prefix would offer. Console programs
# need no display. The 64-bit build runs under wine64 itself: Debian's `wine`
# prefers the 32-bit loader once wine32 is installed, and some kernels run
# no 32-bit programs at all.
set(ZORVANE_WINEPREFIX "$ENV{HOME}/.wine-zorvane" CACHE PATH "Wine prefix the tests run in")
set(ZORVANE_WINE_ENV env WINEPREFIX=${ZORVANE_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
  list(APPEND ZORVANE_WINE_ENV WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64)
else()
  list(APPEND ZORVANE_WINE_ENV wine)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZORVANE_WINE_ENV})
