#!/usr/bin/env bash
# Every installed program answers --version with its name and VERSION and
# status 0, and has a manual page that names every option its --help lists.
#   command_lines_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/qo-command-lines.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" --component runtime > /dev/null
for entry in qo:6 qo-model:1 qo-screenshot:1 qo-capture:1; do
  program=${entry%:*} section=${entry#*:}
  out=$("$prefix/bin/$program" --version) || fail "$program --version ended with status $?"
  [ "$out" = "$program $version" ] || fail "$program --version printed '$out'"

  page=$prefix/share/man/man$section/$program.$section
  [ -f "$page" ] || { fail "no manual page $program($section)"; continue; }
  # The page as a reader sees it, on lines long enough that nothing is broken.
  text=$(LC_ALL=C.UTF-8 MANWIDTH=1000 man -l "$page" 2>&1)
  [[ "$text" == "$program($section)"* ]] || fail "$page is not the page of $program($section)"
  options=$("$prefix/bin/$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
  [ -n "$options" ] || fail "$program --help lists no option"
  for option in $options; do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<< "$text" || fail "$program($section) does not mention $option"
  done
  echo "$program: --version '$out'; its page names $(wc -w <<< "$options") options of --help"
done
[ "$failures" = 0 ]
