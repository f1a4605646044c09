#!/usr/bin/env bash
# The virtual display the desktop checks share: an Xvfb screen managed by
# openbox (without a window manager Wine waits about two seconds for every
# window it shows or destroys, and no window has a frame to check).
#   display.sh start DIR   starts both, once ready leaves DIR/name (":N")
#   display.sh stop DIR    ends them again
# Xvfb picks a display number nobody holds. The screen is large enough for
# the Windows window at 200 %. Their output goes to DIR/*.log: nothing may
# keep CTest's pipes open after the fixture's own process has ended.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"
what=$1
dir=$2

stop() {
  local pid
  for pid in $(cat "$dir"/*.pid 2>/dev/null); do kill "$pid" 2>/dev/null || true; done
  for pid in $(cat "$dir"/*.pid 2>/dev/null); do wait_for "$react_budget" "process $pid to end" ended "$pid" || true; done
  rm -rf "$dir"
}

case $what in
  start)
    stop
    mkdir -p "$dir"
    setsid Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 2048x1536x24 \
      3>"$dir/number" </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    if ! wait_for "$start_budget" "Xvfb to take a display" test -s "$dir/number"; then
      cat "$dir/xvfb.log" >&2
      exit 1
    fi
    export DISPLAY=:$(cat "$dir/number")
    setsid openbox --sm-disable </dev/null >"$dir/openbox.log" 2>&1 &
    echo $! >"$dir/openbox.pid"
    # openbox manages the screen once it names itself on the root window.
    wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    if ! wait_for "$start_budget" "openbox to manage $DISPLAY" wm_running; then
      cat "$dir/openbox.log" >&2
      exit 1
    fi
    echo "$DISPLAY" >"$dir/name"
    echo "virtual display $DISPLAY with openbox"
    ;;
  stop) stop ;;
  *) echo "usage: display.sh start|stop DIR" >&2; exit 2 ;;
esac
