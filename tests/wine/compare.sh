#!/usr/bin/env bash
# The same game state on both desktops: the Linux program and QuorVex.exe
# under Wine start in turn in one private Xvfb from the same stored
# options, record and window places, get the same inputs (the timer and
# combinations windows shown, four balls dragged into the bottom row, the
# pointer parked on bare board) and are photographed; the pixels inside
# each window are then compared with ImageMagick. The timer's seconds
# field counts real time, so it is reported apart.
# Usage: tests/wine/compare.sh [OUT_DIR]   (default build-w32/compare;
# needs build-w32lin with quorvex and quorvex_gui_probe, and build-win)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
out=$(mkdir -p "${1:-build-w32/compare}" && cd "${1:-build-w32/compare}" && pwd)
linux="$root/build-w32lin/app/quorvex"
probe="$root/build-w32lin/tests/quorvex_gui_probe"
exe="$root/build-win/app/QuorVex.exe"
for f in "$linux" "$probe" "$exe"; do [ -f "$f" ] || { echo "missing $f"; exit 1; }; done

. tests/wine/lib.sh
eval "$("$probe" geometry)"

main_x=40 main_y=60 timer_x=600 timer_y=540 combs_x=800 combs_y=540
high=$("$probe" high 4 8 0 6 77)
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/Varnel"
printf '[Game]\nSpaces=4\nColors=8\nDoubles=0\nViewTimer=1\nViewCombs=1\nHigh=%s\n[Windows]\nMainLeft=%s\nMainTop=%s\nTimerLeft=%s\nTimerTop=%s\nCombsLeft=%s\nCombsTop=%s\n' \
  "$high" $main_x $main_y $timer_x $timer_y $combs_x $combs_y >"$XDG_CONFIG_HOME/Varnel/QuorVex.ini"
for pair in Spaces=4 Colors=8 Doubles=0 ViewTimer=1 ViewCombs=1 "High=$high"; do reg_set Game "${pair%%=*}" "${pair#*=}"; done
for pair in MainLeft=$main_x MainTop=$main_y TimerLeft=$timer_x TimerTop=$timer_y CombsLeft=$combs_x CombsTop=$combs_y; do
  reg_set Windows "${pair%%=*}" "${pair#*=}"
done

# play NAME: the inputs, then the screen into $out/NAME.png.
play() {
  start_game
  for w in "$MAIN_W $MAIN_H $main_x $main_y" "$TIMER_W $TIMER_H $timer_x $timer_y" "$COMBS_W $COMBS_H $combs_x $combs_y"; do
    set -- $w
    [ "$(wait_place "$1" "$2")" = "$3 $4" ] || { echo "$1 x $2 window not at $3 $4 in the $name run"; exit 1; }
  done
  local c hx hy
  for c in 1 2 3 4; do
    hx=HOLE_${c}_12_X hy=HOLE_${c}_12_Y
    drag $((main_x + COLOR_${c}_X)) $((main_y + COLOR_${c}_Y)) $((main_x + ${!hx})) $((main_y + ${!hy}))
  done
  xdotool mousemove $((main_x + BARE_X)) $((main_y + BARE_Y))
  sleep 1.5
  import -window root -type TrueColor "$out/$name.png"
  click $((main_x + BUTTON_7_X)) $((main_y + BUTTON_7_Y))
  wait_ended || { echo "the $name run did not end"; exit 1; }
}
wine_game=$game
name=linux game=$linux
play
name=wine game=$wine_game
play

# differing WINDOW X Y W H [MASK]: pixels that differ inside the window;
# MASK ("x0,y0 x1,y1" in window coordinates) is painted over in both first.
differing() {
  local n
  for n in linux wine; do
    convert "$out/$n.png" -crop "$4x$5+$2+$3" +repage ${6:+-fill black -draw "rectangle $6"} "$work/$1-$n.png"
  done
  compare -metric AE "$work/$1-linux.png" "$work/$1-wine.png" null: 2>&1 || true
}
main=$(differing main $main_x $main_y "$MAIN_W" "$MAIN_H")
combs=$(differing combs $combs_x $combs_y "$COMBS_W" "$COMBS_H")
timer=$(differing timer $timer_x $timer_y "$TIMER_W" "$TIMER_H")
timer_rest=$(differing timer-rest $timer_x $timer_y "$TIMER_W" "$TIMER_H" "$TIME_FIELD")
convert "$out/linux.png" "$out/wine.png" +append "$out/side-by-side.png"
echo "differing pixels, Linux against Wine: main $main of $((MAIN_W * MAIN_H)), combinations $combs of $((COMBS_W * COMBS_H)), timer $timer of $((TIMER_W * TIMER_H)) ($timer_rest outside its seconds field)"
echo "screens: $out/linux.png $out/wine.png $out/side-by-side.png"
