#!/usr/bin/env bash
# On an X screen (DISPLAY), runs COMMAND until its window's title is a number
# other than 0 (the demo's frame rate, once frames are made), presses Escape
# in that window and wants the command to end with status 0 within 30 s.
#   play_and_escape.sh COMMAND [ARG...]
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }

"$@" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=""
for _ in $(seq 1 600); do
  window=$(xdotool search --name '^[1-9][0-9]*$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || fail "$* ended before its title showed a frame rate"
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled with a frame rate after 60 s"
title=$(xdotool getwindowname "$window")
xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 1 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "$* still runs 30 s after Escape"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "$* ended with status $status after Escape"
echo "window titled '$title'; Escape ended it with status 0"
