#!/usr/bin/env bash
# GUI test of the Windows program, QuorVex.exe, under Wine in a private
# Xvfb with a white desktop and a fresh Wine prefix, driven by xdotool. The
# screen is read back with ImageMagick and checked against the board's
# geometry table and the embedded pictures (through the probe of the Linux
# GUI test), never against the game's own idea of what it drew; the store
# is the prefix's registry, read with Wine's reg tool.
# Usage: scripts/wine-test.sh   (installs and builds what it needs)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. tests/wine/prepare.sh

# Room for the board at scale 2 (1056 x 840) beside everything else.
export GUI_SCREEN=2112x1680
. tests/wine/lib.sh


eval "$("$probe" geometry)"

. tests/gui/scenario.sh

scenario_first_start
for name in Spaces Colors Doubles Holes ViewTimer ViewCombs High; do
  check "the registry holds Game\\$name as text" equal "$(reg_type Game $name)" REG_SZ
done

# The records as another program may write them: an expandable text.
reg_set Game High "$high" REG_EXPAND_SZ
scenario_second_start
# A double click on bare board opens the empty holes to the desktop.
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); sleep 0.3
xdotool click --repeat 2 --delay 80 1
shot
pixel() { convert "$work/shot.bmp" -format '%[pixel:p{'"$1,$2"'}]' info:; }
check "a double click lets the desktop show through an empty hole" \
  equal "$(pixel $((main_x + HOLE_3_1_X)) $((main_y + HOLE_3_1_Y)))" "$(pixel $((screen_w - 1)) $((screen_h - 1)))"
# F1: the HTML help beside the program, through the shell's association
# for web pages (a fresh prefix without Gecko has none; a Windows machine
# always has one), which Wine hands to xdg-open: here a stand-in that notes
# what it was asked to show.
wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$1" > "%s/help-request"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
board_key F1
for _ in $(seq 100); do [ -s "$work/help-request" ] && break; sleep 0.1; done
check "F1 opens the HTML help beside the program" \
  equal "$(cat "$work/help-request" 2>/dev/null)" "file://$(dirname "$exe")/QuorVex.html"
click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the exit bullet ends the second run" wait_ended
check "... and stores the see-through holes" equal "$(reg_value Game Holes)" 1
# It already says what a save would write, so it is left as it was stored.
check "the record text is left unchanged, as it was stored" equal "$(reg_value Game High) $(reg_type Game High)" "$high REG_EXPAND_SZ"

scenario_under_window_manager
scenario_record_then_close

# ---- last start: drawn at scale 2 (the registry value Scale) -------------
reg_set Windows Scale 2
reg_set Game Holes 0  # the earlier run opened the holes; the outline check wants them closed
start_game
read -r main_x main_y < <(wait_place $((MAIN_W * 2)) $((MAIN_H * 2))) || main_x=""
check "Scale=2 in the registry gives a board of $((MAIN_W * 2)) x $((MAIN_H * 2))" test -n "$main_x"
if [ -n "$main_x" ]; then
  sleep 1; shot
  check "the desktop shows outside the scaled outline, the board inside" \
    env PROBE_SCALE=2 "$probe" outline "$work/shot.bmp" "$main_x" "$main_y"
  click $((main_x + BARE_X * 2)) $((main_y + BARE_Y * 2)); key F2
  drag $((main_x + COLOR_6_X * 2)) $((main_y + COLOR_6_Y * 2)) $((main_x + HOLE_1_12_X * 2)) $((main_y + HOLE_1_12_Y * 2))
  sleep 0.5; shot
  check "a ball dropped at scaled coordinates lands and reads back" \
    equal "$(PROBE_SCALE=2 "$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 6
  click $((main_x + BUTTON_7_X * 2)) $((main_y + BUTTON_7_Y * 2))
  check "the exit bullet of the scaled board ends the program" wait_ended
  check "... and the place is kept in screen pixels" equal "$(reg_value Windows MainLeft)" "$main_x"
fi

# ---- log-off: the session ends with the board and the timer moved ---------
# Everything is stored before the program answers that the session may end;
# the system may end the process at any moment after.
reg_set Windows Scale 1
start_game
read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") || main_x=""
check "the board appears for the log-off" test -n "$main_x"
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key F11
read -r timer_x timer_y < <(wait_place "$TIMER_W" "$TIMER_H") || timer_x=""
xdotool windowmove "$(window_id_of "$MAIN_W" "$MAIN_H")" 140 90; sleep 0.5
xdotool windowmove "$(window_id_of "$TIMER_W" "$TIMER_H")" 700 60; sleep 0.5
check "the board and the timer were moved" equal "$(wait_place "$MAIN_W" "$MAIN_H")/$(wait_place "$TIMER_W" "$TIMER_H")" "140 90/700 60"
wineboot -e >"$work/logoff.log" 2>&1 || true
check "the session's end ends the game" wait_ended
check "... with the board's place stored" equal "$(reg_value Windows MainLeft) $(reg_value Windows MainTop)" "140 90"
check "... and the timer's" equal "$(reg_value Windows TimerLeft) $(reg_value Windows TimerTop)" "700 60"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
