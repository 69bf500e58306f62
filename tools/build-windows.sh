#!/usr/bin/env bash
# Builds Qo for 64-bit Windows from Debian with MinGW-w64, runs the Windows
# tests under Wine, and writes dist/qo-windows-x64.zip.
#   tools/build-windows.sh
# Installs what is missing (the cross compilers, Wine, Xvfb and the tools the
# tests use), builds the Linux tools the end-to-end test compares against in
# build/, and the Windows programs in build-windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh windows

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j"$(nproc)" --target qo-screenshot qo-model

cmake -S . -B build-windows -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-w64-x86_64.cmake -DQO_LINUX_BUILD_DIR="$PWD/build" > /dev/null
cmake --build build-windows -j"$(nproc)"
mkdir -p dist
cp build-windows/qo-windows-x64.zip dist/
echo "Wrote dist/qo-windows-x64.zip ($(stat -c %s dist/qo-windows-x64.zip) bytes)"

tools/windows/with-wine.sh ctest --test-dir build-windows --output-on-failure -j"$(nproc)"
