#!/usr/bin/env bash
# Renders the browser tests' reference stills natively with qo-screenshot:
#   tools/web/render-references.sh QO_SCREENSHOT OUT_DIR FRAME...
# writes OUT_DIR/frame-K.png for each frame, each complete when it appears
# (rendered under a temporary name), and OUT_DIR/failed if one could not be
# made. The fade-out's frame takes the longest (the demo is stepped through
# every frame before it), so tools/build-web.sh runs this beside the build.
set -uo pipefail
screenshot=$(realpath "$1") out=$2
shift 2
data=$(cd "$(dirname "$0")/../../data" && pwd)
mkdir -p "$out"
rm -f "$out/failed" "$out"/frame-*.png
child=0
trap '[ "$child" = 0 ] || kill "$child" 2> /dev/null; exit 1' TERM INT
for frame in "$@"; do
  SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$screenshot" "$data" "$frame" "$out/.frame-$frame.png" &
  child=$!
  if ! wait "$child"; then
    touch "$out/failed"
    exit 1
  fi
  mv "$out/.frame-$frame.png" "$out/frame-$frame.png"
done
