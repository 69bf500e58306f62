#!/usr/bin/env bash
# The packages of the shared libraries a program opens while it runs, which
# dpkg-shlibdeps cannot see in its file: SDL opens the GL front end,
# libGL.so.1 on X11 and libEGL.so.1 headless. Runs PROGRAM with the dynamic
# loader's trace for at most SECONDS and keeps what the program or its own
# libraries opened; the GL vendors and drivers those open in turn are the
# front ends' to depend on. Prints one package a line; fails when the program
# opened nothing.
#   loaded-packages.sh SECONDS PROGRAM [ARG...]
set -euo pipefail
seconds=$1 program=$2
shift 2
own=" $(basename "$program") $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | tr '\n' ' ')"
trace=$(LD_DEBUG=files timeout "$seconds" "$program" "$@" 2>&1 > /dev/null || true)

opened=$(sed -n 's/.*opening file=\([^ ]*\) \[0\].*/\1/p' <<< "$trace" | sort -u)
found=0
while read -r name opener; do
  [[ "$own" == *" $(basename "$opener") "* ]] || continue
  path=$(awk -v n="$name" '$0 == n || substr($0, length($0) - length(n)) == "/" n { print; exit }' <<< "$opened")
  "$(dirname "$0")/package-of.sh" "$path"
  found=1
done < <(sed -n 's/.*file=\([^ ]*\) \[0\];  dynamically loaded by \([^ ]*\) .*/\1 \2/p' <<< "$trace" | sort -u)
[ "$found" = 1 ] || { echo "loaded-packages.sh: $program opened no library in $seconds s" >&2; exit 1; }
