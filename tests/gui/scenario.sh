# The GUI scenario every desktop plays: the same starts, steps and checks
# on Linux and on Windows under Wine. Sourced after tests/gui/lib.sh (on
# Wine, tests/wine/lib.sh over it) and the probe's geometry, by a script
# that also gives what differs between desktops:
#   store_set SECTION NAME TEXT  writes a value as another program would
#   store_value SECTION NAME     reads a stored value back
# Waits are generous and end as soon as what they wait for is there, so a
# desktop that starts and ends programs more slowly needs no other numbers.
# Keys are sent with the pointer over the window meant: under Wine without
# a window manager the keyboard follows the pointer.

# key_over W H KEY: the key with the pointer over the middle of the visible
# window of that size.
key_over() {
  local x y
  read -r x y < <(wait_place "$1" "$2" 10) || return 1
  xdotool mousemove $((x + $1 / 2)) $((y + $2 / 2)); key "$3"
}
board_key() { xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key "$1"; }

# ---- first start: stored settings and one record, as another program writes them
scenario_first_start() {
  spaces=5 colors=8 doubles=0 record_rows=5 record_seconds=42
  store_set Game Spaces $spaces
  store_set Game Colors $colors
  store_set Game Doubles $doubles
  store_set Game High "$("$probe" high $spaces $colors $doubles $record_rows $record_seconds)"
  start_game
  read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") ||
    { echo "FAIL the main window never appeared"; cat "$work/game.log"; exit 1; }
  check "main window at the centred default" equal "$main_x $main_y" \
    "$(((screen_w - DESIGN_W) / 2)) $(((screen_h - DESIGN_H) / 2))"
  main_id=$(window_id_of "$MAIN_W" "$MAIN_H")
  check "main window is shaped (xwininfo -shape)" \
    bash -c "xwininfo -id $main_id -shape | grep -q 'Window shape extents' && ! xwininfo -id $main_id -shape | grep -q 'No window shape'"
  sleep 0.5; shot
  check "the desktop shows outside the outline, the board inside" "$probe" outline "$work/shot.bmp" "$main_x" "$main_y"

  board_key F12
  read -r combs_x combs_y < <(wait_place "$COMBS_W" "$COMBS_H") || combs_x=""
  check "F12 shows the combinations window" test -n "$combs_x"
  # Out of the board's way, since a press on the board brings it to the front.
  local dx=$((main_x + MAIN_W + 10 - combs_x)) dy=23
  drag $((combs_x + 8)) $((combs_y + COMBS_H / 2)) $((combs_x + 8 + dx)) $((combs_y + COMBS_H / 2 + dy))
  check "a side window dragged by its background moves by the pointer's movement" \
    equal "$(wait_place "$COMBS_W" "$COMBS_H")" "$((combs_x + dx)) $((combs_y + dy))"
  combs_x=$((combs_x + dx)) combs_y=$((combs_y + dy))
  shot
  # 8 colours in 5 holes, none repeated: 8 * 7 * 6 * 5 * 4 codes.
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

  board_key F11
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
  board_key F5
  check "F5 shows the options window" test -n "$(wait_place "$OPTIONS_W" "$OPTIONS_H" 10 || true)"
  shot
  local before after from_x from_y hole_x hole_y
  before=$("$probe" digits "$work/shot.bmp" $((timer_x + TIME_X)) $((timer_y + TIME_Y)) "$TIME_CHARS" | tr -d _ || true)
  # The colour column is off the screen now; the ball in hole 1 is carried.
  from_x=HOLE_1_${row}_X from_y=HOLE_1_${row}_Y hole_x=HOLE_2_${row}_X hole_y=HOLE_2_${row}_Y
  drag $((main_x + ${!from_x})) $((main_y + ${!from_y})) $((main_x + ${!hole_x})) $((main_y + ${!hole_y}))
  click $((main_x + BUTTON_1_X)) $((main_y + BUTTON_1_Y))  # New, had the board taken it
  sleep 1.5; shot
  after=$("$probe" digits "$work/shot.bmp" $((timer_x + TIME_X)) $((timer_y + TIME_Y)) "$TIME_CHARS" | tr -d _ || true)
  check "meanwhile the timer ticks ($before s, then $after s)" test "${after:-0}" -gt "${before:-0}"
  check "... and a ball dragged on the board behind does not land" \
    equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 2 $row)" 0
  key_over "$OPTIONS_W" "$OPTIONS_H" Escape
  check "Escape closes the options window" gone "$OPTIONS_W" "$OPTIONS_H"

  click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
  check "the exit bullet ends the program" wait_ended
  check "... with exit status 0" equal "${status:-none}" 0
  [ "${status:-none}" = 0 ] || tail -n 60 "$work/game.log"

  high=$(store_value Game High)
  check "Game/High is 72 hexadecimal digits" bash -c "[[ '$high' =~ ^[0-9A-F]{72}\$ ]]"
  check "the stored settings are kept" equal "$(store_value Game Spaces)/$(store_value Game Colors)/$(store_value Game Doubles)" "5/8/0"
  check "the stored switches are there" test -n "$(store_value Game Holes)$(store_value Game Symbols)"
  check "the view flags follow the windows shown at the exit" equal "$(store_value Game ViewTimer)$(store_value Game ViewCombs)" "11"
  local w
  for w in Main Timer Combs About Options Message High; do
    check "the store holds the place of $w" test -n "$(store_value Windows ${w}Left)$(store_value Windows ${w}Top)"
  done
  check "the main window's place is stored (a negative left edge)" \
    equal "$(store_value Windows MainLeft) $(store_value Windows MainTop)" "$main_x $main_y"
  check "the combinations window's place is stored" \
    equal "$(store_value Windows CombsLeft) $(store_value Windows CombsTop)" "$combs_x $combs_y"
}

# ---- second start: everything comes back from the store; left running -----
scenario_second_start() {
  start_game
  # Its stored place is partly off the left edge, with most of it on the
  # screen to take hold of: it comes back there, as the player left it.
  check "the main window, stored partly off the left edge, comes back there" \
    equal "$(wait_place "$MAIN_W" "$MAIN_H")" "$main_x $main_y"
  read -r timer_x timer_y < <(wait_place "$TIMER_W" "$TIMER_H") || timer_x=""
  check "the timer window starts visible at its stored place" equal "$timer_x $timer_y" "560 640"
  sleep 0.5; shot
  check "a second start shows the stored record" equal \
    "$("$probe" digits "$work/shot.bmp" $((timer_x + RECORD_X)) $((timer_y + RECORD_Y)) "$RECORD_CHARS" || true)" "_5/042"
}

# ---- under a window manager: the board moved by it is played where it now
# is, and a button held while a modal message opens does nothing when let go
scenario_under_window_manager() {
  start_wm
  start_game
  # (The window manager may pull a window that stood partly off the screen back onto it.)
  read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") || main_x=""
  check "the main window comes back under the window manager" test -n "$main_x"
  # Dragged fully onto the screen by bare board, for the steps below.
  drag $((main_x + BARE_X)) $((main_y + BARE_Y)) $((100 + BARE_X)) $((100 + BARE_Y))
  check "the board is dragged to (100, 100)" equal "$(wait_place "$MAIN_W" "$MAIN_H")" "100 100"
  main_x=100 main_y=100
  click $((main_x + BARE_X)) $((main_y + BARE_Y)); board_key F2
  drag $((main_x + COLOR_5_X)) $((main_y + COLOR_5_Y)) $((main_x + HOLE_1_12_X)) $((main_y + HOLE_1_12_Y))
  shot
  check "a ball dropped into the first hole lands there" \
    equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 5
  # New held down, Space on a row that is not full: the message opens, and
  # the release behind it must not start a new game.
  xdotool mousemove $((main_x + BUTTON_1_X)) $((main_y + BUTTON_1_Y)); sleep 0.3
  xdotool mousedown 1; sleep 0.3
  key space
  check "Space on a row that is not full shows the message" test -n "$(wait_place "$MESSAGE_W" "$MESSAGE_H" 10 || true)"
  xdotool mouseup 1; sleep 1
  check "the release of the held New bullet does nothing behind the message" \
    test -n "$(wait_place "$MESSAGE_W" "$MESSAGE_H" 5 || true)"
  key_over "$MESSAGE_W" "$MESSAGE_H" Return
  check "Enter closes the message" gone "$MESSAGE_W" "$MESSAGE_H"
  shot
  check "... and the row still holds its ball: no new game ran" \
    equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 12)" 5
  xdotool windowmove "$(window_id_of "$MAIN_W" "$MAIN_H")" 300 250; sleep 0.5
  check "the window manager moves the board to (300, 250)" equal "$(wait_place "$MAIN_W" "$MAIN_H")" "300 250"
  local old_x=$main_x old_y=$main_y
  main_x=300 main_y=250
  # Where the Exit bullet was before the move is board now: nothing ends.
  click $((old_x + BUTTON_7_X)) $((old_y + BUTTON_7_Y))
  check "a click where the Exit bullet used to be does not end the program" kill -0 "$pid"
  drag $((main_x + COLOR_5_X)) $((main_y + COLOR_5_Y)) $((main_x + HOLE_2_12_X)) $((main_y + HOLE_2_12_Y))
  shot
  check "a ball dropped on the moved board lands in its hole" \
    equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 2 12)" 5
  click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
  check "the Exit bullet of the moved board ends the program" wait_ended
  check "... which stores the board's place the window manager gave it" \
    equal "$(store_value Windows MainLeft) $(store_value Windows MainTop)" "300 250"
}

# ---- a record, then Alt+F4: settings without a record of their own, so the
# first win is one; the close request must store what the exit bullet does
scenario_record_then_close() {
  store_set Game Spaces 4
  store_set Game Colors 6
  store_set Game Doubles 0
  spaces=4 colors=6 doubles=0
  local timer_before
  timer_before=$(store_value Game ViewTimer)
  start_game
  read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") || main_x=""
  check "the board appears for a game to win" test -n "$main_x"
  click $((main_x + BARE_X)) $((main_y + BARE_Y))
  check "a game played by reading the pegs is won" win_game
  check "the win is in the stored statistics at once" \
    equal "$("$probe" stats "$(store_value Game Stats)" 4 6 0 || true)" "1 0 0"
  stats_shows() {  # the statistics window shown by F8 reads PLAYED WON
    board_key F8
    local x y
    read -r x y < <(wait_place "$STATS_W" "$STATS_H" 10) || return 1
    sleep 0.3; shot
    equal "$("$probe" digits "$work/shot.bmp" $((x + STATS_PLAYED_X)) $((y + STATS_PLAYED_Y)) "$STATS_CHARS" || true) $("$probe" digits "$work/shot.bmp" $((x + STATS_WON_X)) $((y + STATS_WON_Y)) "$STATS_CHARS" || true)" "$1 $2"
    local shown=$?
    board_key F8
    gone "$STATS_W" "$STATS_H" && return $shown
  }
  check "F8 shows the statistics window with the won game, F8 hides it" stats_shows ____1 ____1
  board_key F11  # the timer window's switch changes: an option only a save keeps
  click $((main_x + BARE_X)) $((main_y + BARE_Y)); board_key alt+F4
  check "Alt+F4 ends the run" wait_ended
  check "the record of the win ($won_rows rows) is stored" \
    equal "$("$probe" record "$(store_value Game High)" 4 6 0 | cut -d' ' -f1)" "${won_rows:-none}"
  check "... next to the record kept from before" equal "$("$probe" record "$(store_value Game High)" 5 8 0 | cut -d' ' -f1)" 5
  check "the changed timer switch is stored" equal "$(store_value Game ViewTimer)" "$((1 - timer_before))"

  # After a restart the statistics show the same, and an ending with no
  # row played gives nothing up.
  start_game
  read -r main_x main_y < <(wait_place "$MAIN_W" "$MAIN_H") || main_x=""
  check "the board comes back for the statistics" test -n "$main_x"
  click $((main_x + BARE_X)) $((main_y + BARE_Y))
  check "after a restart F8 shows the same statistics" stats_shows ____1 ____1
  click $((main_x + BARE_X)) $((main_y + BARE_Y)); board_key alt+F4
  check "Alt+F4 ends the run again" wait_ended
  check "a game with no row evaluated is not counted as given up" \
    equal "$("$probe" stats "$(store_value Game Stats)" 4 6 0 || true)" "1 0 0"
}
