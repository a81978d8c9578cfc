#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages a build needs, only those missing.
# Usage: scripts/deps.sh test|play|art|cross|wine|bench|fuzz|web|web-test
set -euo pipefail

# zlib inflates the embedded 2x and 3x pictures (and the art generator
# writes them); the Windows build links the mingw one statically.
want=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev zlib1g-dev)
case "${1:-test}" in
  # The desktop program, and for its GUI test a private X server, a driver
  # and what reads the screen back.
  test)  want+=(libsdl2-dev libxext-dev xvfb xdotool x11-utils imagemagick openbox appstream) ;;
  play)  want+=(libsdl2-dev libxext-dev xdg-utils) ;;
  art)   want+=(libcairo2-dev libpango1.0-dev fonts-dancingscript fonts-dejavu-core fonts-lato imagemagick) ;;
  # The installer is built by wixl; msibuild and msiinfo (msitools) fix and read it.
  cross) want+=(g++-mingw-w64-x86-64 libz-mingw-w64-dev wixl msitools) ;;
  bench) want+=(libsdl2-dev libxext-dev xvfb x11-utils sgt-puzzles) ;;  # bench/startup.sh
  fuzz)  want+=(clang libclang-rt-14-dev) ;;
  # The Windows program under Wine, driven and read back as the GUI test does.
  wine)  want+=(g++-mingw-w64-x86-64 libz-mingw-w64-dev wixl msitools wine xvfb xauth xdotool x11-utils imagemagick) ;;
  # The browser build, and its test in Debian's Chromium. Checked by
  # command, not by package: Node may come from outside Debian, with an npm
  # of its own that Debian's npm package would clash with.
  web)      commands=(em++:emscripten cmake:cmake python3:python3) ;;
  web-test) commands=(/usr/bin/chromium:chromium node:nodejs npm:npm) ;;
  *) echo "usage: $0 test|play|art|cross|wine|bench|fuzz|web|web-test" >&2; exit 2 ;;
esac

missing=()
recommends=(--no-install-recommends)
if [ -n "${commands+x}" ]; then
  want=() recommends=()
  for pair in "${commands[@]}"; do command -v "${pair%%:*}" >/dev/null || missing+=("${pair#*:}"); done
fi
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${recommends[@]}" "${missing[@]}"
