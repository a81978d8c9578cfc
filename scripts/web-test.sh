#!/usr/bin/env bash
# The browser build played in Debian's headless Chromium, driven by
# puppeteer-core (pinned in tests/web/package-lock.json; it never downloads
# a browser), then compared pixel for pixel with the headless backend at
# device scale 1 and 2. Everything talks only to a server on localhost.
# Writes screenshots and results into build-web/test/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/deps.sh web-test

scripts/web-build.sh >/dev/null
# The reference pixels come from the native headless backend.
[ -f build/CMakeCache.txt ] || cmake -S . -B build >/dev/null
cmake --build build -j"${QUORVEX_JOBS:-2}" --target quorvex_web_reference >/dev/null

# The pinned puppeteer-core; it would fetch no browser, and is told so.
export PUPPETEER_SKIP_DOWNLOAD=1
(cd tests/web && npm ci --no-audit --no-fund --silent)

out=$root/build-web/test
rm -rf "$out" && mkdir -p "$out"
status=0
(cd tests/web && node web-test.mjs "$root/build-web/web" "$out") || status=1
for scale in 1 2; do
  ref=$out/reference-$scale
  mkdir -p "$ref"
  build/tools/quorvex_web_reference "$ref" "$scale" >/dev/null
  (cd tests/web && node compare.mjs "$root/build-web/web" "$ref" "$scale") || status=1
done
echo "screenshots: $out/page-scale1.png $out/page-scale2.png $out/page-touch-drag.png $out/page-windows.png"
exit $status
