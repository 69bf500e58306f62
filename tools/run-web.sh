#!/usr/bin/env bash
# Serves dist/qo-web/ (made by tools/build-web.sh) on 127.0.0.1 and prints
# the address; Ctrl-C stops it.
#   tools/run-web.sh [PORT]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f dist/qo-web/index.html ] || { echo "dist/qo-web/ is missing: run tools/build-web.sh first" >&2; exit 1; }
port=${1:-8080}
echo "Qo is at http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory dist/qo-web
