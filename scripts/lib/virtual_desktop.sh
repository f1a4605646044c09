#!/bin/sh
# Runs a command on a new virtual X display (Xvfb) with a window manager
# (openbox), started and ready before the command: without one, Wine waits
# about two seconds for every window it shows or destroys, and no window has
# a frame to check. Usage: virtual_desktop.sh command [args...]; the screen
# is 1024 x 768 unless ZORVANE_SCREEN gives another size (WIDTHxHEIGHT).
#
# Under Wine (WINEPREFIX set): Wine's desktop process picks its display
# driver when the prefix's server starts, and one started without a display
# (the console tests) shows no window ever. So the command waits for the
# shared prefix's server to end, starts it afresh on this display, and lets
# it end again before the display goes.
exec xvfb-run -a -s "-screen 0 ${ZORVANE_SCREEN:-1024x768}x24" sh -c '
  wine_idle() { [ -z "${WINEPREFIX:-}" ] || wineserver -w; }
  wine_idle
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  # The window manager is up once it names itself on the root window.
  for i in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
  "$@"
  status=$?
  wine_idle
  kill $wm
  exit $status' sh "$@"
