#!/usr/bin/env bash
# What the two packages hold and where: nothing outside /usr or in both;
# root's files with plain modes; the demo's launcher, program and data (the
# repository's own) in Debian's games layout, the launcher pointing at them;
# a compressed manual page for every program on the PATH; the desktop entry,
# AppStream metadata and icons naming each other, each icon drawn at its
# folder's size; the libraries in the multiarch folder with .pc files that
# find /usr; and every library the programs link to in Depends.
#   contents_test.sh QO_DEB LIBQO_DEV_DEB
set -euo pipefail
qo_deb=$1 dev_deb=$2
repo=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-deb-contents.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
files() { (cd "$1" && find . -mindepth 1 ! -type d | sed 's/^\.//' | sort); }

qo=$work/qo dev=$work/dev
dpkg-deb -x "$qo_deb" "$qo"
dpkg-deb -x "$dev_deb" "$dev"
both=$(comm -12 <(files "$qo") <(files "$dev"))
[ -z "$both" ] || fail "in both packages: $both"
outside=$({ files "$qo"; files "$dev"; } | awk '!/^\/usr\// || /^\/usr\/local\//')
[ -z "$outside" ] || fail "outside /usr or in /usr/local: $outside"
for deb in "$qo_deb" "$dev_deb"; do
  odd=$(dpkg-deb -c "$deb" | awk '$2 != "root/root" || $1 !~ /^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x)$/')
  [ -z "$odd" ] || fail "$(basename "$deb") has other owners or modes: $odd"
done

# The demo: /usr/games/qo runs /usr/lib/games/qo/qo in /usr/share/games/qo.
[ "$(head -c 2 "$qo/usr/games/qo")" = '#!' ] || fail "/usr/games/qo is not a script"
[ "$(head -c 4 "$qo/usr/lib/games/qo/qo")" = $'\x7fELF' ] || fail "/usr/lib/games/qo/qo is not a program"
named=$("$qo/usr/games/qo" --help | grep -o "$qo/[^ ]*[^ .]")
[ "$named" = "$qo/usr/share/games/qo" ] || fail "the launcher reads its data from '$named'"
demo_files=(2.bmp met1.mtl met1.obj musakki.mp3 te1.bmp te2.bmp)
data=$(files "$qo/usr/share/games/qo" | xargs -n 1 basename | sort | tr '\n' ' ')
[ "$data" = "${demo_files[*]} " ] || fail "the data folder holds $data"
for f in "${demo_files[@]}"; do
  cmp -s "$qo/usr/share/games/qo/$f" "$repo/data/$f" || fail "$f differs from the repository's"
done

# A manual page for each program on the PATH, and nothing else in the pages.
programs=$(cd "$qo/usr" && ls bin games | grep -v ':$' | grep . | sort)
pages=$(cd "$qo/usr/share/man" && ls man1 man6 | grep '\.gz$' | sed 's/\.[0-9]\.gz$//' | sort)
[ "$programs" = "$pages" ] || fail "programs: $programs; manual pages: $pages"
for page in "$qo"/usr/share/man/man*/*; do
  gzip -t "$page" || fail "$page is not compressed"
done

# The desktop entry, the metadata and the icon name each other.
entry=$(ls "$qo"/usr/share/applications/*.desktop)
id=$(basename "$entry" .desktop)
metadata=$qo/usr/share/metainfo/$id.metainfo.xml
[ -f "$metadata" ] || fail "no AppStream metadata for $id"
grep -qF "<id>$id</id>" "$metadata" || fail "the metadata's id is not $id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metadata" || fail "the metadata launches no $id.desktop"
command=$(sed -n 's/^Exec=//p' "$entry")
[ -x "$qo/usr/games/$command" ] || [ -x "$qo/usr/bin/$command" ] || fail "the entry's command '$command' is not on the PATH"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 48 128 256; do
  png=$qo/usr/share/icons/hicolor/${size}x$size/apps/$icon.png
  [ -f "$png" ] || { fail "no ${size}x$size icon"; continue; }
  dimensions=$(ffprobe -v error -select_streams v -show_entries stream=width,height -of csv=p=0:s=x "$png")
  [ "$dimensions" = "${size}x$size" ] || fail "the ${size}x$size icon is $dimensions"
  # The model fills part of it: some pixels opaque, the top left corner clear.
  alpha=$(ffmpeg -v error -i "$png" -vf alphaextract -f rawvideo -pix_fmt gray - | od -An -tu1 -v | tr -s ' ' '\n' | grep .)
  [ "$(head -n 1 <<< "$alpha")" = 0 ] && grep -qx 255 <<< "$alpha" || fail "the ${size}x$size icon shows no model"
done

# The libraries, in the multiarch folder, with .pc files that find /usr.
libdir=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for f in libqo_model.a libqo_image.a libqo_platform.a cmake/Qo/QoConfig.cmake pkgconfig/qo-model.pc pkgconfig/qo-image.pc; do
  [ -f "$dev$libdir/$f" ] || fail "libqo-dev has no $libdir/$f"
done
for module in qo-model qo-image; do
  prefix=$(PKG_CONFIG_PATH=$dev$libdir/pkgconfig pkg-config --variable=prefix $module)
  [ "$(realpath -m "$prefix")" = "$dev/usr" ] || fail "$module.pc finds the prefix $prefix"
done
[ -f "$dev/usr/include/qo/model/include2.h" ] && [ -f "$dev/usr/include/qo/image/rgb_image.h" ] ||
  fail "libqo-dev lacks its headers"

# Every library a program links to comes from a package in Depends.
depends=" $(dpkg-deb -f "$qo_deb" Depends | sed 's/([^)]*)//g; s/[,|]/ /g' | tr -s ' ') "
linked=$(find "$qo" -type f -perm -u+x | while read -r program; do
  [ "$(head -c 4 "$program")" = $'\x7fELF' ] || continue
  resolved=$(ldd "$program")
  for name in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    awk -v n="$name" '$1 == n { print $3 }' <<< "$resolved"
  done
done | sort -u)
for library in $linked; do
  package=$("$repo/tools/deb/package-of.sh" "$library")
  [[ "$depends" == *" $package "* ]] || fail "the programs link $library of $package, which Depends lacks"
done

[ "$failures" = 0 ] || exit 1
echo "the packages hold what they should, where they should"
