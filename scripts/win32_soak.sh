#!/usr/bin/env bash
# The real Windows program under Wine on the checks' virtual display (CTest:
# windows-x64.soak, windows-x86.soak): set to "Insane", then SOAK_SECONDS
# (default 30) of random keys, clicks and menu choices through the X
# server, then Quit from the menu bar. Fails unless it stays alive until
# Quit, exits 0 and writes nothing to stderr. Usage: win32_soak.sh PRESET.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/x11.sh
preset=$1
seconds=${SOAK_SECONDS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

scripts/lib/wine_for.sh "$preset" "build-$preset/zorvane.exe" 2>"$work/stderr" &
pid=$!
fail() {
  echo "win32 soak ($preset): FAILED: $*" >&2
  cat "$work/stderr" >&2
  kill "$pid" 2>/dev/null || true
  exit 1
}
wait_for "$start_budget" "the game's window" game_window || fail "no window appeared"
window=$wid
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true

win32_choose "$window" "$SPEED" 0   # Insane
keys=(Left Right Up Down p F1 F2 F3 F4 F5 F6 F7 F8 F9 F11 F12 Tab space Return a)
end=$((SECONDS + seconds))
events=0
while [ $SECONDS -lt $end ]; do
  ! ended "$pid" || fail "the program ended by itself after $events events"
  case $((RANDOM % 10)) in
    0) win32_choose "$window" "$SPEED" $((RANDOM % 6)) ;;
    1) win32_choose "$window" "$SIZE" $((RANDOM % 5)) ;;
    2) where "$window"; xdotool mousemove $((X + RANDOM % WIDTH)) $((Y + RANDOM % HEIGHT)) click 1 ;;
    *) xdotool key "${keys[RANDOM % ${#keys[@]}]}" ;;
  esac
  events=$((events + 1))
  sleep 0.02
done
! ended "$pid" || fail "the program ended by itself"
win32_quit "$window"
wait_for "$react_budget" "the program to end after Quit" ended "$pid" || fail "Quit did not end the program"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "exit status $status"
[ ! -s "$work/stderr" ] || fail "unexpected output on stderr"
echo "win32 soak ($preset): $events events in $seconds s at Insane, then Quit: exit 0, stderr empty"
