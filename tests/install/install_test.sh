#!/usr/bin/env bash
# Installs a build into a fresh prefix and builds a library user's program
# against it twice, through find_package(Qo) and through pkg-config; both run
# on the installed demo's model and picture and must agree with the installed
# qo-model and with the picture's own header.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null
for f in bin/qo bin/qo-model bin/qo-screenshot share/qo/met1.obj share/qo/musakki.mp3 include/qo/model/include2.h \
         include/qo/image/rgb_image.h lib/libqo_model.a lib/libqo_image.a lib/cmake/Qo/QoConfig.cmake \
         lib/pkgconfig/qo-model.pc lib/pkgconfig/qo-image.pc; do
  [ -e "$prefix/$f" ] || fail "the prefix has no $f"
done

# The headers are the API: nothing of the libraries' inside is installed.
headers=$(cd "$prefix/include/qo" && find . -type f | sort | tr '\n' ' ')
[ "$headers" = "./image/rgb_image.h ./model/include2.h " ] || fail "installed headers: $headers"

cmake -S "$here/consumer" -B "$work/with-cmake" -DCMAKE_PREFIX_PATH="$prefix" > /dev/null
cmake --build "$work/with-cmake" > /dev/null
flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs qo-model qo-image)
c++ -std=c++17 "$here/consumer/main.cpp" -o "$work/with-pkg-config" $flags

# What the installed tool says of the model, and what the picture's header says.
data=$prefix/share/qo
expected=$(cd "$data" && "$prefix/bin/qo-model" --unitize --facet-normals --vertex-normals 90 met1.obj |
           grep -E '^(vertices|triangles|groups|materials|normals):')
read -r width height < <(od -An -tu4 -j18 -N8 "$data/2.bmp")
expected=$(printf '%s\npicture: %s %s' "$expected" "$width" "$height")
for consumer in "$work/with-cmake/consumer" "$work/with-pkg-config"; do
  got=$(cd "$data" && "$consumer" met1.obj 2.bmp)
  [ "$(sort <<< "$got")" = "$(sort <<< "$expected")" ] || fail "$consumer printed:\n$got\nexpected:\n$expected"
done
echo "installed into $prefix; both builds of the consumer agree with qo-model:"
echo "$expected"
