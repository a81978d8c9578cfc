#!/usr/bin/env bash
# Checks that includes point one way only: the rules and the pixel helpers
# know nothing of the platform, the window framework or the windows, the
# pixel helpers nothing of the rules, the side windows nothing of the board
# window, and only a backend's own folder sees the system's window headers.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=0
report() { echo "layer violation: $1"; bad=1; }

while IFS= read -r hit; do report "$hit"; done < <(
  grep -nE '^\s*#\s*include\s*[<"](platform|forms|board|windows|resources)/' -r game util || true)
while IFS= read -r hit; do report "$hit"; done < <(
  grep -nE '^\s*#\s*include\s*[<"](board|windows)/' -r platform forms || true)
# The pixel helpers sit beside the rules, not above them.
while IFS= read -r hit; do report "$hit"; done < <(
  grep -nE '^\s*#\s*include\s*[<"]game/' -r util || true)
# The side windows and the board window are siblings: the board opens the
# side windows, never the other way round.
while IFS= read -r hit; do report "$hit"; done < <(
  grep -nE '^\s*#\s*include\s*[<"]board/' -r windows || true)
while IFS= read -r hit; do report "$hit"; done < <(
  grep -nE '^\s*#\s*include\s*<(SDL2?/|SDL\.h|X11/|windows\.h|winuser\.h|wingdi\.h|emscripten[./])' -r \
    game util forms board windows resources platform --include='*.h' --include='*.cpp' |
    grep -vE '^platform/(sdl|win32|web)/' || true)
[ "$bad" -eq 0 ] && echo "layers: includes point one way"
exit "$bad"
