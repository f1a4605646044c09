#!/usr/bin/env bash
# The Windows zip and installer of a preset (CTest: windows-x64.install,
# windows-x86.install): checks the zip's files and the installer's machine,
# installs silently under Wine, checks the installed .exe, the Start-menu
# shortcut and the Apps & features entry, starts the installed game on the
# checks' virtual display and sees its window, Quits it, uninstalls
# silently and checks that nothing of it is left. Where the preset's
# programs cannot run here (32-bit ones on a kernel without them,
# scripts/lib/wine.sh), only the files are checked.
# Usage: win32_install_check.sh PRESET.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine.sh
source scripts/lib/x11.sh

preset=$1
bits=win32 programs="Program Files (x86)" view=32 machine=pei-i386
if [ "$preset" = windows-x64 ]; then bits=win64 programs="Program Files" view=64 machine=pei-x86-64; fi
fail() { echo "win32 install check ($preset): FAILED: $*" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build-$preset/CMakeCache.txt")
zip=build-$preset/zorvane-$version-$bits.zip
setup=build-$preset/zorvane-$version-$bits-setup.exe
listing=$(unzip -Z1 "$zip")
for f in zorvane.exe README.txt LICENSE.txt; do
  grep -qx "zorvane-$version-$bits/$f" <<<"$listing" || fail "$f missing from $zip"
done
# The installer is a program for the build's own machine.
objdump -f "$setup" | grep -q "file format $machine\$" || fail "$setup is not $machine: $(objdump -f "$setup" | grep format)"
if [ "$preset" = windows-x86 ] && ! x86_runs; then
  echo "win32 install check ($preset): $(stat -c %s "$zip") byte zip, $(stat -c %s "$setup") byte $machine installer;" \
    "not run: $(x86_skip_line)"
  exit 0
fi

dir="$WINEPREFIX/drive_c/$programs/Zorvane"
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zorvane.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvane'
registered() { wine_for "$preset" reg query "$key" /reg:$view 2>/dev/null | grep -q DisplayName; }

wine_for "$preset" "$setup" /S
[ -f "$dir/zorvane.exe" ] || fail "no $dir/zorvane.exe"
cmp -s "$dir/zorvane.exe" "build-$preset/zorvane.exe" || fail "the installed .exe is not the one built"
[ -f "$link" ] || fail "no Start-menu shortcut"
registered || fail "no Apps & features entry"

# The installed game starts, shows its window, which the window manager may
# not maximize or resize, and Quits with status 0.
wine_for "$preset" "C:\\$programs\\Zorvane\\zorvane.exe" &
pid=$!
wait_for "$start_budget" "the installed game's window" game_window || fail "the installed game showed no window"
actions=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
if ! grep -q ACTION_MINIMIZE <<<"$actions" || grep -qE "ACTION_(MAXIMIZE|RESIZE)" <<<"$actions"; then
  kill "$pid"
  fail "the window manager may maximize or resize the window: $actions"
fi
win32_quit "$wid"
wait_for "$react_budget" "the installed game to end after Quit" ended "$pid" || fail "Quit did not end the installed game"
wait "$pid" || fail "the installed game ended with status $? after Quit"

wine_for "$preset" "$dir/uninstall.exe" /S
# The uninstaller runs on from a copy of itself; wait for it to finish.
removed() { [ ! -e "$dir" ] && [ ! -e "$link" ] && ! registered; }
wait_for "$react_budget" "the uninstaller to finish" removed || true
[ ! -e "$dir" ] || fail "$dir is left after uninstalling"
[ ! -e "$link" ] || fail "the shortcut is left after uninstalling"
! registered || fail "the Apps & features entry is left after uninstalling"
echo "win32 install check ($preset): $(stat -c %s "$zip") byte zip, $(stat -c %s "$setup") byte installer:" \
  "silent install, shortcut, entry, start, Quit, silent uninstall, nothing left"
