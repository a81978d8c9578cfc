# Helpers of the scripts that run QuorVex.exe under Wine: a private X
# server with a white desktop, a private Wine prefix, the game's windows
# read back from X, and the pointer and keys through xdotool. Sourced by
# scripts/wine-test.sh and the scripts beside this file; they set $work (a
# temporary folder) first and kill $xvfb and the prefix's wineserver when
# they end.
#
# Under Wine without a window manager the keyboard follows the pointer
# (the X focus stays PointerRoot), so keys are sent with the pointer over
# a window of the game.

screen_w=1024 screen_h=768

start_xvfb() {
  Xvfb -displayfd 3 -screen 0 ${screen_w}x${screen_h}x24 -wr -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
}

# A fresh prefix: a user with no registry key of the game. Mono and Gecko
# are not wanted (they would be offered for download).
start_prefix() {
  export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >"$work/wineboot.log" 2>&1 || { echo "wineboot failed"; cat "$work/wineboot.log"; return 1; }
}
stop_prefix() { [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true; }

# Visible windows of the program with that X class as "width height left top".
game_windows() {
  local id
  for id in $(xdotool search --onlyvisible --class "$1" 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
      /Width:/ {w=$NF} /Height:/ {h=$NF} END {if (w) print w, h, x, y}'
  done
}
# place_of CLASS W H [TENTHS]: "left top" of the visible window of that
# size, waiting up to TENTHS tenths of a second (default 300) for it.
place_of() {
  local line
  for _ in $(seq "${4:-300}"); do
    line=$(game_windows "$1" | awk -v w="$2" -v h="$3" '$1 == w && $2 == h {print $3, $4; exit}')
    [ -n "$line" ] && { echo "$line"; return 0; }
    sleep 0.1
  done
  return 1
}
window_id_of() {  # window_id_of CLASS W H: the X id of the visible window of that size
  local id
  for id in $(xdotool search --onlyvisible --class "$1" 2>/dev/null); do
    xwininfo -id "$id" | grep -q "geometry $2x$3[+-]" && { echo "$id"; return 0; }
  done
  return 1
}

shot() { sleep "${1:-0.7}"; import -window root -type TrueColor "BMP3:$work/shot.bmp"; }
key() { xdotool key "$1"; sleep 0.5; }
# Presses the left button at (x1, y1), moves to (x2, y2) in steps and lets go.
drag() {
  local x1=$1 y1=$2 x2=$3 y2=$4 i
  xdotool mousemove "$x1" "$y1"; sleep 0.2
  xdotool mousedown 1; sleep 0.2
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((x1 + (x2 - x1) * i / 10)) $((y1 + (y2 - y1) * i / 10)); sleep 0.05
  done
  sleep 0.2; xdotool mouseup 1; sleep 0.5
}
click() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click 1; sleep 0.5; }
# ended: waits up to 30 s for the game ($pid) to end; its exit status in $status.
ended() {
  for _ in $(seq 300); do
    if ! kill -0 "$pid" 2>/dev/null; then status=0; wait "$pid" || status=$?; pid=""; return 0; fi
    sleep 0.1
  done
  return 1
}

# The game's registry values, through Wine's own reg tool.
reg_key='HKCU\Software\Varnel\QuorVex'
reg_set() {  # reg_set SECTION NAME TEXT
  wine reg add "$reg_key\\$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1
}
# "TYPE TEXT" of each value of a section, as "NAME TYPE TEXT" lines.
reg_section() { wine reg query "$reg_key\\$1" 2>/dev/null | tr -d '\r' | awk 'NF >= 2 && $2 ~ /^REG_/'; }
