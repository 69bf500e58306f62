#!/usr/bin/env bash
# Runs a command (the Windows tests) with Windows programs runnable through
# Wine: a throw-away Wine prefix, a virtual X screen of 1024x768 at 24 bits,
# and a sound device that plays into nothing. Everything goes at the end.
#   tools/windows/with-wine.sh COMMAND [ARG...]
set -euo pipefail
home=$(mktemp -d "${TMPDIR:-/tmp}/qo-wine.XXXXXX")
export WINEPREFIX=$home/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT

# Sound: ALSA's null device stands in for a sound card, so Windows' media
# service has a device to play into.
printf 'pcm.!default {\n  type null\n}\n' > "$home/.asoundrc"
export HOME=$home

wineboot -i > /dev/null 2>&1
# No window manager runs on the virtual screen: Wine's windows are its own
# to place and focus, instead of waiting for a manager that never answers.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
wineserver -w  # the prefix settled, before anything runs on the screen

xvfb-run -a -s "-screen 0 1024x768x24" "$@"
