#!/usr/bin/env bash
# Builds the preview program and writes a PNG of a board in play with the
# side windows beside it, drawn from the embedded pictures. Needs ImageMagick.
# Usage: scripts/art-preview.sh [out.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build-art/preview.png}"
cmake -S . -B build-art >/dev/null
cmake --build build-art -j2 --target quorvex_preview
mkdir -p "$(dirname "$out")"
build-art/tools/quorvex_preview "$out.bmp"
convert "$out.bmp" "$out"
rm -f "$out.bmp"
echo "$out"
