#!/usr/bin/env bash
# Builds Qo for the browser (WebAssembly and WebGL 1) with emscripten, runs
# its tests in headless Chromium, and writes dist/qo-web/ (a static folder for
# any web server: index.html, the page's script and style, qo.js, qo.wasm and
# the data file qo.data with its file list) and dist/qo-web.zip.
#   tools/build-web.sh                 build, test, write dist/
#   QO_WEB_TESTS=0 tools/build-web.sh  build and write dist/ only
# Installs what is missing (emscripten, Chromium, the tests' npm packages),
# builds the page's program in build-web/ and, for the tests' reference
# pictures, qo-screenshot in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh web
# Debian's emscripten runs its JavaScript tools with node, which finds their
# modules (acorn) in Debian's folder for them.
export NODE_PATH=/usr/share/nodejs
tests=${QO_WEB_TESTS:-1}

# The stills' references, rendered natively beside the build (the fade-out's
# frame alone steps through 8330 frames). The frames are the stills test's.
references=build-web/references
if [ "$tests" != 0 ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
  cmake --build build -j"$(nproc)" --target qo-screenshot
  tools/web/render-references.sh build/tools/screenshot/qo-screenshot "$references" 40 400 8330 &
  rendering=$!
  trap 'kill "$rendering" 2> /dev/null || true' EXIT
fi

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build-web -j"$(nproc)"

out=dist/qo-web
rm -rf "$out" dist/qo-web.zip
mkdir -p "$out"
cp build-web/demo/qo.js build-web/demo/qo.wasm "$out/"
# The page names the version that project() in CMakeLists.txt gives.
version=$(sed -n 's/^project(qo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
sed "s/@QO_VERSION@/$version/" platform/web/page/index.html > "$out/index.html"
cp platform/web/page/qo-page.js platform/web/page/qo.css "$out/"
tools/web/package-data.sh data "$out"
(cd dist && cmake -E tar cf qo-web.zip --format=zip qo-web)
echo "Wrote $out/ and dist/qo-web.zip ($(stat -c %s dist/qo-web.zip) bytes)"

if [ "$tests" != 0 ]; then
  cmake --build build-web -j"$(nproc)" --target qo-platform-probe
  (cd tests/web && npm ci --no-audit --no-fund > /dev/null)
  export QO_WEB_DIST="$PWD/$out" QO_SCREENSHOT="$PWD/build/tools/screenshot/qo-screenshot" QO_DATA="$PWD/data"
  export QO_WEB_REFERENCES="$PWD/$references" QO_WEB_PROBE="$PWD/build-web/tests/web/probe"
  # The platform's messages, the page in real time and its failures first,
  # the stills once their references are made.
  node --test --test-concurrency=1 tests/web/platform.test.mjs tests/web/play.test.mjs tests/web/failures.test.mjs
  wait "$rendering" || { echo "the reference stills could not be rendered" >&2; exit 1; }
  node --test --test-concurrency=1 tests/web/stills.test.mjs
fi
