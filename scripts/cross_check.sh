#!/usr/bin/env bash
# Seeded random play ends in the same state hashes on Linux, both Windows
# targets and WebAssembly: tests/replay_hash.cpp runs on each, and every
# line must be the same. Usage: cross_check.sh LINUX_REPLAY_HASH; the other
# targets' programs come from their presets' folders (build-windows-x64/,
# build-windows-x86/, build-web/), which the checks build first (CTest:
# cross.replay). Where 32-bit programs cannot run, the 32-bit build is left
# out (scripts/lib/wine.sh).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine.sh
linux=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

targets=(windows-x64)
x86_runs && targets+=(windows-x86)
targets+=(web)
"$linux" >"$out/linux"
for target in "${targets[@]}"; do
  case $target in
    web) node --no-experimental-fetch build-web/tests/replay_hash.js >"$out/$target" ;;
    *) wine_for "$target" "build-$target/tests/replay_hash.exe" </dev/null >"$out/$target" ;;
  esac
done

echo "Seeded random play, Linux:"
cat "$out/linux"
[ -s "$out/linux" ] || { echo "replay_hash printed nothing on Linux" >&2; exit 1; }
same=1
for target in "${targets[@]}"; do
  # Windows' console ends lines with CR LF.
  tr -d '\r' <"$out/$target" | diff -u --label linux --label "$target" "$out/linux" - || same=0
done
x86_runs || x86_skip_line
if [ "$same" != 1 ]; then
  echo "State hashes differ between targets (see above)." >&2
  exit 1
fi
echo "Same state hashes on Linux and ${targets[*]}."
