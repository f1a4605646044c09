#!/usr/bin/env bash
# The Windows program under Wine on the checks' virtual display, driven
# through the X server as a player would (CTest: windows-x86.layouts, or
# windows-x64.layouts where 32-bit programs cannot run): on each keyboard
# layout the key that types p, or on a Russian or Ukrainian keyboard the key
# at P's place, shows Pause; opening Speed with the mouse or from the
# keyboard pauses; after Escape the arrows steer again; on a screen at 144
# dpi the window is laid out at 1.5 times the size. Every check waits for
# what it expects, with a deadline. Usage: win32_layouts.sh PRESET.
#
# Wine gives letters their Windows key codes only where the X keyboard has a
# Latin group: "ru,us" (Russian active) and "us,ru" work as on Windows, but
# a keyboard with the Russian group alone gets no code for P from Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/x11.sh
preset=$1
game=(scripts/lib/wine_for.sh "$preset" "build-$preset/zorvane.exe")
work=$(mktemp -d)
pid=
dpi_key='HKCU\Control Panel\Desktop'
# The 144 dpi setting below goes again as the script ends, however it ends.
trap 'kill $pid 2>/dev/null || true; scripts/lib/wine_for.sh "$preset" reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
pause_shown() { (($(changed_pixels "$wid" "$work/before.png" "$(pause_box "$wid")") > 1000)); }
windows_shown() { xdotool search --onlyvisible --name "" 2>/dev/null | wc -l; }
menu_open() { (($(windows_shown) > visible)); }
# The bar in keyboard mode draws its first title (Speed) highlighted.
bar_changed() { (($(changed_pixels "$wid" "$work/before.png" "$bar_title_box") > 200)); }

check_layouts "us:p:1" "de:p:1" "fr:p:1" "us -variant dvorak:p:1" "us -variant dvorak:l:0" \
              "ru,us:Cyrillic_ze:1" "ua,us:Cyrillic_ze:1" "us,ru:p:1"

# Opening Speed pauses, by mouse and from the keyboard (F10 or Alt gives the
# menu bar the keys); Escape closes it and the arrows steer again.
for how in mouse F10 Alt; do
  start_running "${game[@]}"
  shot "$wid" "$work/before.png"
  visible=$(windows_shown)
  case $how in
    mouse) win32_menu_click "$wid" "$SPEED" ;;
    F10) xdotool key F10 Down ;;
    Alt) xdotool key Alt_L Down ;;
  esac
  check "Speed opened by $how" wait_until "$react_budget" menu_open
  check "opening Speed by $how shows Pause" wait_until "$react_budget" pause_shown
  xdotool key Escape
  # The popup goes before the menu loop ends and lets the keys go, which the
  # bar shows by drawing its title plain again: a Left sent in between
  # would still be the menu's.
  check "Escape closes the Speed menu ($how)" wait_until "$react_budget" eval '! menu_open && ! bar_changed'
  title=$(xdotool getwindowname "$wid")
  xdotool key Left
  check "after Escape ($how), Left steers" wait_until "$react_budget" moved_since "$title"
  stop_game
done

# Alt alone gives the menu bar the keys; Escape gives them back: Left then
# starts the snake rather than moving along the bar.
start_game "${game[@]}"
shot "$wid" "$work/before.png"
xdotool key Alt_L
check "Alt gives the menu bar the keys" wait_until "$react_budget" bar_changed
xdotool key Escape
check "Escape gives them back" wait_until "$react_budget" eval '! bar_changed'
xdotool key Left
check "Alt, Escape, then Left starts the snake" wait_until "$react_budget" moved_since "Score:  0/ 0"
stop_game

# A screen at 144 dots per inch (Windows' 150 %): the window lays itself out
# one and a half times as large, the board as crisp, from the first frame.
scripts/lib/wine_for.sh "$preset" reg add "$dpi_key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
"${game[@]}" 2>/dev/null &
pid=$!
wait_for "$start_budget" "the game's window at 144 dpi" game_window || exit 1
wide_and_painted() {
  where "$wid"
  ((WIDTH == 702)) && pixel_is "$wid" 6 $((HEIGHT - 702 + 6)) FFFF80
}
check "at 144 dpi the board is 702 pixels wide and painted" wait_until "$react_budget" wide_and_painted
stop_game

((failures == 0)) || { echo "win32 layouts ($preset): $failures check(s) failed"; exit 1; }
echo "win32 layouts ($preset): all checks passed"
