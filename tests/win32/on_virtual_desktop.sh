#!/bin/sh
# Runs a command on a new virtual X display with a window manager: without
# one, Wine waits about two seconds for every window it shows or destroys.
# Usage: on_virtual_desktop.sh command [args...]
#
# Wine's desktop process picks its display driver when the prefix's server
# starts: one started without a display (the console tests) shows no window
# ever. So the command waits for the shared prefix's server to end, starts it
# afresh on this display, and lets it end again before the display goes.
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  wineserver -w
  openbox >/dev/null 2>&1 &
  wm=$!
  # The window manager is up once it owns the screen.
  for i in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
  "$@"
  status=$?
  wineserver -w
  kill $wm
  exit $status' sh "$@"
