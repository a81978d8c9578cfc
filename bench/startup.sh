#!/usr/bin/env bash
# Start-up of the game against a bare SDL2 window and the peer program
# sgt-guess (Debian's sgt-puzzles): the time from launch to the first window
# mapped on the screen, and the resident memory once started. All three run
# interleaved, launch after launch, under one private Xvfb; the figures are
# medians. The map is seen by an X client watching the root window
# (xev), so nothing polls while a program starts.
# The game is also started at drawing scale 2 (GDK_SCALE=2), and, when a
# third argument names another build of the game (an earlier version, say),
# that one too, at both scales, in the same rounds.
# Usage: bench/startup.sh [BUILD_DIR] [LAUNCHES] [OTHER_PROGRAM]   (default: build, 9)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh bench
build=${1:-build}
launches=${2:-9}
other=${3:-}
game="$build/app/quorvex"
peer=/usr/games/sgt-guess
[ -x "$game" ] || { echo "build the game first: cmake --build $build --target quorvex"; exit 1; }
[ -x "$peer" ] || { echo "the peer is missing: apt-get install sgt-puzzles"; exit 1; }
for tool in Xvfb xev cc sdl2-config; do
  command -v "$tool" >/dev/null || { echo "missing $tool (xvfb, x11-utils, gcc, libsdl2-dev)"; exit 1; }
done

work=$(mktemp -d)
xvfb="" watcher="" pid=""
cleanup() {
  for p in $pid $watcher $xvfb; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cc -O2 -o "$work/bare_sdl" bench/bare_sdl.c $(sdl2-config --cflags --libs)

Xvfb -displayfd 3 -screen 0 2112x1680x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

mkfifo "$work/events"
stdbuf -oL xev -root -event substructure >"$work/events" 2>/dev/null &
watcher=$!
exec 4<"$work/events"

# Launches a program, waits for the first window it maps; prints
# "milliseconds resident-kB".
measure() {
  local line t0 t1 rss
  while read -r -t 0.05 line <&4; do :; done  # events of the last program
  mkdir -p "$work/config"; rm -rf "$work/config"/*
  t0=$EPOCHREALTIME
  XDG_CONFIG_HOME="$work/config" "$@" >/dev/null 2>&1 &
  pid=$!
  while read -r -t 10 line <&4; do
    case "$line" in MapNotify*) break ;; esac
  done
  t1=$EPOCHREALTIME
  sleep 1  # settled: the first picture drawn, timers running
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; pid=""
  awk -v a="$t0" -v b="$t1" -v r="$rss" 'BEGIN {printf "%.1f %d\n", (b - a) * 1000, r}'
}

names=(quorvex quorvex-2x bare-sdl sgt-guess)
commands=("$game" "env GDK_SCALE=2 $game" "$work/bare_sdl" "$peer")
if [ -n "$other" ]; then names+=(other other-2x); commands+=("$other" "env GDK_SCALE=2 $other"); fi
for ((round = 1; round <= launches; round++)); do
  for i in "${!names[@]}"; do
    # shellcheck disable=SC2086  # a command may carry its environment
    echo "${names[$i]} $(measure ${commands[$i]})" >>"$work/samples"
  done
done

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
declare -A ms kb
for n in "${names[@]}"; do
  ms[$n]=$(awk -v n="$n" '$1 == n {print $2}' "$work/samples" | median)
  kb[$n]=$(awk -v n="$n" '$1 == n {print $3}' "$work/samples" | median)
done

echo "start-up to the first mapped window, and resident memory 1 s later; medians of $launches launches"
for n in "${names[@]}"; do
  awk -v n="$n" -v t="${ms[$n]}" -v k="${kb[$n]}" 'BEGIN {printf "  %-10s %7.1f ms  %6.1f MB\n", n, t, k / 1024}'
done
[ -z "$other" ] || awk -v q="${ms[quorvex]}" -v o="${ms[other]}" 'BEGIN {printf "quorvex / other %.2f\n", q / o}'
# A larger scale against the same build at 1x, and memory against the bare
# window (a scale's cost should be nothing a player feels).
for n in quorvex ${other:+other}; do
  awk -v n="$n" -v q="${ms[$n]}" -v d="${ms[$n-2x]}" -v k="${kb[$n]}" -v k2="${kb[$n-2x]}" -v b="${kb[bare-sdl]}" \
    'BEGIN {printf "%s at 2x / at 1x %.2f; memory / bare SDL %.2f at 1x, %.2f at 2x\n", n, d / q, k / b, k2 / b}'
done
awk -v q="${ms[quorvex]}" -v b="${ms[bare-sdl]}" -v s="${ms[sgt-guess]}" -v k="${kb[quorvex]}" 'BEGIN {
  printf "quorvex / sgt-guess %.2f (at most 0.50), quorvex / bare SDL %.2f (at most 1.15), quorvex %.1f MB (at most 20)\n",
    q / s, q / b, k / 1024
  ok = q <= 0.5 * s && q <= 1.15 * b && k <= 20 * 1024
  print ok ? "targets met" : "targets missed"
}'
