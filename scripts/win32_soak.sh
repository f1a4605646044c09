#!/usr/bin/env bash
# The real Windows program under Wine on a virtual X display with openbox:
# set to "Insane", then SOAK_SECONDS (default 30) of random keys, clicks and
# menu choices through the X server, then Quit from the menu bar. Fails
# unless it stays alive until Quit, exits 0 and writes nothing to stderr.
# Builds the preset first (windows-x86 unless given: windows-x64).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine.sh
wine_setup xvfb xauth openbox x11-utils xdotool

preset=${1:-windows-x86}
if [ "$preset" = windows-x86 ] && ! x86_runs; then
  echo "win32 soak ($preset): $(x86_skip_line)"
  exit 0
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target zorvane >/dev/null
export SOAK_SECONDS=${SOAK_SECONDS:-30} GAME=build-$preset/zorvane.exe PRESET=$preset
exec scripts/lib/virtual_desktop.sh bash -c '
set -u
source scripts/lib/x11.sh
work=$(mktemp -d)
scripts/lib/wine_for.sh "$PRESET" "$GAME" 2>"$work/stderr" &
pid=$!
fail() {
  echo "win32 soak: FAILED: $*" >&2
  cat "$work/stderr" >&2
  kill "$pid" 2>/dev/null
  exit 1
}
wait_until 20 game_window || fail "no window appeared"
window=$wid
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true

# The menu bar lies just above the client area: Speed, Size, Quit from the
# left; a menu'"'"'s items are 16 pixels apart below it.
where() { eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)"; }
choose() {  # title x, item index
  win32_menu_click "$window" "$1"
  sleep 0.15
  xdotool mousemove $((X + $1 + 10)) $((Y + 10 + 16 * $2)) click 1
}
choose 20 0   # Insane
keys=(Left Right Up Down p F1 F2 F3 F4 F5 F6 F7 F8 F9 F11 F12 Tab space Return a)
end=$((SECONDS + SOAK_SECONDS))
events=0
while [ $SECONDS -lt $end ]; do
  kill -0 "$pid" 2>/dev/null || fail "the program ended by itself after $events events"
  case $((RANDOM % 10)) in
    0) choose 20 $((RANDOM % 6)) ;;
    1) choose 60 $((RANDOM % 5)) ;;
    2) where; xdotool mousemove $((X + RANDOM % WIDTH)) $((Y + RANDOM % HEIGHT)) click 1 ;;
    *) xdotool key "${keys[RANDOM % ${#keys[@]}]}" ;;
  esac
  events=$((events + 1))
  sleep 0.02
done
kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
win32_quit "$window"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" = 0 ] || fail "exit status $status"
[ -s "$work/stderr" ] && fail "unexpected output on stderr"
echo "win32 soak: $events events in ${SOAK_SECONDS} s at Insane, then Quit: exit 0, stderr empty"
rm -rf "$work"
'
