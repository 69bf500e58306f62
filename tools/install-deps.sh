#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Qo need,
# if any of them is missing. Safe to run again: it does nothing then.
#   tools/install-deps.sh            the Linux build
#   tools/install-deps.sh windows    and the Windows build, with its tests under Wine
#   tools/install-deps.sh web        and the browser build, with its tests in headless Chromium
#   tools/install-deps.sh deb        and the Debian packages, their checks and tests
# Several of these may be named at once; one apt-get run installs them all.
set -euo pipefail
requested=("$@")
wants() { [[ " ${requested[*]} " == *" $1 "* ]]; }

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  libsdl2-dev libsdl2-mixer-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl1 libegl-mesa0
  libgtest-dev libgmock-dev zlib1g-dev
  libtinyobjloader-dev libstb-dev
  libavcodec-dev libavformat-dev libavutil-dev libswresample-dev ffmpeg
  scdoc man-db  # the manual pages, and reading them in their test
)
if wants windows; then
  packages+=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth x11-utils xdotool
    # Windows' media service under Wine decodes MP3 through GStreamer.
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  )
fi
if wants web; then
  packages+=(
    # Debian's emscripten brings its clang, lld, binaryen, node modules and
    # prebuilt system libraries; Chromium runs the page's tests headless.
    emscripten chromium
  )
  # The tests' driver comes from npm; Node.js itself may be the machine's own.
  command -v npm > /dev/null || packages+=(nodejs npm)
fi
if wants deb; then
  packages+=(
    dpkg-dev lintian desktop-file-utils appstream
    # The installed demo's test: a virtual screen, its window's title, Escape.
    xvfb xauth xdotool
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
