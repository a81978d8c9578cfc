#!/usr/bin/env bash
# Builds the Windows version with mingw-w64 (the portable layers, and the
# Windows backend once it exists).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh cross
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-win -j"$(nproc)"
