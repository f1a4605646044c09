#!/bin/sh
# wine_for.sh PRESET PROGRAM [ARGS...]: runs a Windows program of that preset
# under Wine, in place of this script (so its process is the program's). The
# 64-bit build runs under wine64 itself, with or without wine32 installed.
preset=$1
shift
if [ "$preset" = windows-x64 ]; then
  WINELOADER=/usr/lib/wine/wine64 exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"
