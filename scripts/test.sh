#!/usr/bin/env bash
# Builds the game and runs every test, headless (offscreen windows, dummy audio).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --test-dir build --output-on-failure -j "$(nproc)"
