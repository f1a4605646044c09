# Sourced by the scripts that run the Windows game under Wine: where Wine
# keeps its prefix, whether the 32-bit build can run here, and the prefix
# made on first use.
#
# Some machines run no 32-bit x86 programs at all (the kernel answers "Exec
# format error"). There Debian's wine32:i386 is not installed, and everything
# runs on the 64-bit build under wine64 alone: once wine32 is installed,
# Debian's `wine` wrapper prefers its 32-bit loader even for 64-bit programs.
# The 32-bit .exe, zip and installer are still built and inspected.
#
# ZORVANE_ASSUME_NO_32BIT=1 takes the 64-bit-only way on any machine, so that
# it can be tried where 32-bit programs do run.

source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

# Wine's own folder: the prefix, and a home of its own (wine_home), since
# Wine links the prefix's user folders into the home it starts with. The
# checks keep it in the build folder (ZORVANE_WINE, set by
# scripts/lib/check.sh); the cross builds' own tests in the user's cache.
# The menu builder stays off: it would write menu entries and icons for
# everything installed. Wine is quiet unless WINEDEBUG asks for a trace.
wine_dir=${ZORVANE_WINE:-${XDG_CACHE_HOME:-$HOME/.cache}/zorvane/wine}
wine_home=$wine_dir/home
export WINEPREFIX=$wine_dir/prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="

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

# Why the 32-bit build does not run here; nothing where it does.
x86_skipped() {
  if [ "${ZORVANE_ASSUME_NO_32BIT:-}" = 1 ]; then
    echo "ZORVANE_ASSUME_NO_32BIT=1 is set"
  elif ! kernel_runs_32bit; then
    echo "this kernel runs no 32-bit programs"
  elif ! installed wine32:i386; then
    echo "wine32:i386 is not installed"
  fi
}
x86_runs() { [ -z "$(x86_skipped)" ]; }

# The line that says why the 32-bit programs were not run.
x86_skip_line() {
  echo "32-bit Windows checks skipped: $(x86_skipped); the 64-bit checks ran"
}

# Runs a program of a preset under Wine (see wine_for.sh).
wine_for() { "$(dirname "${BASH_SOURCE[0]}")/wine_for.sh" "$@"; }

# Installs Wine's 32-bit half where the kernel runs 32-bit programs (and
# ZORVANE_ASSUME_NO_32BIT is not set); says why where it cannot.
wine32_install() {
  if [ "${ZORVANE_ASSUME_NO_32BIT:-}" = 1 ] || installed wine32:i386 || ! kernel_runs_32bit; then
    return 0
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    apt_update
  fi
  if ! try_packages wine32:i386; then
    echo "wine32:i386 could not be installed (${packages_failed_why:-see above}):" \
      "the 32-bit Windows build will be built and inspected only" >&2
  fi
}

# Makes the prefix if there is none yet (wineboot: seconds, far more on a
# cold machine), once even when several checks ask at the same time. The
# game needs Windows 10 and refuses to start on less, but Debian 12's Wine
# makes a new prefix Windows 7: the prefix is set to Windows 10 once, a
# prefix made before that too (the file windows10 beside it says it is).
wine_prefix() {
  mkdir -p "$wine_dir" "$wine_home"
  (
    flock 9
    [ -f "$WINEPREFIX/system.reg" ] && [ -f "$wine_dir/windows10" ] && exit 0
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "Setting up the Wine prefix $WINEPREFIX..." >&2
      if ! HOME=$wine_home timeout "$start_budget" /usr/lib/wine/wine64 wineboot -i </dev/null >"$wine_dir/wineboot.log" 2>&1 ||
        ! timeout "$start_budget" wineserver -w; then
        cat "$wine_dir/wineboot.log" >&2
        echo "gave up after $start_budget s waiting for wineboot to set up $WINEPREFIX" >&2
        exit 1
      fi
    fi
    if ! HOME=$wine_home timeout "$start_budget" /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine' /v Version /d win10 /f \
      </dev/null >>"$wine_dir/wineboot.log" 2>&1; then
      cat "$wine_dir/wineboot.log" >&2
      echo "could not set $WINEPREFIX to Windows 10" >&2
      exit 1
    fi
    touch "$wine_dir/windows10"
  ) 9>"$wine_dir/lock"
}
