#!/usr/bin/env bash
# Builds Qo's two Debian packages and checks them:
#   tools/build-deb.sh
# writes dist/qo_VERSION_ARCH.deb (the demo with its launcher, data, menu
# entry, icon and pages, and the tools) and dist/libqo-dev_VERSION_ARCH.deb
# (the static libraries, headers, CMake package and pkg-config files).
# Installs what is missing, builds what is installed in build-deb/ with
# Debian's hardening flags and its games layout, installs each CMake
# component into a tree of its own and makes the packages with dpkg's tools:
# dpkg-shlibdeps (and a run of the programs) for the demo's Depends,
# dpkg-gencontrol, dpkg-deb. Then runs lintian, desktop-file-validate and
# appstreamcli validate-tree (tools/deb/check.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh deb

# The changelog and the manual pages are dated by the last commit.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
build=build-deb
cmake -S . -B $build -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DQO_GAMES_LAYOUT=ON -DQO_BENCH=OFF \
  -DCMAKE_C_FLAGS="$CFLAGS $CPPFLAGS" -DCMAKE_CXX_FLAGS="$CXXFLAGS $CPPFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
  > /dev/null
cmake --build $build -j"$(nproc)" --target qo_installed
version=$(sed -n 's/^#define QO_VERSION "\(.*\)"$/\1/p' $build/generated/qo_version.h)

# dpkg's tools work in a folder that holds debian/control, debian/changelog
# and each package's tree in debian/PACKAGE.
work=$PWD/$build/deb
rm -rf "$work"
mkdir -p "$work/debian"
cp tools/deb/control "$work/debian/control"
maintainer=$(sed -n 's/^Maintainer: //p' tools/deb/control)
printf 'qo (%s) unstable; urgency=medium\n\n  * Qo %s.\n\n -- %s  %s\n' "$version" "$version" "$maintainer" \
  "$(date -R -u -d "@$SOURCE_DATE_EPOCH")" > "$work/debian/changelog"

DESTDIR=$work/debian/qo cmake --install $build --component runtime > /dev/null
DESTDIR=$work/debian/libqo-dev cmake --install $build --component dev > /dev/null
for package in qo libqo-dev; do
  tools/deb/finish-tree.sh "$work/debian/$package" $package "$work/debian/changelog"
  mkdir -p "$work/debian/$package/DEBIAN"
done

# Depends. The demo's: the libraries its programs name (dpkg-shlibdeps) and
# those they open while running: the demo on a virtual X screen as on a
# desktop, the headless tools on SDL's offscreen driver.
tree=$work/debian/qo/usr
export SDL_AUDIODRIVER=dummy
loaded=$(
  cd data
  env -u SDL_VIDEODRIVER xvfb-run -a -s "-screen 0 1024x768x24" ../tools/deb/loaded-packages.sh 5 "$tree/lib/games/qo/qo"
  export SDL_VIDEODRIVER=offscreen
  ../tools/deb/loaded-packages.sh 120 "$tree/bin/qo-screenshot" . 0 "$work/frame.png"
  ../tools/deb/loaded-packages.sh 120 "$tree/bin/qo-capture" --to 0.1 . "$work/stretch.mp4"
)
echo "loaded:Depends=$(sort -u <<< "$loaded" | paste -sd , | sed 's/,/, /g')" > "$work/debian/qo.substvars"
mapfile -t programs < <(find "$work/debian/qo" -type f -perm -u+x -exec sh -c '[ "$(head -c 4 "$1")" = "$(printf "\177ELF")" ]' _ {} \; -print)
(cd "$work" && dpkg-shlibdeps -Tdebian/qo.substvars "${programs[@]#$work/}")
tools/deb/dev-depends.sh "$work/debian/libqo-dev" > "$work/debian/libqo-dev.substvars"

for package in qo libqo-dev; do
  (cd "$work" && dpkg-gencontrol -p$package -Tdebian/$package.substvars -Pdebian/$package)
  (cd "$work/debian/$package" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | sort -z | xargs -0 md5sum) \
    > "$work/debian/$package/DEBIAN/md5sums"
done

mkdir -p dist
rm -f dist/qo_*.deb dist/libqo-dev_*.deb
for package in qo libqo-dev; do
  dpkg-deb --root-owner-group --build "$work/debian/$package" dist/ > /dev/null
done
debs=(dist/qo_"$version"_*.deb dist/libqo-dev_"$version"_*.deb)
for deb in "${debs[@]}"; do
  echo "Wrote $deb ($(stat -c %s "$deb") bytes); Depends: $(dpkg-deb -f "$deb" Depends)"
done
tools/deb/check.sh "${debs[@]}"
