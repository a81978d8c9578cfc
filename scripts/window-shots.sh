#!/usr/bin/env bash
# Builds the snapshot tools and writes a PNG of each of the seven side
# windows and of the board in play (alone and with the windows beside it),
# from the pixels the game presents on the headless backend.
# Usage: scripts/window-shots.sh [build-dir]   (default build-shots; PNGs in <build-dir>/shots/)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-shots}"
scripts/deps.sh test
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j2 --target quorvex_window_shots
mkdir -p "$build/shots"
"$build/tools/quorvex_window_shots" "$build/shots"
