#!/usr/bin/env bash
# Builds the game for the browser with Debian's emscripten (which it
# installs when missing) into build-web/web/: index.html, quorvex.js,
# quorvex.wasm, the help and the 2x/3x picture packs, a folder any static
# web server can serve (scripts/web-serve.sh).
# Usage: scripts/web-build.sh [BUILD_DIR]   (default build-web)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-web}

scripts/deps.sh web

# The machine's Node (nodesource) does not search Debian's module folder,
# where emscripten's JavaScript optimiser finds acorn and terser.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# Debian's emscripten keeps a prebuilt, frozen cache of its system
# libraries; a cache of our own beside the build would have to be built
# from ports, which needs the network. Nothing here asks for a port.
emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVEX_TESTS=OFF -DQUORVEX_BENCH=OFF >/dev/null
cmake --build "$build" -j"${QUORVEX_JOBS:-2}" --target quorvex
ls -l "$build/web"
