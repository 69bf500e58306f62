#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   tools/run-tests.sh                 plain build in build/, then the Windows build
#                                      and its tests under Wine (QO_WINDOWS=0: not),
#                                      then the browser build and its tests in headless
#                                      Chromium (QO_WEB=0: not), then the Debian packages
#                                      and their tests (QO_DEB=0: not)
#   QO_SANITIZE=1 tools/run-tests.sh   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
#   QO_SANITIZE=thread tools/run-tests.sh
#                                      the model library's suite under ThreadSanitizer in build-tsan/
set -euo pipefail
cd "$(dirname "$0")/.."
# Everything the run will need, in one go.
parts=()
if [ "${QO_SANITIZE:-0}" = 0 ]; then
  [ "${QO_WINDOWS:-1}" != 0 ] && parts+=(windows)
  [ "${QO_WEB:-1}" != 0 ] && parts+=(web)
  [ "${QO_DEB:-1}" != 0 ] && parts+=(deb)
fi
tools/install-deps.sh "${parts[@]}"

if [ "${QO_SANITIZE:-0}" = thread ]; then
  # Reads on several threads, and reads of different models at once.
  cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DQO_TSAN=ON -DQO_BENCH=OFF >/dev/null
  cmake --build build-tsan -j"$(nproc)" --target model_tests
  export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy TSAN_OPTIONS=halt_on_error=1
  (cd tests/model && ../../build-tsan/tests/model/model_tests --gtest_brief=1)
  exit 0
fi

if [ "${QO_SANITIZE:-0}" = 1 ]; then
  dir=build-asan
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DQO_SANITIZE=ON -DQO_BENCH=OFF >/dev/null
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  exclude=(-LE whole-run)  # the long full-timeline render runs once, in the plain build
else
  dir=build
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
  exclude=()
fi
cmake --build "$dir" -j"$(nproc)"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "${exclude[@]}"

# The Windows build and its tests under Wine, once, beside the plain build.
if [ "${QO_SANITIZE:-0}" != 1 ] && [ "${QO_WINDOWS:-1}" != 0 ]; then
  tools/build-windows.sh
fi

# The browser build and its tests in headless Chromium, once, after the Windows ones.
if [ "${QO_SANITIZE:-0}" != 1 ] && [ "${QO_WEB:-1}" != 0 ]; then
  tools/build-web.sh
fi

# The Debian packages, checked, and their contents and install tested, once.
if [ "${QO_SANITIZE:-0}" != 1 ] && [ "${QO_DEB:-1}" != 0 ]; then
  tools/build-deb.sh
  debs=(dist/qo_*.deb dist/libqo-dev_*.deb)
  tests/deb/contents_test.sh "${debs[@]}"
  tests/deb/installed_test.sh "${debs[@]}"
fi
