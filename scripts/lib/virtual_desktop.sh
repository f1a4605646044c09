#!/usr/bin/env bash
# Runs a command on a virtual display of its own (display.sh: Xvfb with
# openbox), for the Windows builds' own CTest, which has no shared display:
# virtual_desktop.sh COMMAND [ARGS...].
#
# Wine's desktop process picks its display driver when the prefix's server
# starts, and one started without a display (the console tests) shows no
# window ever. So the command waits for the prefix's server to end, starts
# it afresh on this display, and lets it end again before the display goes.
set -euo pipefail
lib=$(dirname "${BASH_SOURCE[0]}")
source "$lib/wine.sh"
dir=$(mktemp -d)
wine_idle() { timeout "$start_budget" wineserver -w 2>/dev/null || true; }
trap 'wine_idle; "$lib/display.sh" stop "$dir"' EXIT
wine_idle
"$lib/display.sh" start "$dir" >/dev/null
DISPLAY=$(cat "$dir/name") "$@"
