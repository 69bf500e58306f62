#!/usr/bin/env bash
# Rebuilds every file in data/: the model, its material library and the three
# pictures straight from qo-datagen, the music through a WAV encoded by lame.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build-datagen"

cmake -S "$root/tools/datagen" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target qo-datagen
"$build/qo-datagen" "$root/data"

if ! command -v lame >/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends lame >/dev/null
fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
"$build/qo-datagen" --music "$tmp/musakki.wav"
# 128 kbit/s constant rate at 44.1 kHz stereo: about 4.3 MB for 268 s.
lame --quiet -b 128 --resample 44.1 "$tmp/musakki.wav" "$root/data/musakki.mp3"
ls -l "$root/data"
