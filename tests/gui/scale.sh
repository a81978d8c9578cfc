#!/usr/bin/env bash
# GUI test of the Linux program drawn at scale 2, as on a dense screen: the
# desktop asks for it through GDK_SCALE, the board must come up at twice
# its size with its shape, and be played at twice the pixels. The screen is
# read back with the probe at that scale.
# Usage: tests/gui/scale.sh QUORVEX_PROGRAM GUI_PROBE
set -euo pipefail
game=$1
probe=$2
export GUI_SCREEN=2400x1800
source "$(dirname "$0")/lib.sh"

eval "$("$probe" geometry)"
export XDG_CONFIG_HOME="$work/config" GDK_SCALE=2 PROBE_SCALE=2
s=2

start_game
read -r main_x main_y < <(place_of $((MAIN_W * s)) $((MAIN_H * s))) || {
  echo "FAIL no board of $((MAIN_W * s)) x $((MAIN_H * s)) appeared"; game_windows; cat "$work/game.log"; exit 1; }
check "GDK_SCALE=2 gives a board of $((MAIN_W * s)) x $((MAIN_H * s))" test -n "$main_x"
check "... centred on the screen as at 1x" equal "$main_x $main_y" \
  "$(((screen_w / s - DESIGN_W) / 2 * s)) $(((screen_h / s - DESIGN_H) / 2 * s))"
shot
check "the desktop shows outside the scaled outline, the board inside" "$probe" outline "$work/shot.bmp" "$main_x" "$main_y"

# A ball dragged at twice the pixels lands in the first hole of row 12.
drag $((main_x + COLOR_6_X * s)) $((main_y + COLOR_6_Y * s)) $((main_x + HOLE_1_12_X * s)) $((main_y + HOLE_1_12_Y * s))
shot
check "a ball dropped at scaled coordinates lands and reads back" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 6
# 13 logical pixels right of a hole's centre is no hole, at any scale.
drag $((main_x + COLOR_2_X * s)) $((main_y + COLOR_2_Y * s)) \
  $((main_x + (HOLE_2_12_X + 13) * s)) $((main_y + HOLE_2_12_Y * s))
shot
check "a ball let go 13 logical pixels from a hole stays out" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 2 12)" 0

# F10: scale 3 at once, the board's corner where it was.
key F10
check "F10 redraws the board at scale 3 in place" equal "$(place_of $((MAIN_W * 3)) $((MAIN_H * 3)))" "$main_x $main_y"
sleep 0.5; shot
check "... with the ball still in its hole" equal "$(PROBE_SCALE=3 "$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 6
key F10
check "F10 again: back to 1x" equal "$(place_of "$MAIN_W" "$MAIN_H")" "$main_x $main_y"
click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the exit bullet ends the program" ended
ini="$XDG_CONFIG_HOME/Varnel/QuorVex.ini"
check "the chosen scale is kept" grep -qx 'Scale=1' "$ini"
check "the board's place is kept in screen pixels" grep -qx "MainLeft=$main_x" "$ini"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
