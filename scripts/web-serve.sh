#!/usr/bin/env bash
# Serves the browser build (scripts/web-build.sh) on localhost and prints
# the address to open. Usage: scripts/web-serve.sh [PORT]   (default 8023)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build-web/web/index.html ] || scripts/web-build.sh
command -v node >/dev/null || { echo "web-serve: needs Node.js (Debian package nodejs)"; exit 1; }
exec node tests/web/serve.mjs build-web/web "${1:-8023}"
