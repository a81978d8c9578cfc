# Shared by the GUI scripts: a private X server with a white desktop, and
# the small driver of the game's windows (find them by size, drag, click,
# take the screen). Sourced after setting `game`; leaves `work` (a private
# folder removed at exit), `DISPLAY` and, once started, the game's `pid`.

for tool in Xvfb xdpyinfo xdotool xwininfo import; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/deps.sh test installs it)"; exit 1; }
done

work=$(mktemp -d)
pid="" xvfb="" wm=""
cleanup() {
  # Either may have ended already; that must not stop the rest of the
  # clean-up under set -e.
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# ---- the X server ----------------------------------------------------------
# GUI_SCREEN (WIDTHxHEIGHT) gives a bigger screen, for windows drawn at a
# larger scale. -noreset: by default the server resets when its last client
# leaves, and a game started during that reset is refused its display.
screen=${GUI_SCREEN:-1024x768}
screen_w=${screen%x*} screen_h=${screen#*x}
Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -wr -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
# A loaded machine may take long to bring the server up, so the waits are
# generous (a minute each); a server that died ends the test at once.
x_failed() { echo "FAIL the X server $1; its output:"; cat "$work/xvfb.log"; exit 1; }
for _ in $(seq 600); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || x_failed "ended before it named its display"
  sleep 0.1
done
[ -s "$work/display" ] || x_failed "named no display within 60 s"
export DISPLAY=":$(head -n1 "$work/display")"
for _ in $(seq 600); do
  xdpyinfo >/dev/null 2>&1 && break
  kill -0 "$xvfb" 2>/dev/null || x_failed "$DISPLAY ended before it answered"
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || x_failed "$DISPLAY did not answer within 60 s"

# A window manager on the private server (openbox), as a desktop has one:
# it places, moves and focuses windows and turns Alt+F4 into a close
# request. Started once.
start_wm() {
  [ -n "$wm" ] && return 0
  command -v openbox >/dev/null || { echo "missing openbox (scripts/deps.sh test installs it)"; exit 1; }
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "FAIL the window manager did not start"; cat "$work/wm.log"; exit 1
}

# The game, its output in $work/game.log; under the sanitizers the desktop
# libraries' own leaks are not ours.
lib_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
start_game() {
  LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$lib_dir/lsan-desktop.supp" \
    PATH="$work/bin:$PATH" "$game" >"$work/game.log" 2>&1 &
  pid=$!
}

# Every wait for the game's windows ends the test at once, with the game's
# output, when the game has died: waiting on would only run into the
# test's time limit. Called in command substitutions too, so it ends the
# whole script (through its TERM trap), not only the subshell.
trap 'exit 1' TERM
game_alive() {
  [ -z "$pid" ] && return 0
  kill -0 "$pid" 2>/dev/null && return 0
  echo "FAIL the game ended unexpectedly; its output:" >&2
  cat "$work/game.log" >&2
  kill -TERM $$
  exit 1
}

# Visible windows of the game as "width height left top", one a line.
game_windows() {
  local id
  for id in $(xdotool search --onlyvisible --class quorvex 2>/dev/null); do
    xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
      /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h, x, y}'
  done
}
# The place "left top" of the visible window of that size, waiting for it.
place_of() {
  local w=$1 h=$2 line
  for _ in $(seq 50); do
    game_alive
    line=$(game_windows | awk -v w="$w" -v h="$h" '$1 == w && $2 == h {print $3, $4; exit}')
    [ -n "$line" ] && { echo "$line"; return 0; }
    sleep 0.1
  done
  return 1
}
# True once no visible window of that size is left, waiting up to 5 s.
gone() {
  for _ in $(seq 50); do
    game_windows | grep -q "^$1 $2 " || return 0
    sleep 0.1
  done
  return 1
}
# wait_place W H [SECONDS]: "left top" of the visible window of that size,
# waiting up to SECONDS (default 30) for it.
wait_place() {
  local i
  for ((i = 0; i < ${3:-30}; i += 5)); do place_of "$1" "$2" && return 0; done
  return 1
}
window_id_of() {  # the X id of the visible window of that size
  local id
  for id in $(xdotool search --onlyvisible --class quorvex 2>/dev/null); do
    xwininfo -id "$id" | grep -q "geometry $1x$2[+-]" && { echo "$id"; return 0; }
  done
  return 1
}
shot() { sleep 0.5; import -window root -type TrueColor "BMP3:$work/shot.bmp"; }
key() { xdotool key "$1"; sleep 0.3; }
# Presses the left button at (x1, y1), moves to (x2, y2) in steps and lets go.
drag() {
  local x1=$1 y1=$2 x2=$3 y2=$4 i
  xdotool mousemove "$x1" "$y1"; sleep 0.1
  xdotool mousedown 1; sleep 0.1
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((x1 + (x2 - x1) * i / 10)) $((y1 + (y2 - y1) * i / 10)); sleep 0.03
  done
  sleep 0.1; xdotool mouseup 1; sleep 0.3
}
# A flick: press, the whole way in one move and release, with no pause, so
# the move beats the capture and the pointer is far outside the window
# before it can follow.
jump() {
  xdotool mousemove "$1" "$2" mousedown 1 mousemove "$3" "$4" mouseup 1
  sleep 0.4
}
click() { xdotool mousemove "$1" "$2"; sleep 0.1; xdotool click 1; sleep 0.3; }
ended() {  # waits up to 10 s for the game to end; its exit status in $status
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then status=0; wait "$pid" || status=$?; pid=""; return 0; fi
    sleep 0.1
  done
  return 1
}

# wait_ended: the game ($pid) has ended within 30 s; its exit status in $status.
wait_ended() { ended || ended || ended; }

# The checks and their tally.
passed=0 failed=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); echo "ok   $what"; else failed=$((failed + 1)); echo "FAIL $what"; fi
}
equal() { [ "$1" = "$2" ] || { echo "     got '$1', expected '$2'"; return 1; }; }

# F3, then the opening row's pegs read back from the screen and checked
# against the count the combinations window shows (which the probe works
# out from the pegs on its own); then a ball dragged from the colour column
# into the row now current. Leaves that row in `row`. Needs `probe`,
# `main_x`, `main_y`, `combs_x`, `combs_y`, `spaces`, `colors`, `doubles`.
play_opening_row() {
  local red white expected shown hole_x hole_y
  key F3
  shot
  read -r red white < <("$probe" pegs "$work/shot.bmp" "$main_x" "$main_y" 12 "$spaces" || echo "? ?")
  row=11
  if [ "$red" = "$spaces" ]; then
    # The opening row was the code: the win message waits; a new game follows.
    echo "     (the opening row was the code itself)"
    key Return; key F2; row=12
  else
    expected=$("$probe" consistent "$spaces" "$colors" "$doubles" "$red" "$white" || echo none)
    shown=$("$probe" digits "$work/shot.bmp" $((combs_x + COMBS_TEXT_X)) $((combs_y + COMBS_TEXT_Y)) "$COMBS_CHARS" | tr -d _ || true)
    check "F3: the pegs read back ($red red, $white white) agree with the count shown" equal "$shown" "$expected"
  fi
  hole_x=HOLE_1_${row}_X hole_y=HOLE_1_${row}_Y
  drag $((main_x + COLOR_7_X)) $((main_y + COLOR_7_Y)) $((main_x + ${!hole_x})) $((main_y + ${!hole_y}))
  shot
  check "a ball dragged from the colour column lands in the current row" \
    equal "$("$probe" ball "$work/shot.bmp" "$main_x" "$main_y" 1 "$row")" 7
}

# Plays the current game to a win as a player reading the pegs would: each
# row the first code the rows so far allow (the probe works it out from the
# pegs read off the screen), dragged in from the colour column, then Space.
# A window coming up after Space is the win message (a drag that missed
# would bring the "fill the row" one instead, which the caller's check of
# the stored record then catches); it is answered with Return. Leaves the
# rows used in `won_rows`. Needs `probe`, `main_x`, `main_y`, `spaces`,
# `colors`, `doubles`.
win_game() {
  local history="" r p c code red white windows cx cy hx hy
  for r in 12 11 10 9 8 7 6 5 4 3 2 1; do
    mapfile -t code < <("$probe" guess "$spaces" "$colors" "$doubles" $history)
    [ "${#code[@]}" = "$spaces" ] || return 1
    for p in $(seq "$spaces"); do
      c=${code[$((p - 1))]}
      cx=COLOR_${c}_X cy=COLOR_${c}_Y hx=HOLE_${p}_${r}_X hy=HOLE_${p}_${r}_Y
      drag $((main_x + ${!cx})) $((main_y + ${!cy})) $((main_x + ${!hx})) $((main_y + ${!hy}))
    done
    windows=$(game_windows | wc -l)
    xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y)); key space; sleep 0.5
    if [ "$(game_windows | wc -l)" -gt "$windows" ]; then
      won_rows=$((13 - r)); key Return; return 0
    fi
    shot
    read -r red white < <("$probe" pegs "$work/shot.bmp" "$main_x" "$main_y" "$r" "$spaces" || echo "? ?")
    history+=" $(printf '%s' "${code[@]}") $red $white"
  done
  return 1
}
