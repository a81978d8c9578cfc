#!/usr/bin/env bash
# Start-up of QuorVex.exe under Wine: the time from launch to the main
# window mapped on the screen, the median of several launches, in a private
# Xvfb and a fresh prefix whose wineserver stays up between launches (as the
# system does on Windows). Each run ends by the exit bullet, as a player
# ends it. The map is seen by an X client watching the root window (xev),
# so nothing polls while the program starts. Also prints the file's size.
# A second argument draws the game at that scale (the player's stored
# choice), on a screen big enough for it; a third names another
# QuorVex.exe to measure instead (an earlier build, say).
# Usage: bench/wine-startup.sh [LAUNCHES] [SCALE] [EXE]   (default 7, 1; needs
# build-win and the README build's quorvex_gui_probe)
set -euo pipefail
cd "$(dirname "$0")/.."
launches=${1:-7}
scale=${2:-1}
exe=$(realpath "${3:-build-win/app/QuorVex.exe}")
[ "$scale" -eq 1 ] || export GUI_SCREEN=${GUI_SCREEN:-2112x1680}
probe="$PWD/build/tests/quorvex_gui_probe"
for f in "$exe" "$probe"; do [ -f "$f" ] || { echo "missing $f"; exit 1; }; done
command -v xev >/dev/null || { echo "missing xev (x11-utils)"; exit 1; }

. tests/wine/lib.sh
eval "$("$probe" geometry)"
wineserver -w  # the one wineboot left, then one that stays
wineserver -p
[ "$scale" -eq 1 ] || reg_set Windows Scale "$scale"
# The window's place and the points aimed at, in screen pixels; the board
# is centred in logical pixels at its design size.
MAIN_W=$((MAIN_W * scale)) MAIN_H=$((MAIN_H * scale))
main_x=$(((screen_w / scale - DESIGN_W) / 2 * scale)) main_y=$(((screen_h / scale - DESIGN_H) / 2 * scale))
BUTTON_7_X=$((BUTTON_7_X * scale)) BUTTON_7_Y=$((BUTTON_7_Y * scale))

mkfifo "$work/events"
stdbuf -oL xev -root -event substructure >"$work/events" 2>/dev/null &
watcher=$!
trap 'kill $watcher 2>/dev/null || true; wineserver -k 2>/dev/null || true; cleanup' EXIT
exec 4<"$work/events"

# One launch; prints the milliseconds to the main window's map.
measure() {
  local line t0 t1="" id
  while read -r -t 0.05 line <&4; do :; done  # events of the last run
  t0=$EPOCHREALTIME
  start_game
  while read -r -t 60 line <&4; do
    case "$line" in
      MapNotify*) t1=$EPOCHREALTIME ;;
      *"event 0x"*"window 0x"*)
        # The line after MapNotify names the window. Wine maps helper
        # windows too: only the main window counts.
        [ -n "$t1" ] || continue
        id=$(sed -E 's/.*window (0x[0-9a-f]+).*/\1/' <<<"$line")
        xwininfo -id "$id" 2>/dev/null | grep -q "geometry ${MAIN_W}x${MAIN_H}" && break
        t1="" ;;
    esac
  done
  [ -n "$t1" ] || { echo "no main window" >&2; return 1; }
  wait_place "$MAIN_W" "$MAIN_H" >/dev/null
  sleep 1
  click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
  wait_ended || { echo "the game did not end" >&2; return 1; }
  awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.0f\n", (b - a) * 1000}'
}

for ((i = 1; i <= launches; i++)); do measure >>"$work/samples"; done
median=$(sort -n "$work/samples" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}')
echo "QuorVex.exe: $(stat -c %s "$exe") bytes"
echo "launch to the main window mapped under Wine at ${scale}x: median $median ms of $launches launches ($(sort -n "$work/samples" | tr '\n' ' '| sed 's/ $//') ms)"
