#!/usr/bin/env bash
# The two packages installed for real with apt, in a mount namespace whose
# /usr, /etc and /var are overlays on the machine's own: everything the
# install and the removal write lands in a scratch folder that goes at the
# end, and the machine is left as it was. Checks that qo-model --version
# prints the version; that the menu's command, started from another folder,
# plays the demo on a virtual X screen with the frame rate in its window's
# title and ends with status 0 on Escape, and without its model shows the
# demo's own message; that a library user builds against libqo-dev through
# find_package(Qo) and pkg-config; and that removing both leaves nothing.
#   installed_test.sh QO_DEB LIBQO_DEV_DEB       (as root, or through sudo)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QO_SCRATCH:-}" ]; then
  scratch=$(mktemp -d /tmp/qo-deb-root.XXXXXX)
  trap 'rm -rf "$scratch"' EXIT
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo env QO_SCRATCH="$scratch" unshare --mount --propagation private bash "$0" "$(realpath "$1")" "$(realpath "$2")"
  exit
fi
qo_deb=$1 dev_deb=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The machine's own root stays in view, to tell new files from changed ones.
mkdir "$QO_SCRATCH/root"
mount --bind / "$QO_SCRATCH/root"
for dir in usr etc var; do
  mkdir -p "$QO_SCRATCH/$dir/upper" "$QO_SCRATCH/$dir/work"
  mount -t overlay "qo-$dir" -o "lowerdir=/$dir,upperdir=$QO_SCRATCH/$dir/upper,workdir=$QO_SCRATCH/$dir/work" "/$dir"
done
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends "$qo_deb" "$dev_deb" > "$QO_SCRATCH/install.log" 2>&1 ||
  { cat "$QO_SCRATCH/install.log"; exit 1; }
mapfile -t owned < <(dpkg -L qo libqo-dev | grep -v '^/\.$' | sort -u)
listed() { printf '%s\n' "${owned[@]}" | grep -m 1 "$1"; }
version=$(dpkg-query -W -f '${Version}' qo)
echo "installed qo and libqo-dev $version with apt"

out=$(qo-model --version)
[ "$out" = "qo-model $version" ] || fail "qo-model --version printed '$out'"
echo "qo-model --version: $out"

# The menu's command as a desktop session runs it: from a folder of the
# user's, with Debian's PATH for users.
command=$(sed -n 's/^Exec=//p' "$(listed '^/usr/share/applications/.*\.desktop$')")
elsewhere=$QO_SCRATCH/home
mkdir "$elsewhere"
(
  cd "$elsewhere"
  export PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games SDL_AUDIODRIVER=dummy
  unset SDL_VIDEODRIVER
  xvfb-run -a -s "-screen 0 1024x768x24" "$here/play_and_escape.sh" $command
) || fail "the menu's command '$command' did not play and end on Escape"

data=$(dirname "$(listed '/met1.obj$')")
mv "$data/met1.obj" "$QO_SCRATCH/met1.obj"
status=0
said=$(cd "$elsewhere" && PATH=/usr/bin:/bin:/usr/games $command 2>&1) || status=$?
mv "$QO_SCRATCH/met1.obj" "$data/met1.obj"
[ "$status" = 1 ] && [ "$said" = 'glmReadOBJ() failed: can'\''t open data file "met1.obj".' ] ||
  fail "without its model, '$command' said '$said' with status $status"
echo "without its model: '$said', status $status"

bash "$here/../install/consumers_test.sh" "$data" qo-model || fail "a library user could not build against libqo-dev"

apt-get remove -y -qq qo libqo-dev > "$QO_SCRATCH/remove.log" 2>&1 || { cat "$QO_SCRATCH/remove.log"; exit 1; }
for path in "${owned[@]}"; do
  [ -e "$path" ] || continue
  # Folders shared with other packages stay; ours must not.
  [ -d "$path" ] && [ -n "$(dpkg -S "$path" 2>/dev/null)" ] && continue
  fail "after removal $path is still there"
done
# What install and removal wrote and left, beside dpkg's and apt's records,
# caches and logs: files that were not there before must not remain;
# system caches rebuilt by other packages' triggers may have changed.
changed=()
while IFS= read -r -d '' file; do
  path=${file#*/upper/}
  [[ "$path" =~ ^(lib/dpkg|lib/apt|cache|log)/ && "$file" == var/* ]] && continue
  path=/${file%%/*}/$path
  if [ -e "$QO_SCRATCH/root$path" ] || [ -L "$QO_SCRATCH/root$path" ]; then
    changed+=("$path")
  else
    fail "after removal $path is new"
  fi
done < <(cd "$QO_SCRATCH" && find usr/upper etc/upper var/upper -mindepth 1 ! -type d -print0)
echo "removed; files changed and rebuilt by other packages' triggers: ${changed[*]:-none}"
[ "$failures" = 0 ]
