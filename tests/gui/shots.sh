#!/usr/bin/env bash
# Screenshots of the running game for review, on a white desktop: a game in
# play with the timer and combinations windows beside the board, then the
# same board with see-through holes (a double click on bare board), then
# with the balls' symbols (F9).
# Usage: tests/gui/shots.sh QUORVEX_PROGRAM GUI_PROBE [OUT_DIR]
#        (default OUT_DIR build-shots/game; writes board.png, see-through.png
#        and symbols.png)
set -euo pipefail
game=$1
probe=$2
out=${3:-build-shots/game}
mkdir -p "$out"
out=$(cd "$out" && pwd)
source "$(dirname "$0")/lib.sh"
eval "$("$probe" geometry)"
export XDG_CONFIG_HOME="$work/config"

start_game
read -r main_x main_y < <(place_of "$MAIN_W" "$MAIN_H") || { echo "the main window never appeared"; exit 1; }
key F3                                     # the opening row, evaluated
drag $((main_x + COLOR_6_X)) $((main_y + COLOR_6_Y)) $((main_x + HOLE_1_11_X)) $((main_y + HOLE_1_11_Y))
drag $((main_x + COLOR_8_X)) $((main_y + COLOR_8_Y)) $((main_x + HOLE_3_11_X)) $((main_y + HOLE_3_11_Y))
key F11
read -r x y < <(place_of "$TIMER_W" "$TIMER_H")
drag $((x + 8)) $((y + 26)) $((main_x + MAIN_W + 18)) $((main_y + 126))
key F12
read -r x y < <(place_of "$COMBS_W" "$COMBS_H")
drag $((x + 8)) $((y + 26)) $((main_x + MAIN_W + 18)) $((main_y + 196))
xdotool mousemove 5 5
sleep 1.2                                  # a tick of the timer
import -window root "$out/board.png"
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); sleep 0.2
xdotool click --repeat 2 --delay 80 1
xdotool mousemove 5 5; sleep 0.5
import -window root "$out/see-through.png"
key F9; sleep 0.3
import -window root "$out/symbols.png"
echo "$out/board.png $out/see-through.png $out/symbols.png"
