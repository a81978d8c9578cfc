#!/usr/bin/env bash
# GUI test of the Linux program in a real X server: a private Xvfb with a
# white desktop, the game driven by xdotool, the screen read back with
# ImageMagick's import and checked against the embedded pictures and the
# board's geometry table (through the probe), never against the game's
# own idea of what it drew. The store is a private XDG_CONFIG_HOME.
# Usage: tests/gui/smoke.sh QUORVEX_PROGRAM GUI_PROBE
set -euo pipefail
game=$1
probe=$2
source "$(dirname "$0")/lib.sh"


eval "$("$probe" geometry)"

# The help viewer the game starts is this stand-in, which notes what it was
# asked to show.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$1" > "%s/help-request"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

export XDG_CONFIG_HOME="$work/config"
ini="$XDG_CONFIG_HOME/Varnel/QuorVex.ini"

ini_value() {  # ini_value SECTION NAME
  awk -v s="[$1]" -v n="$2" 'BEGIN {IGNORECASE = 1} /^\[/ {in_s = (tolower($0) == tolower(s))}
    in_s && index($0, "=") { k = substr($0, 1, index($0, "=") - 1); if (tolower(k) == tolower(n)) print substr($0, index($0, "=") + 1) }' "$ini"
}

# ---- first start: stored settings and one stored record --------------------
spaces=5 colors=8 doubles=0 record_rows=5 record_seconds=42
mkdir -p "$(dirname "$ini")"
printf '[Game]\nSpaces=%s\nColors=%s\nDoubles=%s\nHigh=%s\n' "$spaces" "$colors" "$doubles" \
  "$("$probe" high $spaces $colors $doubles $record_rows $record_seconds)" >"$ini"
start_game

read -r main_x main_y < <(place_of "$MAIN_W" "$MAIN_H") || { echo "FAIL the main window never appeared"; cat "$work/game.log"; exit 1; }
check "main window at the centred default" equal "$main_x $main_y" \
  "$(((screen_w - DESIGN_W) / 2)) $(((screen_h - DESIGN_H) / 2))"
main_id=$(window_id_of "$MAIN_W" "$MAIN_H")
check "main window is shaped (xwininfo -shape)" \
  bash -c "xwininfo -id $main_id -shape | grep -q 'Window shape extents' && ! xwininfo -id $main_id -shape | grep -q 'No window shape'"
shot
check "the desktop shows outside the outline, the board inside" "$probe" outline "$work/shot.bmp" "$main_x" "$main_y"

key F12
read -r combs_x combs_y < <(place_of "$COMBS_W" "$COMBS_H") || combs_x=""
check "F12 shows the combinations window" test -n "$combs_x"
shot
start_count=$("$probe" digits "$work/shot.bmp" $((combs_x + COMBS_TEXT_X)) $((combs_y + COMBS_TEXT_Y)) \
  "$COMBS_CHARS" || true)
# 8 colours in 5 holes, none repeated: 8 * 7 * 6 * 5 * 4 codes.
check "its count is the starting count of the stored settings" equal "$start_count" "__6720"

# Out of the board's way, since a press on the board brings it to the front.
dx=$((main_x + MAIN_W + 10 - combs_x)) dy=23
drag $((combs_x + 8)) $((combs_y + COMBS_H / 2)) $((combs_x + 8 + dx)) $((combs_y + COMBS_H / 2 + dy))
check "a side window dragged by its background moves by the pointer's movement" \
  equal "$(place_of "$COMBS_W" "$COMBS_H")" "$((combs_x + dx)) $((combs_y + dy))"
combs_x=$((combs_x + dx)) combs_y=$((combs_y + dy))

play_opening_row

# Hover lights a bullet; the pointer leaving the window puts it out.
xdotool mousemove $((main_x + BUTTON_1_X)) $((main_y + BUTTON_1_Y)); shot
check "the New bullet lights under the pointer" equal "$("$probe" lit "$work/shot.bmp" "$main_x" "$main_y" 1)" lit
xdotool mousemove 2 2; shot
check "... and goes out when the pointer leaves the window" \
  equal "$("$probe" lit "$work/shot.bmp" "$main_x" "$main_y" 1)" unlit

# A double click on bare board opens the empty holes; another closes them.
double_click() { xdotool mousemove "$1" "$2"; sleep 0.1; xdotool click --repeat 2 --delay 80 1; sleep 0.4; }
double_click $((main_x + BARE_X)) $((main_y + BARE_Y)); shot
check "a double click on bare board opens the empty holes to the desktop" \
  equal "$("$probe" hole "$work/shot.bmp" "$main_x" "$main_y" 2 1)/$("$probe" hole "$work/shot.bmp" "$main_x" "$main_y" 1 $row)" "open/closed"
double_click $((main_x + BARE_X)) $((main_y + BARE_Y)); shot
check "a second one closes them" equal "$("$probe" hole "$work/shot.bmp" "$main_x" "$main_y" 2 1)" closed

# ---- ball symbols, keyboard play, the side windows above the board ---------
check "the combinations window is transient for the board" \
  bash -c "xprop -id $(window_id_of "$COMBS_W" "$COMBS_H") WM_TRANSIENT_FOR | grep -qi '$(printf '0x%x' "$main_id")\$'"
key F9; shot
check "F9: the ball in hole 1 of row $row reads back with its symbol" \
  equal "$("$probe" symbol "$work/shot.bmp" "$main_x" "$main_y" 1 "$row")" 7
# The rest of the row typed: 9 is no colour of these 8, Backspace takes the
# last ball back. Five different colours of 8 share at least two with the
# code, so the row earns pegs.
for k in 1 2 3 BackSpace 3 9 4; do key "$k"; done
shot
typed=""
for p in $(seq 1 "$spaces"); do typed+="$("$probe" symbol "$work/shot.bmp" "$main_x" "$main_y" "$p" "$row")"; done
check "digits typed the row as symbol balls" equal "$typed" "71234"
key space; shot
read -r red white < <("$probe" pegs "$work/shot.bmp" "$main_x" "$main_y" "$row" "$spaces" || echo "0 0")
check "Space evaluates the typed row: pegs appear ($red red, $white white)" test $((red + white)) -ge 2
[ "$red" = "$spaces" ] && key Return   # the typed row was the code: its message goes
key F9

# The board dragged off the left edge: the stored place will be negative.
dx=$((-main_x - 38)) dy=-20
drag $((main_x + BARE_X)) $((main_y + BARE_Y)) $((main_x + BARE_X + dx)) $((main_y + BARE_Y + dy))
check "the board dragged by bare board moves by the pointer's movement" \
  equal "$(place_of "$MAIN_W" "$MAIN_H")" "-38 $((main_y + dy))"
check "the visible combinations window moves with it" \
  equal "$(place_of "$COMBS_W" "$COMBS_H")" "$((combs_x + dx)) $((combs_y + dy))"
main_x=-38 main_y=$((main_y + dy)) combs_x=$((combs_x + dx)) combs_y=$((combs_y + dy))

key F11
read -r timer_x timer_y < <(place_of "$TIMER_W" "$TIMER_H") || timer_x=""
check "F11 shows the timer window" test -n "$timer_x"
shot
check "the timer window shows the stored record" equal \
  "$("$probe" digits "$work/shot.bmp" $((timer_x + RECORD_X)) $((timer_y + RECORD_Y)) "$RECORD_CHARS" || true)" "_5/042"

# Below the others, so nothing covers it at the next start.
drag $((timer_x + 8)) $((timer_y + TIMER_H / 2)) $((560 + 8)) $((640 + TIMER_H / 2))
check "the timer window is dragged by its background too" equal "$(place_of "$TIMER_W" "$TIMER_H")" "560 640"
timer_x=560 timer_y=640

# A modal window: only it takes input, while the timer goes on counting.
seconds() { shot; { "$probe" digits "$work/shot.bmp" $((timer_x + TIME_X)) $((timer_y + TIME_Y)) "$TIME_CHARS" || true; } | tr -d _; }
key F7
check "F7 shows the records window" place_of "$HIGH_W" "$HIGH_H" >/dev/null
before=$(seconds)
click $((main_x + BUTTON_1_X)) $((main_y + BUTTON_1_Y))  # New, had the board taken it
sleep 1.2
after=$(seconds)
check "meanwhile the board takes no input and the timer goes on ($before s, then $after s)" \
  test "${after:-0}" -gt "${before:-0}"
key Return
check "Enter closes the records window" gone "$HIGH_W" "$HIGH_H"

xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key F1
sleep 0.5
check "F1 opens the HTML help beside the program" \
  bash -c "grep -q 'QuorVex.html\$' '$work/help-request' && test -f \"\$(cat '$work/help-request')\""

click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the exit bullet ends the program" ended
check "... with exit status 0" equal "${status:-none}" 0 || true
[ "${status:-none}" = 0 ] || tail -n 60 "$work/game.log"

for name in Spaces Colors Doubles Holes ViewTimer ViewCombs High; do
  check "the store holds Game/$name" test -n "$(ini_value Game $name)"
done
check "Game/High is 72 hexadecimal digits" bash -c "[[ '$(ini_value Game High)' =~ ^[0-9A-F]{72}\$ ]]"
check "the stored settings are kept" equal "$(ini_value Game Spaces)/$(ini_value Game Colors)/$(ini_value Game Doubles)" "5/8/0"
check "the view flags follow the windows shown at the exit" equal "$(ini_value Game ViewTimer)$(ini_value Game ViewCombs)" "11"
for w in Main Timer Combs About Options Message High; do
  check "the store holds the place of $w" test -n "$(ini_value Windows ${w}Left)$(ini_value Windows ${w}Top)"
done
check "the main window's place is stored (a negative left edge)" \
  equal "$(ini_value Windows MainLeft) $(ini_value Windows MainTop)" "$main_x $main_y"
check "the combinations window's place is stored" \
  equal "$(ini_value Windows CombsLeft) $(ini_value Windows CombsTop)" "$combs_x $combs_y"

# ---- second start: everything comes back from the file ---------------------
start_game
# Its stored place left its top-left corner off the screen, where it could
# not be grabbed: it opens at the centred default instead.
main_x=$(((screen_w - DESIGN_W) / 2)) main_y=$(((screen_h - DESIGN_H) / 2))
check "the main window, stored off the left edge, comes back at the default place" \
  equal "$(place_of "$MAIN_W" "$MAIN_H")" "$main_x $main_y"
read -r timer_x timer_y < <(place_of "$TIMER_W" "$TIMER_H") || timer_x=""
check "the timer window starts visible" test -n "$timer_x"
shot
check "a second start shows the record stored in the file" equal \
  "$("$probe" digits "$work/shot.bmp" $((timer_x + RECORD_X)) $((timer_y + RECORD_Y)) "$RECORD_CHARS" || true)" "_5/042"
# A close request on the timer window is the board's: it ends the game and
# stores what the exit bullet stores.
jump $((timer_x + 8)) $((timer_y + TIMER_H / 2)) $((timer_x + 8 - 50)) $((timer_y + TIMER_H / 2 - 130))
check "a side window follows a flick that leaves it far behind" \
  equal "$(place_of "$TIMER_W" "$TIMER_H")" "$((timer_x - 50)) $((timer_y - 130))"
key alt+F4
check "Alt+F4 on the timer window ends the second run, as on the board" ended
check "... which stores the moved timer window's place" \
  equal "$(ini_value Windows TimerLeft) $(ini_value Windows TimerTop)" "$((timer_x - 50)) $((timer_y - 130))"

# ---- third start, under a window manager ----------------------------------
# What a desktop adds: a window manager that moves the board on its own, and
# a button held while a modal message opens.
start_wm
start_game
# (The window manager may pull a window that stood partly off the screen back onto it.)
read -r main_x main_y < <(place_of "$MAIN_W" "$MAIN_H") || main_x=""
check "the main window comes back under the window manager" test -n "$main_x"
# Dragged fully onto the screen by bare board, for the steps below.
drag $((main_x + BARE_X)) $((main_y + BARE_Y)) $((100 + BARE_X)) $((100 + BARE_Y))
check "the board is dragged to (100, 100)" equal "$(place_of "$MAIN_W" "$MAIN_H")" "100 100"
main_x=100 main_y=100
key F2
row=12
drag $((main_x + COLOR_5_X)) $((main_y + COLOR_5_Y)) $((main_x + HOLE_1_12_X)) $((main_y + HOLE_1_12_Y))
shot
check "a ball dropped into the first hole lands there" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 5
# New held down, Space on a row that is not full: the message opens, and the
# release behind it must not start a new game.
xdotool mousemove $((main_x + BUTTON_1_X)) $((main_y + BUTTON_1_Y)); sleep 0.2
xdotool mousedown 1; sleep 0.3
key space
check "Space on a row that is not full shows the message" place_of "$MESSAGE_W" "$MESSAGE_H" >/dev/null
xdotool mouseup 1; sleep 0.6
check "the release of the held New bullet does nothing behind the message" place_of "$MESSAGE_W" "$MESSAGE_H" >/dev/null
key Return
check "Enter closes the message" gone "$MESSAGE_W" "$MESSAGE_H"
shot
check "... and the row still holds its ball: no new game ran" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 5
xdotool windowmove "$(window_id_of "$MAIN_W" "$MAIN_H")" 300 250; sleep 0.5
check "the window manager moves the board to (300, 250)" equal "$(place_of "$MAIN_W" "$MAIN_H")" "300 250"
old_x=$main_x old_y=$main_y main_x=300 main_y=250
# Where the Exit bullet was before the move is board now: nothing ends.
click $((old_x + BUTTON_7_X)) $((old_y + BUTTON_7_Y))
check "a click where the Exit bullet used to be does not end the program" kill -0 "$pid"
drag $((main_x + COLOR_5_X)) $((main_y + COLOR_5_Y)) $((main_x + HOLE_2_12_X)) $((main_y + HOLE_2_12_Y))
shot
check "a ball dropped on the moved board lands in its hole" \
  equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 2 12)" 5
click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the Exit bullet of the moved board ends the program" ended
check "... which stores the board's place the window manager gave it" \
  equal "$(ini_value Windows MainLeft) $(ini_value Windows MainTop)" "300 250"

# ---- fourth start, under a window manager: a record, then Alt+F4 -----------
# Settings without a record of their own, so the first win is one; openbox
# turns Alt+F4 into a close request, which must store what the exit bullet
# stores.
sed -i -e 's/^Spaces=.*/Spaces=4/' -e 's/^Colors=.*/Colors=6/' -e 's/^Doubles=.*/Doubles=0/' "$ini"
spaces=4 colors=6 doubles=0
start_wm
start_game
read -r main_x main_y < <(place_of "$MAIN_W" "$MAIN_H") || main_x=""
check "under openbox the board appears" test -n "$main_x"
click $((main_x + BARE_X)) $((main_y + BARE_Y))
timer_before=$(ini_value Game ViewTimer)
check "a game played by reading the pegs is won" win_game
key F11  # the timer window's switch changes: an option only a save keeps
click $((main_x + BARE_X)) $((main_y + BARE_Y)); key alt+F4
check "Alt+F4 under openbox ends the run" ended
read -r rows _ < <("$probe" record "$(ini_value Game High)" 4 6 0 || echo "? ?")
check "the record of the win ($won_rows rows) is in the file" equal "$rows" "${won_rows:-none}"
check "... next to the record kept from before" equal "$("$probe" record "$(ini_value Game High)" 5 8 0 | cut -d' ' -f1)" 5
check "the changed timer switch is stored" equal "$(ini_value Game ViewTimer)" "$((1 - timer_before))"
start_game
read -r main_x main_y < <(place_of "$MAIN_W" "$MAIN_H") || main_x=""
check "after a restart the record is still in the file" equal \
  "$("$probe" record "$(ini_value Game High)" 4 6 0 | cut -d' ' -f1)" "${won_rows:-none}"
click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the exit bullet ends the last run" ended

# ---- fifth start, under openbox: a side window stored over the board -------
# It is shown before the board is; it must still stand above it.
sed -i -e 's/^ViewTimer=.*/ViewTimer=1/' -e 's/^ViewCombs=.*/ViewCombs=0/' -e 's/^MainLeft=.*/MainLeft=100/' \
  -e 's/^MainTop=.*/MainTop=100/' -e 's/^TimerLeft=.*/TimerLeft=200/' -e 's/^TimerTop=.*/TimerTop=160/' "$ini"
start_game
check "the board opens at its stored place" equal "$(place_of "$MAIN_W" "$MAIN_H")" "100 100"
check "the timer opens at its stored place, over the board" equal "$(place_of "$TIMER_W" "$TIMER_H")" "200 160"
shot
check "... and stands above the board from its first showing (its clock reads back)" \
  "$probe" digits "$work/shot.bmp" $((200 + TIME_X)) $((160 + TIME_Y)) "$TIME_CHARS"
# A hang-up (the terminal that started the game closed) ends it as a log-off
# does: the new view switch and the board's new place are kept.
key F12
xdotool windowmove "$(window_id_of "$MAIN_W" "$MAIN_H")" 260 200; sleep 0.5
kill -HUP "$pid"
check "SIGHUP ends the game" ended
check "... with exit status 0" equal "${status:-none}" 0
check "... keeping the view switch turned on before it" equal "$(ini_value Game ViewCombs)" 1
check "... and the board's place" equal "$(ini_value Windows MainLeft) $(ini_value Windows MainTop)" "260 200"

# ---- sixth start: a store that cannot be written, then SIGTERM --------------
# As at log-off: the failure goes to the error stream, no box waits for a
# click, and the program ends.
saved_config=$XDG_CONFIG_HOME
export XDG_CONFIG_HOME="$work/config-readonly"
mkdir -p "$XDG_CONFIG_HOME/Varnel/QuorVex.ini"  # a folder where the file belongs
start_game
check "the game starts over a store it cannot write" place_of "$MAIN_W" "$MAIN_H" >/dev/null
kill -TERM "$pid"
check "SIGTERM ends it although nothing could be saved" ended
check "... and says so on the error stream" grep -q "could not be saved" "$work/game.log"
export XDG_CONFIG_HOME=$saved_config

# ---- seventh start: a desktop asking for 2x on a screen too small for it ----
if [ "$screen_w" -lt 1056 ] || [ "$screen_h" -lt 840 ]; then
  rm -f "$ini"
  GDK_SCALE=2 start_game
  read -r main_x main_y < <(place_of "$MAIN_W" "$MAIN_H") || main_x=""
  check "a 2x desktop on a ${screen_w}x${screen_h} screen gets the board at 1x" test -n "$main_x"
  check "... wholly on the screen" test "${main_x:--1}" -ge 0 -a "${main_y:--1}" -ge 0 \
    -a $((${main_x:-0} + MAIN_W)) -le "$screen_w" -a $((${main_y:-0} + MAIN_H)) -le "$screen_h"
  key F10
  check "F10 does not make it larger than the screen" equal "$(place_of "$MAIN_W" "$MAIN_H")" "$main_x $main_y"
  click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
  check "the exit bullet ends it" ended
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
