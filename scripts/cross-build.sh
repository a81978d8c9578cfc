#!/usr/bin/env bash
# Builds the Windows program with mingw-w64: build-win/app/QuorVex.exe, one
# self-contained file (static C and C++ runtimes), with QuorVex.html, the
# help, beside it; and its two packages, build-win/QuorVex-<version>.msi
# (the installer) and build-win/QuorVex-<version>.zip (no installer), of the
# project's version (cmake/WindowsPackaging.cmake). Fails when the program
# would need any DLL that Windows does not ship.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh cross
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-win -j"$(nproc)"

exe=build-win/app/QuorVex.exe
[ -f "$exe" ] || { echo "no $exe was built"; exit 1; }
foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}' |
  grep -viE '^(kernel32|user32|gdi32|advapi32|shell32|msvcrt)\.dll$' || true)
[ -z "$foreign" ] || { echo "$exe needs DLLs Windows does not ship: $foreign"; exit 1; }
echo "$exe: $(stat -c %s "$exe") bytes, imports only system DLLs; help beside it: $(ls build-win/app/QuorVex.html)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)
for package in build-win/QuorVex-"$version".msi build-win/QuorVex-"$version".zip; do
  [ -s "$package" ] || { echo "no $package was built"; exit 1; }
  echo "$package: $(stat -c %s "$package") bytes"
done
