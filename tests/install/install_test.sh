#!/usr/bin/env bash
# Installs a build into a fresh prefix, checks what is there, and builds a
# library user's program against it (consumers_test.sh).
#   install_test.sh BUILD_DIR LIBDIR
set -euo pipefail
build=$1 lib=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null
for f in bin/qo libexec/qo/qo bin/qo-model bin/qo-screenshot bin/qo-capture share/qo/met1.obj share/qo/musakki.mp3 \
         include/qo/model/include2.h include/qo/image/rgb_image.h $lib/libqo_model.a $lib/libqo_image.a \
         $lib/cmake/Qo/QoConfig.cmake $lib/pkgconfig/qo-model.pc $lib/pkgconfig/qo-image.pc; do
  [ -e "$prefix/$f" ] || fail "the prefix has no $f"
done

# The headers are the API: nothing of the libraries' inside is installed.
headers=$(cd "$prefix/include/qo" && find . -type f | sort | tr '\n' ' ')
[ "$headers" = "./image/rgb_image.h ./model/include2.h " ] || fail "installed headers: $headers"

echo "installed into $prefix"
CMAKE_PREFIX_PATH=$prefix PKG_CONFIG_PATH=$prefix/$lib/pkgconfig \
  bash "$here/consumers_test.sh" "$prefix/share/qo" "$prefix/bin/qo-model"
