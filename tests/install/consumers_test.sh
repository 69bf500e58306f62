#!/usr/bin/env bash
# Builds a library user's program against installed Qo libraries twice,
# through find_package(Qo) and through pkg-config, and runs both on the
# installed demo's model and picture: they must agree with the installed
# qo-model and with the picture's own header.
#   consumers_test.sh DATA_DIR QO_MODEL
# Finds the libraries where CMake and pkg-config look by default, or through
# CMAKE_PREFIX_PATH and PKG_CONFIG_PATH.
set -euo pipefail
data=$1 qo_model=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-consumers.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake -S "$here/consumer" -B "$work/with-cmake" > /dev/null
cmake --build "$work/with-cmake" > /dev/null
read -ra flags < <(pkg-config --cflags --libs qo-model qo-image)
c++ -std=c++17 "$here/consumer/main.cpp" -o "$work/with-pkg-config" "${flags[@]}"

# What the installed tool says of the model, and what the picture's header says.
expected=$(cd "$data" && "$qo_model" --unitize --facet-normals --vertex-normals 90 met1.obj |
           grep -E '^(vertices|triangles|groups|materials|normals):')
read -r width height < <(od -An -tu4 -j18 -N8 "$data/2.bmp")
expected=$(printf '%s\npicture: %s %s' "$expected" "$width" "$height")
for consumer in "$work/with-cmake/consumer" "$work/with-pkg-config"; do
  got=$(cd "$data" && "$consumer" met1.obj 2.bmp)
  [ "$(sort <<< "$got")" = "$(sort <<< "$expected")" ] || fail "$consumer printed:\n$got\nexpected:\n$expected"
done
echo "both builds of the consumer agree with qo-model:"
echo "$expected"
