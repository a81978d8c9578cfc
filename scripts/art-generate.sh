#!/usr/bin/env bash
# Regenerates every picture, the cursor and the icon into resources/ with
# the art generator (needs cairo, pango and the fonts: scripts/deps.sh art).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh art
cmake -S . -B build-art >/dev/null
cmake --build build-art -j2 --target quorvex_artgen
build-art/tools/quorvex_artgen resources
# The desktop's icon theme wants PNGs: the icon as drawn at 2x and 3x (64 and
# 96 pixels; the 32-pixel one is the 1x icon's). Stripped of ImageMagick's
# time stamps so a rerun changes nothing.
for size in 64:2x 96:3x; do
  convert "ico:resources/${size#*:}/QuorVex.ico" -strip "png32:resources/linux/quorvex-${size%%:*}.png"
done
echo "resources/ regenerated"
