#!/usr/bin/env bash
# What Debian's packaging helpers do to an installed tree before it becomes a
# package: the copyright file and the changelog in its documentation folder,
# manual pages compressed, programs and static libraries stripped of their
# debugging data, plain modes.
#   finish-tree.sh ROOT PACKAGE CHANGELOG
set -euo pipefail
root=$1 package=$2 changelog=$3
here=$(dirname "$0")

doc=$root/usr/share/doc/$package
install -d "$doc"
install -m 644 "$here/copyright" "$doc/copyright"
gzip -9nc "$changelog" > "$doc/changelog.gz"
if [ -d "$root/usr/share/man" ]; then
  find "$root/usr/share/man" -type f -name '*.[0-9]' -exec gzip -9n {} +
fi

find "$root" -type f -name '*.a' -exec \
  strip --strip-debug --remove-section=.comment --remove-section=.note --enable-deterministic-archives {} +
while IFS= read -r -d '' file; do
  if [ "$(head -c 4 "$file")" = $'\x7fELF' ]; then
    strip --remove-section=.comment --remove-section=.note --strip-unneeded "$file"
  fi
done < <(find "$root" -type f -perm -u+x -print0)

find "$root" -type d -exec chmod 755 {} +
find "$root" -type f -perm -u+x -exec chmod 755 {} +
find "$root" -type f ! -perm -u+x -exec chmod 644 {} +
