#!/usr/bin/env bash
# Composes a contact sheet of every picture, the cursor and the icon, for
# review: each shown at twice its size (the board at its own size) with its
# window and name. Needs ImageMagick.
# Usage: scripts/art-contact-sheet.sh [resources-dir] [out.png]
set -euo pipefail
cd "$(dirname "$0")/.."
res="${1:-resources}"
out="${2:-build-art/contact-sheet.png}"
mkdir -p "$(dirname "$out")"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

n=0
for f in $(find "$res" -type f \( -name '*.bmp' -o -name '*.cur' -o -name '*.ico' \) | LC_ALL=C sort); do
  rel="${f#"$res"/}"
  n=$((n + 1))
  png="$tmp/$(printf '%03d' "$n").png"
  src="$f"
  case "$f" in
    *.cur) src="cur:$f" ;;
    *.ico) src="ico:$f" ;;
  esac
  w=$(identify -format '%w' "$src" 2>/dev/null | head -c 6)
  scale=200%
  [ "${w:-0}" -gt 300 ] && scale=100%
  size=$(identify -format '%wx%h' "$src" | head -n1)
  # Cursors and icons have transparent parts: show them on a checker board.
  convert \( -size 600x600 pattern:checkerboard \) \( "$src" -scale "$scale" \) \
    -gravity northwest -compose over -composite -trim +repage "$png.tmp.png" 2>/dev/null \
    || convert "$src" -scale "$scale" "$png.tmp.png"
  convert "$src[0]" -background '#2b2b2b' -scale "$scale" "$png.tmp.png"
  montage -label "$rel ($size)" "$png.tmp.png" -pointsize 11 -fill white -background '#2b2b2b' \
    -geometry +4+4 "$png"
  rm -f "$png.tmp.png"
done
montage "$tmp"/*.png -tile 6x -geometry +6+6 -background '#2b2b2b' "$out"
echo "$out"
