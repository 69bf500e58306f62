#!/usr/bin/env bash
# The demo's frame time under Wine beside the Linux build's, on one virtual X
# screen (1024x768x24) on this machine, both through Mesa's software GL.
#   tools/windows/with-wine.sh bench/windows/frame_time_under_wine.sh build/demo/qo dist/qo-windows-x64.zip [ROUNDS]
# Each round runs each build for 30 s and reads the frames-per-second count in
# its title once a second from 10 s on; the rounds alternate between the two.
set -euo pipefail
linux_qo=$(realpath "$1") zip=$(realpath "$2") rounds=${3:-2}
data=$(cd "$(dirname "$0")/../../data" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-frame-time.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")

title_of() {  # the title of the window whose program is $1
  xwininfo -root -tree | sed -n "s/^ *0x[0-9a-f]* \"\\([0-9]*\\)\": (\"$1\".*/\\1/p" | grep -m 1 . || true
}

# Prints the sum and the count of the per-second readings of one run.
measure() {
  local program=$1 pid sum=0 n=0 t
  shift
  "$@" > /dev/null 2>&1 &
  pid=$!
  sleep 10
  for _ in $(seq 1 20); do
    sleep 1
    t=$(title_of "$program")
    [[ "$t" =~ ^[0-9]+$ ]] && sum=$((sum + t)) n=$((n + 1))
  done
  xdotool key Escape
  wait "$pid" || true
  echo "$sum $n"
}

linux_sum=0 linux_n=0 wine_sum=0 wine_n=0
for round in $(seq 1 "$rounds"); do
  read -r s n < <(cd "$data" && SDL_AUDIODRIVER=dummy measure qo "$linux_qo")
  linux_sum=$((linux_sum + s)) linux_n=$((linux_n + n))
  read -r s n < <(cd "$work/qo" && measure qo.exe wine qo.exe)
  wine_sum=$((wine_sum + s)) wine_n=$((wine_n + n))
  echo "round $round done"
done
awk -v ls="$linux_sum" -v ln="$linux_n" -v ws="$wine_sum" -v wn="$wine_n" 'BEGIN {
  lf = ls / ln; wf = ws / wn
  printf "%-22s %8s %10s\n", "", "frames/s", "ms/frame"
  printf "%-22s %8.1f %10.1f\n", "Linux build (SDL, GLX)", lf, 1000 / lf
  printf "%-22s %8.1f %10.1f\n", "Windows build (Wine)", wf, 1000 / wf
  printf "frame time under Wine / Linux: %.2f\n", lf / wf
}'
