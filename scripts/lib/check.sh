#!/usr/bin/env bash
# Runs one check for CTest: check.sh NAME COMMAND [ARGS...] (see
# cmake/Checks.cmake). The check gets a home folder of its own, made afresh
# under the build folder's checks/, so that nothing it starts (browsers,
# Wine, the window manager, fontconfig) writes into the user's home; a cache
# meant to outlive the run goes to $ZORVANE_CACHE, the one place of the
# user's own it may use. With ZORVANE_ON_DISPLAY set it runs on the shared
# virtual display (display.sh): "own" when it has the display to itself,
# starting on the US layout whatever the last check left, "shared" when it
# only needs one there. Without it, on no display at all.
set -euo pipefail
name=$1
shift
state=${ZORVANE_CHECKS:?the build folder\'s checks/ folder, set by CTest}
export ZORVANE_CACHE=${ZORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zorvane} ZORVANE_USER_HOME=$HOME
export ZORVANE_WINE=${ZORVANE_WINE:-$state/wine}
export HOME=$state/home/$name
rm -rf "$HOME"
mkdir -p "$HOME"
# Named outright: some libraries (Mesa's shader cache) fall back on the
# user's home from the password file, not on $HOME.
export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share \
  XDG_STATE_HOME=$HOME/.local/state XDG_RUNTIME_DIR=$HOME/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY

if [ -n "${ZORVANE_ON_DISPLAY:-}" ]; then
  if [ ! -s "$state/display/name" ]; then
    echo "$name: no virtual display: its fixture (display.start) did not run" >&2
    exit 1
  fi
  DISPLAY=$(cat "$state/display/name")
  export DISPLAY
  [ "$ZORVANE_ON_DISPLAY" != own ] || setxkbmap us
else
  unset DISPLAY
fi
exec "$@"
