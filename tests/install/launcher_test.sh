#!/usr/bin/env bash
# The installed `qo` from another folder: it plays the demo from its installed
# data (headless here), also once the prefix has moved, and without the model
# the user sees the demo's own message and status. (How the demo ends on a
# real screen is the Debian package's test, tests/deb/installed_test.sh.)
#   launcher_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-launcher.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy

cmake --install "$build" --prefix "$work/prefix" --component runtime > /dev/null
mkdir "$work/elsewhere"

# Runs `qo` from $work/elsewhere for up to $2 seconds; sets $status to its
# exit status, or to "playing" when it still runs then (it is then stopped),
# and $messages to what it wrote on standard error.
run_qo() {
  local launcher=$1 seconds=$2 pid
  (cd "$work/elsewhere" && exec "$launcher") 2> "$work/stderr" &
  pid=$!
  for _ in $(seq 1 $((seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  status=playing
  if kill -KILL "$pid" 2>/dev/null; then
    { wait "$pid"; } 2>/dev/null || true  # not the shell's word on the kill
  else
    status=0
    wait "$pid" || status=$?
  fi
  messages=$(cat "$work/stderr")
}

# Everything it reads is there: past start-up, it plays silently on.
run_qo "$work/prefix/bin/qo" 5
[ "$status" = playing ] && [ -z "$messages" ] || fail "qo from another folder: status $status, said: $messages"
echo "from another folder: playing after 5 s, nothing said"

mv "$work/prefix" "$work/moved"
run_qo "$work/moved/bin/qo" 5
[ "$status" = playing ] && [ -z "$messages" ] || fail "qo in a moved prefix: status $status, said: $messages"
echo "in a moved prefix: the same"

rm "$work/moved/share/qo/met1.obj"
run_qo "$work/moved/bin/qo" 10
expected='glmReadOBJ() failed: can'\''t open data file "met1.obj".'
[ "$status" = 1 ] && [ "$messages" = "$expected" ] || fail "qo without its model: status $status, said: $messages"
echo "without its model: $messages (status 1)"
