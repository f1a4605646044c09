#!/usr/bin/env bash
# The Windows program under Wine on a virtual X display with openbox, driven
# through the X server as a player would: on each keyboard layout the key
# that types p, or on a Russian or Ukrainian keyboard the key at P's place,
# shows Pause; opening Speed with the mouse or from the keyboard pauses; after
# Escape the arrows steer again; on a screen at 144 dpi the window is laid out
# at 1.5 times the size. Builds the preset first (windows-x86 unless given,
# or windows-x64 where 32-bit programs cannot run). Every check waits for
# what it expects, with a deadline.
#
# Wine gives letters their Windows key codes only where the X keyboard has a
# Latin group: "ru,us" (Russian active) and "us,ru" work as on Windows, but
# a keyboard with the Russian group alone gets no code for P from Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [ "${1:-}" != "--inside" ]; then
  source scripts/lib/wine.sh
  wine_setup xvfb xauth openbox x11-utils x11-xkb-utils xdotool imagemagick
  # The 32-bit build where it runs, else the 64-bit one.
  preset=${1:-$(runnable_presets | cut -d' ' -f1)}
  if [ "$preset" = windows-x86 ] && ! x86_runs; then
    echo "win32 layouts ($preset): $(x86_skip_line)"
    exit 0
  fi
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target zorvane >/dev/null
  echo "win32 layouts: $preset"
  exec env GAME="build-$preset/zorvane.exe" PRESET="$preset" scripts/lib/virtual_desktop.sh bash "$0" --inside
fi

source scripts/lib/x11.sh
work=$(mktemp -d)
pid=
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
start_game() {
  scripts/lib/wine_for.sh "$PRESET" "$GAME" 2>/dev/null &
  pid=$!
  wid=
  wait_until 30 game_window || { echo "win32 layouts: FAILED: no game window"; exit 1; }
  xdotool windowactivate "$wid" 2>/dev/null || true
  wait_until 20 focused "$wid" || { echo "win32 layouts: FAILED: the game window never got the focus"; exit 1; }
  wait_until 20 painted "$wid" || { echo "win32 layouts: FAILED: the game window was never painted"; exit 1; }
  shot "$wid" "$work/before.png"
}
stop_game() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; pid=; }
started() { ! title_is "$wid" "Score:  0/ 0"; }
pause_shown() { (($(changed_pixels "$wid" "$work/before.png" "$(pause_box "$wid")") > 1000)); }
menu_open() { (($(xdotool search --onlyvisible --name "" 2>/dev/null | wc -l) > visible)); }
where() { eval "$(xdotool getwindowgeometry --shell "$wid")"; }

check_layouts "us:p:1" "de:p:1" "fr:p:1" "us -variant dvorak:p:1" "us -variant dvorak:l:0" \
              "ru,us:Cyrillic_ze:1" "ua,us:Cyrillic_ze:1" "us,ru:p:1"

# Opening Speed pauses, by mouse and from the keyboard (F10 or Alt gives the
# menu bar the keys); Escape closes it and the arrows steer again.
for how in mouse F10 Alt; do
  start_game
  xdotool key Up
  wait_until 20 started || check "Up starts the snake" false
  shot "$wid" "$work/before.png"
  visible=$(xdotool search --onlyvisible --name "" 2>/dev/null | wc -l)
  if [ $how = mouse ]; then
    win32_menu_click "$wid" 20
  elif [ $how = F10 ]; then
    xdotool key F10 Down
  else
    xdotool key Alt_L Down
  fi
  check "Speed opened by $how" wait_until 20 menu_open
  check "opening Speed by $how shows Pause" wait_until 20 pause_shown
  xdotool key Escape
  check "Escape closes the Speed menu ($how)" wait_until 20 eval '! menu_open'
  title=$(xdotool getwindowname "$wid")
  xdotool key Left
  check "after Escape ($how), Left steers" wait_until 20 eval '[ "$(xdotool getwindowname "$wid")" != "$title" ]'
  stop_game
done

# Alt alone gives the menu bar the keys; Escape gives them back: Left then
# starts the snake rather than moving along the bar.
# The bar in keyboard mode draws its first title (Speed) highlighted.
bar_changed() { (($(changed_pixels "$wid" "$work/before.png" 60x19+0+0) > 200)); }
start_game
xdotool key Alt_L
check "Alt gives the menu bar the keys" wait_until 20 bar_changed
xdotool key Escape
check "Escape gives them back" wait_until 20 eval '! bar_changed'
xdotool key Left
check "Alt, Escape, then Left starts the snake" wait_until 20 started
stop_game

# A screen at 144 dots per inch (Windows' 150 %): the window lays itself out
# one and a half times as large, the board as crisp, from the first frame.
# The setting goes again as the script ends, however it ends.
dpi_key='HKCU\Control Panel\Desktop'
trap 'kill $pid 2>/dev/null || true; scripts/lib/wine_for.sh "$PRESET" reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
scripts/lib/wine_for.sh "$PRESET" reg add "$dpi_key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
scripts/lib/wine_for.sh "$PRESET" "$GAME" 2>/dev/null &
pid=$!
wait_until 30 game_window || { echo "win32 layouts: FAILED: no game window at 144 dpi"; exit 1; }
wide_and_painted() {
  where
  ((WIDTH == 702)) && pixel_is "$wid" 6 $((HEIGHT - 702 + 6)) FFFF80
}
check "at 144 dpi the board is 702 pixels wide and painted" wait_until 20 wide_and_painted
stop_game

((failures == 0)) || { echo "win32 layouts: $failures check(s) failed"; exit 1; }
echo "win32 layouts: all checks passed"
