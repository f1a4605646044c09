#!/usr/bin/env bash
# The game on a real X server with a window manager (Xvfb and openbox):
# on every keyboard layout the key that types p, or on a non-Latin layout the
# key at P's place, pauses; Escape from a menu or from the menu bar gives the
# arrows straight back to the board; the window asks for no maximize button.
# Takes about half a minute. Skips, saying why, where Xvfb cannot run.
# Needs: xvfb xauth xdotool openbox x11-xkb-utils x11-utils imagemagick
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "${1:-}" != "--inside" ]; then
  source scripts/packages.sh
  if ! need_packages xvfb xauth xdotool openbox x11-xkb-utils x11-utils imagemagick; then
    echo "layouts: skipped: the X server and its tools cannot be installed here"
    exit 0
  fi
  [ -x build/zorvane ] || bash scripts/setup.sh play
  if ! xvfb-run -a true 2>/dev/null; then
    echo "layouts: skipped: Xvfb cannot start here"
    exit 0
  fi
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside
fi

work=$(mktemp -d)
pid=
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill $pid $wm 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1

failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

start_game() {
  ./build/zorvane 2>/dev/null &
  pid=$!
  wid=$(xdotool search --sync --pid "$pid" --name Score | head -1)
  xdotool windowactivate --sync "$wid"
  sleep 0.4
}
stop_game() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=; }

# A freshly loaded board waits with the title at " 0/ 0"; the first tick
# changes it, whatever the head then meets.
ticked() { sleep 0.4; [ "$(xdotool getwindowname "$wid")" != "Score:  0/ 0" ]; }

# The Pause button's place on the board, in the window (the menu bar above it).
pause_area() {
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  echo "73x49+240+$((HEIGHT - 468 + 216))"
}
shot() { import -window "$wid" -depth 8 "$work/$1.png"; }
# The Pause button came up between the two pictures.
pause_shown() {
  local differing
  differing=$(compare -metric AE -extract "$(pause_area)" "$work/$1.png" "$work/$2.png" null: 2>&1 || true)
  [ "${differing%% *}" -gt 1000 ]
}

for entry in "us:p:pauses" "de:p:pauses" "fr:p:pauses" "us -variant dvorak:p:pauses" \
             "us -variant dvorak:l:does nothing" "ru:Cyrillic_ze:pauses" "ua:Cyrillic_ze:pauses" \
             "gr:Greek_pi:pauses"; do
  IFS=: read -r layout keysym result <<<"$entry"
  # shellcheck disable=SC2086 # the layout carries its variant option
  setxkbmap $layout
  start_game
  shot before
  xdotool key "$keysym"
  sleep 0.3
  shot after
  if [ "$result" = pauses ]; then
    check "$layout: $keysym shows Pause" pause_shown before after
  else
    check "$layout: $keysym does not pause" eval '! pause_shown before after'
  fi
  stop_game
done
setxkbmap us

start_game
hints=$(xprop -id "$wid" _MOTIF_WM_HINTS)
check "the window asks for no maximize button ($hints)" \
  eval '[ $(( $(echo "$hints" | cut -d, -f2) & 0x10 )) -eq 0 ] && [ $(( $(echo "$hints" | cut -d, -f3) & 0x40 )) -eq 0 ]'
xdotool key Alt_L
sleep 0.2
xdotool key Down   # opens Speed from the keyboard
sleep 0.3
xdotool key Escape Left
check "Alt, Down, Escape from the Speed menu, then Left steers" ticked
stop_game

start_game
xdotool key Alt_L
sleep 0.2
xdotool key Escape Left
check "Alt, Escape, then Left steers" ticked
stop_game

if ((failures)); then
  echo "layouts: $failures check(s) failed"
  exit 1
fi
echo "layouts: all checks passed"
