#!/usr/bin/env bash
# wine_for.sh PRESET PROGRAM [ARGS...]: runs a Windows program of that preset
# under Wine, in place of this script (so its process is the program's), in
# the prefix of scripts/lib/wine.sh, made on first use. The 64-bit build
# runs under wine64 itself, with or without wine32 installed. A 32-bit
# program where none can run is skipped (exit status 77), saying why.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"
preset=$1
shift
if [ "$preset" = windows-x86 ] && ! x86_runs; then
  x86_skip_line
  exit 77
fi
wine_prefix
export HOME=$wine_home
if [ "$preset" = windows-x64 ]; then
  WINELOADER=/usr/lib/wine/wine64 exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"
