#!/usr/bin/env bash
# Builds the game and starts it: installs the Debian packages it needs when
# they are missing, builds in build-play/ and runs the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh play
cmake -S . -B build-play -DCMAKE_BUILD_TYPE=Release -DQUORVEX_TESTS=OFF -DQUORVEX_BENCH=OFF >/dev/null
cmake --build build-play -j"$(nproc)" --target quorvex
exec build-play/app/quorvex
