#!/usr/bin/env bash
# The long soak: the whole program played on the headless backend through
# events only, game after game over all twelve settings, every invariant
# checked after every command. Prints the games, the commands and the
# resident memory at start and end.
# Usage: scripts/soak.sh [games]   (default 10000)
set -euo pipefail
cd "$(dirname "$0")/.."
games="${1:-10000}"
scripts/deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quorvex_tests
QUORVEX_SOAK_GAMES="$games" /usr/bin/time -f "soak: %e s, peak resident %M KiB" \
  build/tests/quorvex_tests --gtest_filter='*Soak*' 2>&1 | grep -E "soak:|OK|FAILED|Failure" 
