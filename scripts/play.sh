#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh play
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Built build/zorvane, but there is no display to show it on (DISPLAY is not set)." >&2
  exit 1
fi
exec ./build/zorvane
