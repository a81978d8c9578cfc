#!/usr/bin/env bash
# The browser budgets in one run (bench/web-budgets.mjs), after the web
# build and the test tools are in place (scripts/web-test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build-web/web/quorvex.wasm ] || scripts/web-build.sh >/dev/null
[ -d tests/web/node_modules ] || (cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --silent)
NODE_PATH=$PWD/tests/web/node_modules exec node bench/web-budgets.mjs build-web/web
