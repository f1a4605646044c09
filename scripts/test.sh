#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless (window tests use Qt's offscreen platform). Fails on any failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh test
ctest --test-dir build --output-on-failure --timeout 300 -j"$(nproc)"
# Longer checks, each a script of its own that installs what it needs.
bash scripts/layouts.sh
bash scripts/package_check.sh
