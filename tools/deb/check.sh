#!/usr/bin/env bash
# Debian's checks on the two packages: lintian finds no error (whatever else
# it says is printed), and the desktop entry and the AppStream metadata in
# the demo's package pass their validators. AppStream's is told not to fetch
# the screenshot: nothing outside is reached from here.
#   check.sh QO_DEB LIBQO_DEV_DEB
set -euo pipefail
qo_deb=$1 dev_deb=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-deb-check.XXXXXX")
trap 'rm -rf "$work"' EXIT

dpkg-deb -x "$qo_deb" "$work"
for entry in "$work"/usr/share/applications/*.desktop; do
  desktop-file-validate "$entry"
  echo "desktop-file-validate: $(basename "$entry") passes"
done
for metadata in "$work"/usr/share/metainfo/*.metainfo.xml; do
  appstreamcli validate --no-net --pedantic "$metadata"
done

echo "lintian:"
lintian --fail-on error --display-info --tag-display-limit 0 "$qo_deb" "$dev_deb" | tee "$work/lintian.txt"
for kind in E W I P; do
  echo "  $kind: $(grep -c "^$kind: " "$work/lintian.txt" || true)"
done
