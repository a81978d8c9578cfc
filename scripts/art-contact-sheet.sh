#!/usr/bin/env bash
# Composes a contact sheet of every picture, the cursor and the icon, for
# review: small pictures at twice their size, large ones at their own, each
# labelled with its path and size; the cursor and icon on a checker board so
# their see-through parts show. Needs ImageMagick.
# Usage: scripts/art-contact-sheet.sh [resources-dir] [out.png]
set -euo pipefail
cd "$(dirname "$0")/.."
res="${1:-resources}"
out="${2:-build-art/contact-sheet.png}"
mkdir -p "$(dirname "$out")"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

n=0
while IFS= read -r f; do
  rel="${f#"$res"/}"
  n=$((n + 1))
  tile="$tmp/$(printf '%03d' "$n").png"
  case "$f" in
    *.cur) src="cur:$f" ;;
    *.ico) src="ico:$f[0]" ;;  # the first (smallest) of a file of many sizes
    *) src="$f" ;;
  esac
  size=$(identify -format '%wx%h ' "$src" | cut -d' ' -f1)
  width=${size%x*}
  scale=200%
  [ "$width" -gt 300 ] && scale=100%
  case "$f" in
    *.cur | *.ico)
      scale=400%
      convert -size 128x128 pattern:checkerboard \( "$src" -scale "$scale" \) -composite "$tmp/pic.png" ;;
    *)
      convert "$src" -scale "$scale" "$tmp/pic.png" ;;
  esac
  montage -label "$rel ($size)" "$tmp/pic.png" -pointsize 11 -fill white -background '#2b2b2b' \
    -geometry +4+4 "$tile"
done < <(find "$res" -type f \( -name '*.bmp' -o -name '*.cur' -o -name '*.ico' \) | LC_ALL=C sort)

montage "$tmp"/[0-9]*.png -tile 8x -geometry +6+6 -background '#2b2b2b' "$out"
echo "$out"
