#!/usr/bin/env bash
# Regenerates every picture, the cursor and the icon into resources/ with
# the art generator (needs cairo, pango and the fonts: scripts/deps.sh art).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh art
cmake -S . -B build-art >/dev/null
cmake --build build-art -j2 --target quorvex_artgen
build-art/tools/quorvex_artgen resources
echo "resources/ regenerated"
