#!/usr/bin/env bash
# Packs a folder of the demo's files into the page's one data file:
#   tools/web/package-data.sh DATA_DIR OUT_DIR
# writes OUT_DIR/qo.data (the files one after another) and OUT_DIR/qo.data.json
# (where each file lies in it), with emscripten's file packager. Tests pack
# folders with a file missing or damaged the same way.
set -euo pipefail
data=$(cd "$1" && pwd) out=$(mkdir -p "$2" && cd "$2" && pwd)
packager=/usr/share/emscripten/tools/file_packager.py
[ -f "$packager" ] || { echo "$packager is missing: tools/install-deps.sh web installs it" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-data.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The loader script it writes is not used: the page reads the file list.
python3 "$packager" "$out/qo.data" --preload "$data@/" --js-output="$work/loader.js" \
  --separate-metadata --no-node > /dev/null 2>&1 || { echo "packing $data failed" >&2; exit 1; }
mv "$work/loader.js.metadata" "$out/qo.data.json"
