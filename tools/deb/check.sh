#!/usr/bin/env bash
# Debian's checks on the two packages: lintian finds no error (whatever else
# it says is printed), and the desktop entry and the AppStream metadata in
# the demo's package pass their validators; AppStream's validates the whole
# tree, so the desktop entry the metadata launches must be there too. It is
# told not to fetch the screenshot: nothing outside is reached from here.
#   check.sh QO_DEB LIBQO_DEV_DEB
set -euo pipefail
qo_deb=$1 dev_deb=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-deb-check.XXXXXX")
trap 'rm -rf "$work"' EXIT

dpkg-deb -x "$qo_deb" "$work/tree"
for entry in "$work"/tree/usr/share/applications/*.desktop; do
  desktop-file-validate "$entry"
  echo "desktop-file-validate: $(basename "$entry") passes"
done
appstreamcli validate-tree --no-net --pedantic "$work/tree"

# lintian would rather not run as root: then it runs as nobody, on copies.
lintian=(lintian --fail-on error --display-info --pedantic --tag-display-limit 0)
debs=("$qo_deb" "$dev_deb")
if [ "$(id -u)" = 0 ]; then
  mkdir "$work/debs"
  cp "${debs[@]}" "$work/debs/"
  chmod -R a+rX "$work"
  debs=("$work/debs/$(basename "$qo_deb")" "$work/debs/$(basename "$dev_deb")")
  lintian=(runuser -u nobody -- "${lintian[@]}")
fi
echo "lintian:"
"${lintian[@]}" "${debs[@]}" | tee "$work/lintian.txt"
for kind in E W I P; do
  echo "  $kind: $(grep -c "^$kind: " "$work/lintian.txt" || true)"
done
