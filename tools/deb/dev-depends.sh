#!/usr/bin/env bash
# The libraries' Depends, as a substitution variable: the packages that hold
# what a user's build of them needs, found from the files: the pkg-config
# modules their .pc files require, and pkg-config itself, through which the
# CMake package finds SDL2.
#   dev-depends.sh ROOT
set -euo pipefail
root=$1
pc_dir=$(dirname "$(find "$root" -path '*/pkgconfig/qo-model.pc')")
modules=$(PKG_CONFIG_PATH=$pc_dir pkg-config --print-requires qo-model qo-image | awk '{ print $1 }')
packages=$(
  for module in $modules; do
    "$(dirname "$0")/package-of.sh" "$(pkg-config --path "$module")"
  done
  "$(dirname "$0")/package-of.sh" "$(command -v pkg-config)"
)
echo "dev:Depends=$(sort -u <<< "$packages" | paste -sd , | sed 's/,/, /g')"
