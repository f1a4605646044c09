#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless (window tests use Qt's offscreen platform). Fails on any failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh test
ctest --test-dir build --output-on-failure --timeout 300 -j"$(nproc)"
# Longer checks, each a script of its own that installs what it needs.
bash scripts/sanitize.sh       # the whole suite under AddressSanitizer and UBSan
bash scripts/fuzz.sh           # 60 s of libFuzzer sessions
bash scripts/x11_soak.sh       # the real program on Xvfb, 30 s of random input
bash scripts/layouts.sh        # P on seven keyboard layouts, menu keys, window hints, under openbox
bash scripts/home_install_check.sh  # home-folder install and uninstall, cpack between them
bash scripts/package_check.sh  # the Debian package: files, lint, install, start, remove
