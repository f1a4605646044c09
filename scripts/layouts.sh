#!/usr/bin/env bash
# The game under Xvfb with a window manager (openbox): on each keyboard layout
# the key that types p, or on a non-Latin layout the key at P's place, shows
# Pause; Escape from a menu or from the menu bar gives the arrows back; the
# window asks for no maximize button. About 20 seconds; skips, saying why,
# where Xvfb cannot run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "${1:-}" != "--inside" ]; then
  source scripts/packages.sh
  if ! need_packages xvfb xauth xdotool openbox x11-xkb-utils x11-utils imagemagick; then
    echo "layouts: skipped: Xvfb and its tools cannot be installed here"; exit 0
  fi
  [ -x build/zorvane ] || bash scripts/setup.sh play
  if ! xvfb-run -a true 2>/dev/null; then echo "layouts: skipped: Xvfb cannot start here"; exit 0; fi
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
# A fresh board waits at " 0/ 0"; the first tick changes the title, whatever the head meets.
ticked() { sleep 0.4; [ "$(xdotool getwindowname "$wid")" != "Score:  0/ 0" ]; }
# Pixels of the Pause button's place (below the menu bar) that changed between two shots.
pause_pixels() {
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  local n
  n=$(compare -metric AE -extract "73x49+240+$((HEIGHT - 468 + 216))" "$work/before.png" "$work/after.png" null: 2>&1 || true)
  echo "${n%% *}"
}

for entry in "us:p:1" "de:p:1" "fr:p:1" "us -variant dvorak:p:1" "us -variant dvorak:l:0" \
             "ru:Cyrillic_ze:1" "ua:Cyrillic_ze:1" "gr:Greek_pi:1"; do
  IFS=: read -r layout keysym pauses <<<"$entry"
  setxkbmap $layout  # word splitting passes the variant
  start_game
  import -window "$wid" -depth 8 "$work/before.png"
  xdotool key "$keysym"
  sleep 0.3
  import -window "$wid" -depth 8 "$work/after.png"
  check "$layout: $keysym shows Pause: $pauses" [ "$(( $(pause_pixels) > 1000 ))" = "$pauses" ]
  stop_game
done
setxkbmap us

start_game
hints=$(xprop -id "$wid" _MOTIF_WM_HINTS | cut -d= -f2)  # flags, functions, decorations, ...
IFS=', ' read -r _ functions decorations _ <<<"$hints"
check "no maximize function or button asked for ($hints)" [ $((functions & 0x10 | decorations & 0x40)) = 0 ]
xdotool key Alt_L; sleep 0.2
xdotool key Down; sleep 0.3   # opens Speed
xdotool key Escape Left
check "Alt, Down, Escape from the Speed menu, then Left steers" ticked
stop_game

start_game
xdotool key Alt_L; sleep 0.2
xdotool key Escape Left
check "Alt, Escape, then Left steers" ticked
stop_game

((failures == 0)) || { echo "layouts: $failures check(s) failed"; exit 1; }
echo "layouts: all checks passed"
