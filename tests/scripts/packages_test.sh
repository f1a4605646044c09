#!/usr/bin/env bash
# The install helpers against a stand-in apt: a package list that fails to
# refresh does not stop an install that can still be done; a package apt
# cannot give is named with apt's reason; wine32 that cannot be had leaves
# the Windows checks to the 64-bit build, as ZORVANE_ASSUME_NO_32BIT=1 does.
set -uo pipefail
unset ZORVANE_ASSUME_NO_32BIT
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

# The stand-in: `update` fails when told to; `install` installs what is not
# listed in $fake/unavailable, and fails naming the rest as apt would.
mkdir -p "$fake/bin"
touch "$fake/installed" "$fake/unavailable"
cat >"$fake/bin/apt-get" <<'STUB'
#!/bin/bash
args=("$@")
for a in "$@"; do
  case $a in
    update) [ -e "$FAKE/update-fails" ] && { echo "E: File has unexpected size (mirror sync in progress?)" >&2; exit 100; }; exit 0 ;;
    install) mode=install ;;
    -s) simulate=1 ;;
  esac
done
[ "${mode:-}" = install ] || exit 0
bad=0
for a in "${args[@]}"; do
  case $a in -*|install|DPkg::*) continue ;; esac
  if grep -qx "$a" "$FAKE/unavailable"; then echo "E: Unable to locate package $a" >&2; bad=1; fi
done
((bad)) && exit 100
[ -n "${simulate:-}" ] && exit 0
for a in "${args[@]}"; do case $a in -*|install|DPkg::*) ;; *) echo "$a" >>"$FAKE/installed" ;; esac; done
STUB
cat >"$fake/bin/dpkg-query" <<'STUB'
#!/bin/bash
grep -qx "${@: -1}" "$FAKE/installed" && echo "install ok installed"
STUB
chmod +x "$fake/bin/"*
export FAKE=$fake PATH=$fake/bin:$PATH

# Root is taken for granted: no sudo reaches the stand-in.
in_scripts() { bash -c "source '$root/scripts/lib/packages.sh'; as_root() { \"\$@\"; }; $1" 2>"$fake/stderr"; }
reset() { : >"$fake/installed"; : >"$fake/unavailable"; rm -f "$fake/update-fails"; }

reset
touch "$fake/update-fails"
check "a failed list refresh does not stop an install that can be done" in_scripts "need_packages alpha beta"
check "... and both are installed" grep -qx beta "$fake/installed"

reset
echo gamma >"$fake/unavailable"
check "a package apt cannot give fails the install" eval '! in_scripts "need_packages alpha gamma"'
check "... named with apt's reason" grep -q "gamma: E: Unable to locate package gamma" "$fake/stderr"

# wine32 that cannot be had: the 64-bit checks run, and the lines say why.
# The kernel is taken to run 32-bit programs here, whatever this one does.
reset
echo wine32:i386 >"$fake/unavailable"
printf '#!/bin/sh\necho i386\n' >"$fake/bin/dpkg"
chmod +x "$fake/bin/dpkg"
wine_way() {
  bash -c "source '$root/scripts/lib/wine.sh'; as_root() { \"\$@\"; }; kernel_runs_32bit() { true; }
    wine32_install 2>&1; x86_runs && echo 'both builds run'; x86_runs || x86_skip_line" 2>/dev/null
}
way=$(wine_way)
check "without wine32 only the 64-bit build runs" grep -q "^32-bit Windows checks skipped: wine32:i386 is not installed" <<<"$way"
check "... and the install says why" grep -q "wine32:i386 could not be installed (wine32:i386: E: Unable to locate" <<<"$way"
: >"$fake/unavailable"
way=$(wine_way)
check "with wine32 both builds run" grep -qx "both builds run" <<<"$way"
way=$(ZORVANE_ASSUME_NO_32BIT=1 wine_way)
check "ZORVANE_ASSUME_NO_32BIT=1 takes the 64-bit way" grep -q "^32-bit Windows checks skipped: ZORVANE_ASSUME_NO_32BIT=1" <<<"$way"

((failures == 0)) || { echo "$failures check(s) failed"; exit 1; }
