#!/usr/bin/env bash
# The installed package that holds FILE. With /lib a link to /usr/lib, dpkg
# knows each library under one of the two spellings, of the name or of the
# file it links to; each is tried.
#   package-of.sh FILE
set -euo pipefail
for path in "$1" "$(realpath "$1")"; do
  for spelling in "$path" "${path#/usr}" "/usr$path"; do
    if owner=$(dpkg -S "$spelling" 2>/dev/null); then
      echo "${owner%%:*}"
      exit 0
    fi
  done
done
echo "package-of.sh: no package holds $1" >&2
exit 1
