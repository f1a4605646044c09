#!/usr/bin/env bash
# build_preset.sh [--strict] PRESET [TARGET...]: configures and builds a
# CMake preset (every target, or those named) for the checks that stand on
# it. With --strict a compiler warning fails the build like an error. Quiet
# unless it fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
strict=
if [ "$1" = --strict ]; then
  strict=1
  shift
fi
preset=$1
shift
build=(cmake --build --preset "$preset" --parallel "$(nproc)")
for target in "$@"; do build+=(--target "$target"); done
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
cmake --preset "$preset" >"$log" 2>&1 || status=$?
[ "$status" != 0 ] || "${build[@]}" >>"$log" 2>&1 || status=$?
if [ "$status" != 0 ]; then
  cat "$log"
  echo "build_preset: $preset failed (status $status)" >&2
  exit 1
fi
if [ -n "$strict" ] && grep -q "warning:" "$log"; then
  grep -B2 -A4 "warning:" "$log"
  echo "build_preset: $preset built with warnings" >&2
  exit 1
fi
echo "build_preset: $preset built${*:+ ($*)}"
