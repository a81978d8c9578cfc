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
    in_s && index($0, "=") { k = substr($0, 1, index($0, "=") - 1); if (tolower(k) == tolower(n)) print substr($0, index($0, "=") + 1) }' "$ini" 2>/dev/null
}
# ini_set SECTION NAME TEXT: the value replaced or added, as a person editing
# the file would.
ini_set() {
  mkdir -p "$(dirname "$ini")"; touch "$ini"
  awk -v s="[$1]" -v n="$2" -v v="$3" '
    /^\[/ { if (in_s && !done) { print n "=" v; done = 1 } in_s = (tolower($0) == tolower(s)) }
    in_s && index($0, "=") && tolower(substr($0, 1, index($0, "=") - 1)) == tolower(n) { if (!done) print n "=" v; done = 1; next }
    { print }
    END { if (!done) { if (!in_s) print s; print n "=" v } }' "$ini" >"$ini.new" && mv "$ini.new" "$ini"
}
# The scenario's view of the store.
store_set() { ini_set "$@"; }
store_value() { ini_value "$@"; }
source "$(dirname "$0")/scenario.sh"

scenario_first_start
scenario_second_start
# A close request on the timer window is the board's: it ends the game and
# stores what the exit bullet stores.
jump $((timer_x + 8)) $((timer_y + TIMER_H / 2)) $((timer_x + 8 - 50)) $((timer_y + TIMER_H / 2 - 130))
check "a side window follows a flick that leaves it far behind" \
  equal "$(wait_place "$TIMER_W" "$TIMER_H")" "$((timer_x - 50)) $((timer_y - 130))"
key alt+F4
check "Alt+F4 on the timer window ends the second run, as on the board" wait_ended
check "... which stores the moved timer window's place" \
  equal "$(ini_value Windows TimerLeft) $(ini_value Windows TimerTop)" "$((timer_x - 50)) $((timer_y - 130))"

# ---- the board's own looks and keys ------------------------------------------
start_game
read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") || main_x=""
read -r combs_x combs_y < <(wait_place "$COMBS_W" "$COMBS_H") || combs_x=""
check "the board and the combinations window come back" test -n "$main_x" -a -n "$combs_x"
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
  equal "$("$probe" hole "$work/shot.bmp" "$main_x" "$main_y" 2 1)" open
double_click $((main_x + BARE_X)) $((main_y + BARE_Y)); shot
check "a second one closes them" equal "$("$probe" hole "$work/shot.bmp" "$main_x" "$main_y" 2 1)" closed
main_id=$(window_id_of "$MAIN_W" "$MAIN_H")
check "the combinations window is transient for the board" \
  bash -c "xprop -id $(window_id_of "$COMBS_W" "$COMBS_H") WM_TRANSIENT_FOR | grep -qi '$(printf '0x%x' "$main_id")\$'"
# Symbols on the balls, and a row typed from the keyboard. Five different
# colours of 8 share at least two with the code, so the row earns pegs.
row=12
board_key F9
for k in 7 1 2 3 BackSpace 3 9 4; do key "$k"; done
shot
typed=""
for p in $(seq 1 "$spaces"); do typed+="$("$probe" symbol "$work/shot.bmp" "$main_x" "$main_y" "$p" "$row")"; done
check "digits typed the row as symbol balls (9 is no colour of 8, Backspace takes one back)" equal "$typed" "71234"
key space; shot
read -r red white < <("$probe" pegs "$work/shot.bmp" "$main_x" "$main_y" "$row" "$spaces" || echo "0 0")
check "Space evaluates the typed row: pegs appear ($red red, $white white)" test $((red + white)) -ge 2
[ "$red" = "$spaces" ] && key Return   # the typed row was the code: its message goes
board_key F9
# F1: the help beside the program, through the desktop's opener.
board_key F1
sleep 0.5
check "F1 opens the HTML help beside the program" \
  bash -c "grep -q 'QuorVex.html\$' '$work/help-request' && test -f \"\$(cat '$work/help-request')\""
click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
check "the exit bullet ends the run" wait_ended

scenario_under_window_manager
scenario_record_then_close

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
