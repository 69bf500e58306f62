#!/usr/bin/env bash
# The Windows zip as a user gets it, under Wine on an X screen of 1024x768:
#   zip_end_to_end.sh ZIP LINUX_QO_SCREENSHOT LINUX_QO_MODEL
# Unpacks it and checks what is in it and what its programs need; runs
# qo-model.exe and compares its summary with the Linux build's; runs qo.exe,
# waits for a number in its title, takes a picture of the screen some 15 s in,
# presses Escape and wants status 0; compares that picture with the Linux
# build's rendering of the same frame; runs it again without its music.
# Needs DISPLAY, WINEPREFIX and wine (tools/windows/with-wine.sh sets them up).
set -euo pipefail
zip=$1 linux_screenshot=$2 linux_model=$3

# The picture must agree with the Linux build's frame to 40 dB PSNR (an RMS
# difference of 2.5 levels in 255). Measured: 51-52 dB against the Linux frame
# the run reached, 51 dB between two Linux frames 100 frames apart (the swarm
# moves, and where in those frames the picture was taken is known only from
# the titles), 29 dB against a frame of the fade-in.
min_psnr=40
allowed_dlls="kernel32.dll user32.dll gdi32.dll opengl32.dll glu32.dll winmm.dll msvcrt.dll"

fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-zip.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
cmake -E tar xf "$zip"

# What is in the zip, and what its programs load.
contents=$(cd qo && ls | sort | tr '\n' ' ')
[ "$contents" = "2.bmp README.txt met1.mtl met1.obj musakki.mp3 qo-model.exe qo.exe te1.bmp te2.bmp " ] ||
  fail "the folder holds: $contents"
for exe in qo.exe qo-model.exe; do
  for dll in $(x86_64-w64-mingw32-objdump -p "qo/$exe" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    [[ " $allowed_dlls " == *" $dll "* ]] || fail "$exe needs $dll, which is not Windows' own"
  done
done
headers=$(x86_64-w64-mingw32-objdump -p qo/qo.exe)
[[ "$headers" == *"(Windows GUI)"* ]] || fail "qo.exe is not a GUI program"

# qo-model.exe says what the Linux build says of the demo's model.
(cd qo && wine qo-model.exe met1.obj) | tr -d '\r' > model-windows.txt
(cd qo && "$linux_model" met1.obj) > model-linux.txt
diff model-linux.txt model-windows.txt || fail "qo-model.exe's summary differs from the Linux build's"

# The demo window's title ("Qo", then the frame rate); its other windows
# (the input method's) are named otherwise.
title() {
  xwininfo -root -tree | sed -n 's/^ *0x[0-9a-f]* "\([^"]*\)": ("qo.exe".*/\1/p' | grep -m 1 -E '^([0-9]+|Qo)$' || true
}

# Runs the demo in folder $1 until its title is a number, samples the title
# once a second for $2 seconds, takes a picture of the screen into $3 (when
# given), presses Escape. Leaves the exit status in $status and the samples
# in $samples; Wine's media trace goes to $1.log.
run_demo() {
  local dir=$1 seconds=$2 picture=${3:-} pid t
  (cd "$dir" && WINEDEBUG=-all,+mci exec wine qo.exe) 2> "$dir.log" &
  pid=$!
  for _ in $(seq 1 900); do
    t=$(title)
    [[ "$t" =~ ^[0-9]+$ ]] && break
    kill -0 "$pid" 2>/dev/null || fail "qo.exe ended before its first frame"
    sleep 0.1
  done
  [[ "$t" =~ ^[0-9]+$ ]] || fail "no frame rate in the title after 90 s (title: '$t')"
  samples=()
  for _ in $(seq 1 "$seconds"); do
    sleep 1
    samples+=("$(title)")
  done
  if [ -n "$picture" ]; then
    ffmpeg -loglevel error -y -f x11grab -video_size 1024x768 -i "$DISPLAY" -frames:v 1 "$picture"
    samples+=("$(title)")
  fi
  xdotool key Escape
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "qo.exe still runs 30 s after Escape"
  status=0
  wait "$pid" || status=$?
}

run_demo qo 15 screen.png
[ "$status" = 0 ] || fail "qo.exe ended with status $status after Escape"
play=$(awk '/verb=L"play"/ { p = 1 } p && /=> 2\// { sub(/.*=> 2\/ */, ""); print $1; exit }' qo.log)
if [ "$play" = 0 ]; then echo "music: Wine played musakki.mp3"; else echo "music: Wine could not play musakki.mp3 (MCI error ${play:-none})"; fi

# The frames presented by the time of the picture, from the titles' counts.
frames=0
for n in "${samples[@]}"; do frames=$((frames + n)); done
echo "frames per second under Wine: ${samples[*]}"
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$linux_screenshot" qo "$frames" linux.png > /dev/null
psnr=$(ffmpeg -hide_banner -i screen.png -i linux.png -lavfi "[0:v][1:v]psnr" -f null - 2>&1 |
       sed -n 's/.*average:\([0-9.inf]*\).*/\1/p')
echo "picture against the Linux build's frame $frames: PSNR $psnr dB (at least $min_psnr)"
awk -v p="$psnr" -v m="$min_psnr" 'BEGIN { exit !(p == "inf" || p + 0 >= m) }' || fail "the picture differs from the Linux frame"

# Without its music the demo runs as before.
cp -r qo silent
rm silent/musakki.mp3
run_demo silent 2
[ "$status" = 0 ] || fail "without its music qo.exe ended with status $status"
echo "without musakki.mp3: ran and ended with status 0"
