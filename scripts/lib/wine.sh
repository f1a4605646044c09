# Sourced by the scripts that build the Windows game and run it under Wine.
# wine_setup installs the cross compilers and Wine, and decides once whether
# the 32-bit build can run here; wine_for runs a preset's program.
#
# Some machines run no 32-bit x86 programs at all (the kernel answers "Exec
# format error"). There Debian's wine32:i386 is not installed, and everything
# runs on the 64-bit build under wine64 alone: once wine32 is installed,
# Debian's `wine` wrapper prefers its 32-bit loader even for 64-bit programs.
# The 32-bit .exe, zip and installer are still built and inspected.
#
# ZORVANE_ASSUME_NO_32BIT=1 takes the 64-bit-only way on any machine, so that
# it can be tried where 32-bit programs do run. Only these scripts read it.

source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

export WINEPREFIX=${HOME}/.wine-zorvane WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=

# Whether this kernel runs a 32-bit x86 program: a tiny one is assembled,
# linked and started (binutils comes with every compiler).
kernel_runs_32bit() {
  local dir status
  dir=$(mktemp -d)
  printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$dir/exit.s"
  if as --32 "$dir/exit.s" -o "$dir/exit.o" 2>/dev/null && ld -m elf_i386 "$dir/exit.o" -o "$dir/exit" 2>/dev/null; then
    "$dir/exit" 2>/dev/null
    status=$?
  else
    status=1
  fi
  rm -rf "$dir"
  return "$status"
}

# Installs what building and running the Windows game needs, with any further
# packages given, and sets x86_skipped: empty where the 32-bit build runs,
# else why it does not.
wine_setup() {
  need_packages binutils g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 "$@"
  x86_skipped=
  if [ "${ZORVANE_ASSUME_NO_32BIT:-}" = 1 ]; then
    x86_skipped="ZORVANE_ASSUME_NO_32BIT=1 is set"
  elif ! kernel_runs_32bit; then
    x86_skipped="this kernel runs no 32-bit programs"
  elif ! installed wine32:i386; then
    # Wine's 32-bit half comes from the i386 architecture.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      as_root dpkg --add-architecture i386
      apt_update
    fi
    try_packages wine32:i386 || x86_skipped="wine32:i386 could not be installed (${packages_failed_why:-see above})"
  fi
  export x86_skipped
  # One prefix for both builds, set up once and kept.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Setting up the Wine prefix $WINEPREFIX (first run only)..." >&2
    (unset DISPLAY WAYLAND_DISPLAY; wine_for windows-x64 wineboot -i && wineserver -w) >/dev/null 2>&1
  fi
}

x86_runs() { [ -z "${x86_skipped-unset}" ]; }

# The Windows presets whose programs run here, 32-bit first.
runnable_presets() {
  if x86_runs; then echo windows-x86 windows-x64; else echo windows-x64; fi
}

# Runs a program of a preset under Wine (see wine_for.sh).
wine_for() { "$(dirname "${BASH_SOURCE[0]}")/wine_for.sh" "$@"; }

# The line that says why the 32-bit programs were not run.
x86_skip_line() {
  echo "32-bit Windows checks skipped: $x86_skipped; the 64-bit checks ran"
}
