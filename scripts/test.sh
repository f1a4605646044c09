#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless (window tests use Qt's offscreen platform). Fails on any failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh test
ctest --test-dir build --output-on-failure --timeout 300 -j"$(nproc)"
# The window tests again on the QTimer clock of systems without timerfd.
cmake --preset qttimer
cmake --build --preset qttimer -j"$(nproc)" --target window_tests
ctest --test-dir build-qttimer -R '^window\.' --output-on-failure --timeout 300 -j"$(nproc)"
# Longer checks, each a script of its own that installs what it needs.
bash scripts/cross_check.sh    # Windows x86/x64 under Wine and WebAssembly under node: tests and equal play hashes
bash scripts/web_check.sh      # the browser front end in Chromium, Firefox ESR and WebKitGTK
bash scripts/win32_soak.sh windows-x86 && bash scripts/win32_soak.sh windows-x64  # the Windows .exe, 30 s each under Wine
bash scripts/win32_layouts.sh  # P on eight keyboard layouts and the Speed menu by mouse and keys, under Wine (x86, else x64)
bash scripts/win32_install_check.sh windows-x86 && bash scripts/win32_install_check.sh windows-x64  # zips and installers under Wine
bash scripts/sanitize.sh       # the whole suite under AddressSanitizer and UBSan
bash scripts/fuzz.sh           # 60 s of libFuzzer sessions
bash scripts/x11_soak.sh       # the real program on Xvfb, 30 s of random input
bash scripts/layouts.sh        # P on seven keyboard layouts, menu keys, window hints, under openbox
bash scripts/home_install_check.sh  # home-folder install and uninstall, cpack between them
bash scripts/package_check.sh  # the Debian package: files, lint, install, start, remove
# Where 32-bit programs cannot run, the Windows checks above ran on the 64-bit build alone.
source scripts/lib/wine.sh
wine_setup >/dev/null
x86_runs || x86_skip_line
