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
scripts/deps.sh test
scripts/deps.sh wine
# The Windows program, and on this machine the probe (the board's tables
# and pictures, built for the host).
scripts/cross-build.sh >/dev/null
exe="$root/build-win/app/QuorVex.exe"
cmake -S . -B build-w32 -DQUORVEX_BENCH=OFF >/dev/null
cmake --build build-w32 --target quorvex_gui_probe -j2 >/dev/null
probe="$root/build-w32/tests/quorvex_gui_probe"

# Room for the board at scale 2 (1056 x 840) beside everything else.
export GUI_SCREEN=2112x1680
. tests/wine/lib.sh


eval "$("$probe" geometry)"
eval "$(layout_geometry)"

# ---- first start: stored settings and one record, as another program writes them
# (reg counts the terminating zero in a text's size; the game does not).
spaces=5 colors=8 doubles=0 record_rows=5 record_seconds=42
reg_set Game Spaces $spaces
reg_set Game Colors $colors
reg_set Game Doubles $doubles
reg_set Game High "$("$probe" high $spaces $colors $doubles $record_rows $record_seconds)"
start_game

read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") || { echo "FAIL the main window never appeared"; cat "$work/game.log"; exit 1; }
check "main window at the centred default" equal "$main_x $main_y" \
  "$(((screen_w - DESIGN_W) / 2)) $(((screen_h - DESIGN_H) / 2))"
main_id=$(window_id_of "$MAIN_W" "$MAIN_H")
check "main window is shaped (xwininfo -shape)" \
  bash -c "xwininfo -id $main_id -shape | grep -q 'Window shape extents' && ! xwininfo -id $main_id -shape | grep -q 'No window shape'"
sleep 1; shot
check "the desktop shows outside the outline, the board inside" "$probe" outline "$work/shot.bmp" "$main_x" "$main_y"

# Keys reach the window under the pointer: bare board.
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y))
key F12
read -r combs_x combs_y < <(wait_place "$COMBS_W" "$COMBS_H") || combs_x=""
check "F12 shows the combinations window" test -n "$combs_x"
# Out of the board's way, since a press on the board brings it to the front.
dx=$((main_x + MAIN_W + 10 - combs_x)) dy=23
drag $((combs_x + 8)) $((combs_y + COMBS_H / 2)) $((combs_x + 8 + dx)) $((combs_y + COMBS_H / 2 + dy))
check "a side window dragged by its background moves by the pointer's movement" \
  equal "$(wait_place "$COMBS_W" "$COMBS_H")" "$((combs_x + dx)) $((combs_y + dy))"
combs_x=$((combs_x + dx)) combs_y=$((combs_y + dy))
shot
check "its count is the starting count of the stored settings" equal \
  "$("$probe" digits "$work/shot.bmp" $((combs_x + COMBS_TEXT_X)) $((combs_y + COMBS_TEXT_Y)) "$COMBS_CHARS" || true)" "__6720"

xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y))
play_opening_row

# The board dragged off the left edge: the stored place will be negative.
dx=$((-main_x - 38)) dy=-20
drag $((main_x + BARE_X)) $((main_y + BARE_Y)) $((main_x + BARE_X + dx)) $((main_y + BARE_Y + dy))
check "the board dragged by bare board moves by the pointer's movement" \
  equal "$(wait_place "$MAIN_W" "$MAIN_H")" "-38 $((main_y + dy))"
check "the visible combinations window moves with it" \
  equal "$(wait_place "$COMBS_W" "$COMBS_H")" "$((combs_x + dx)) $((combs_y + dy))"
main_x=-38 main_y=$((main_y + dy)) combs_x=$((combs_x + dx)) combs_y=$((combs_y + dy))

xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y))
key F11
read -r timer_x timer_y < <(wait_place "$TIMER_W" "$TIMER_H") || timer_x=""
check "F11 shows the timer window" test -n "$timer_x"
# Below the others, so nothing covers it at the next start.
drag $((timer_x + 8)) $((timer_y + TIMER_H / 2)) $((560 + 8)) $((640 + TIMER_H / 2))
check "the timer window is dragged by its background too" equal "$(wait_place "$TIMER_W" "$TIMER_H")" "560 640"
timer_x=560 timer_y=640
shot
check "the timer window shows the stored record" equal \
  "$("$probe" digits "$work/shot.bmp" $((timer_x + RECORD_X)) $((timer_y + RECORD_Y)) "$RECORD_CHARS" || true)" "_5/042"

# A modal window takes all input while the timers go on ticking.
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key F5
check "F5 shows the options window" test -n "$(wait_place "$OPTIONS_W" "$OPTIONS_H" 10 || true)"
shot
before=$("$probe" digits "$work/shot.bmp" $((timer_x + TIME_X)) $((timer_y + TIME_Y)) "$TIME_CHARS" | tr -d _ || true)
# The colour column is off the screen now; the ball in hole 1 is carried.
from_x=HOLE_1_${row}_X from_y=HOLE_1_${row}_Y hole_x=HOLE_2_${row}_X hole_y=HOLE_2_${row}_Y
drag $((main_x + ${!from_x})) $((main_y + ${!from_y})) $((main_x + ${!hole_x})) $((main_y + ${!hole_y}))
sleep 1.5; shot
after=$("$probe" digits "$work/shot.bmp" $((timer_x + TIME_X)) $((timer_y + TIME_Y)) "$TIME_CHARS" | tr -d _ || true)
check "meanwhile the timer ticks ($before s, then $after s)" test "${after:-0}" -gt "${before:-0}"
check "... and a ball dragged on the board behind does not land" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 2 $row)" 0
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key Escape
check "Escape closes the options window" gone "$OPTIONS_W" "$OPTIONS_H"

# F1: the HTML help beside the program, through the shell's association
# for web pages (a fresh prefix without Gecko has none; a Windows machine
# always has one), which Wine hands to xdg-open: here a stand-in that notes
# what it was asked to show.
wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$1" > "%s/help-request"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key F1
for _ in $(seq 100); do [ -s "$work/help-request" ] && break; sleep 0.1; done
check "F1 opens the HTML help beside the program" \
  equal "$(cat "$work/help-request" 2>/dev/null)" "file://$(dirname "$exe")/QuorVex.html"

click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the exit bullet ends the program" wait_ended
check "... with exit status 0" equal "${status:-none}" 0

for name in Spaces Colors Doubles Holes ViewTimer ViewCombs High; do
  check "the registry holds Game\\$name as text" equal "$(reg_type Game $name)" REG_SZ
done
high=$(reg_value Game High)
check "Game\\High is 72 characters long, hexadecimal" bash -c "[[ '$high' =~ ^[0-9A-F]{72}\$ ]]"
check "the stored settings are kept" equal "$(reg_value Game Spaces)/$(reg_value Game Colors)/$(reg_value Game Doubles)" "5/8/0"
check "the view flags follow the windows shown at the exit" equal "$(reg_value Game ViewTimer)$(reg_value Game ViewCombs)" "11"
check "the main window's place is stored (a negative left edge)" \
  equal "$(reg_value Windows MainLeft) $(reg_value Windows MainTop)" "$main_x $main_y"
check "the combinations window's place is stored" \
  equal "$(reg_value Windows CombsLeft) $(reg_value Windows CombsTop)" "$combs_x $combs_y"

# ---- second start: everything comes back from the registry -----------------
# The records as another program may write them: an expandable text.
reg_set Game High "$high" REG_EXPAND_SZ
start_game
# Its stored place left its top-left corner off the screen, where it could
# not be grabbed: it opens at the centred default instead.
main_x=$(((screen_w - DESIGN_W) / 2)) main_y=$(((screen_h - DESIGN_H) / 2))
check "the main window, stored off the left edge, comes back at the default place" \
  equal "$(wait_place "$MAIN_W" "$MAIN_H")" "$main_x $main_y"
read -r timer_x timer_y < <(wait_place "$TIMER_W" "$TIMER_H") || timer_x=""
check "the timer window starts visible at its stored place" equal "$timer_x $timer_y" "560 640"
sleep 1; shot
check "a second start shows the record stored in the registry" equal \
  "$("$probe" digits "$work/shot.bmp" $((timer_x + RECORD_X)) $((timer_y + RECORD_Y)) "$RECORD_CHARS" || true)" "_5/042"
# A double click on bare board opens the empty holes to the desktop.
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); sleep 0.3
xdotool click --repeat 2 --delay 80 1
shot
pixel() { convert "$work/shot.bmp" -format '%[pixel:p{'"$1,$2"'}]' info:; }
check "a double click lets the desktop show through an empty hole" \
  equal "$(pixel $((main_x + HOLE_3_1_X)) $((main_y + HOLE_3_1_Y)))" "$(pixel $((screen_w - 1)) $((screen_h - 1)))"
click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the exit bullet ends the second run" wait_ended
check "... and stores the see-through holes" equal "$(reg_value Game Holes)" 1
check "the record text is written back unchanged" equal "$(reg_value Game High)" "$high"

# ---- third start, under a window manager ----------------------------------
# The board moved by the window manager is played where it now is, and a
# button held while a modal message opens does nothing when let go.
start_wm
start_game
# (The window manager may pull a window that stood partly off the screen back onto it.)
read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") || main_x=""
check "the main window comes back under the window manager" test -n "$main_x"
# Dragged fully onto the screen by bare board, for the steps below.
drag $((main_x + BARE_X)) $((main_y + BARE_Y)) $((100 + BARE_X)) $((100 + BARE_Y))
check "the board is dragged to (100, 100)" equal "$(wait_place "$MAIN_W" "$MAIN_H")" "100 100"
main_x=100 main_y=100
click $((main_x + BARE_X)) $((main_y + BARE_Y)); key F2
drag $((main_x + COLOR_5_X)) $((main_y + COLOR_5_Y)) $((main_x + HOLE_1_12_X)) $((main_y + HOLE_1_12_Y))
sleep 0.5; shot
check "a ball dropped into the first hole lands there" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 5
xdotool mousemove $((main_x + BUTTON_1_X)) $((main_y + BUTTON_1_Y)); sleep 0.3
xdotool mousedown 1; sleep 0.3
key space
check "Space on a row that is not full shows the message" test -n "$(wait_place "$MESSAGE_W" "$MESSAGE_H" 10 || true)"
xdotool mouseup 1; sleep 1
check "the release of the held New bullet does nothing behind the message" \
  test -n "$(wait_place "$MESSAGE_W" "$MESSAGE_H" 5 || true)"
read -r message_x message_y < <(wait_place "$MESSAGE_W" "$MESSAGE_H" 5) || message_x=""
xdotool mousemove $((message_x + MESSAGE_W / 2)) $((message_y + MESSAGE_H / 2)); key Return
check "Enter closes the message" gone "$MESSAGE_W" "$MESSAGE_H"
sleep 0.5; shot
check "... and the row still holds its ball: no new game ran" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 5
xdotool windowmove "$(window_id_of "$MAIN_W" "$MAIN_H")" 300 250; sleep 1
check "the window manager moves the board to (300, 250)" equal "$(wait_place "$MAIN_W" "$MAIN_H")" "300 250"
old_x=$main_x old_y=$main_y main_x=300 main_y=250
click $((old_x + BUTTON_7_X)) $((old_y + BUTTON_7_Y))
check "a click where the Exit bullet used to be does not end the program" kill -0 "$pid"
drag $((main_x + COLOR_5_X)) $((main_y + COLOR_5_Y)) $((main_x + HOLE_2_12_X)) $((main_y + HOLE_2_12_Y))
sleep 0.5; shot
check "a ball dropped on the moved board lands in its hole" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 2 12)" 5
click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the Exit bullet of the moved board ends the program" wait_ended
check "... which stores the board's place the window manager gave it" \
  equal "$(reg_value Windows MainLeft) $(reg_value Windows MainTop)" "300 250"

# ---- fourth start: a record, then a close request (Alt+F4: WM_CLOSE) --------
# Settings without a record of their own, so the first win is one.
reg_set Game Spaces 4
reg_set Game Colors 6
reg_set Game Doubles 0
spaces=4 colors=6 doubles=0
timer_before=$(reg_value Game ViewTimer)
start_game
read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") || main_x=""
check "the fourth run's board appears" test -n "$main_x"
check "a game played by reading the pegs is won" win_game
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key F11
xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key alt+F4
check "Alt+F4 (a close request) ends the fourth run" wait_ended
check "the record of the win ($won_rows rows) is in the registry" \
  equal "$("$probe" record "$(reg_value Game High)" 4 6 0 | cut -d' ' -f1)" "${won_rows:-none}"
check "... next to the record kept from before" equal "$("$probe" record "$(reg_value Game High)" 5 8 0 | cut -d' ' -f1)" 5
check "the changed timer switch is stored" equal "$(reg_value Game ViewTimer)" "$((1 - timer_before))"

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
