#!/usr/bin/env bash
# The browser front end in Debian's headless Chromium, and the same plays in
# Firefox ESR and WebKitGTK (its WebDriver on an Xvfb screen of its own):
# builds the page into build-web/site/, installs the pinned puppeteer-core
# (it downloads no browser) and runs the page's tests with node's own test
# runner. Installs what is missing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/packages.sh
need_packages cmake make emscripten nodejs chromium firefox-esr webkit2gtk-driver xvfb fonts-liberation googletest \
  libgtest-dev
# Some Node.js packages carry npm inside and conflict with Debian's.
command -v npm >/dev/null || need_packages npm

export NODE_PATH=/usr/share/nodejs
cmake --preset web >/dev/null
cmake --build --preset web --target zorvane_site
cd tests/web
PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
node --test
