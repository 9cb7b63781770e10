#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every relative link of the docs leads to a file that is there and, with a "#", to a heading
# of that file, so that moving a section or a file cannot leave a reader at a dead end. Links
# to web addresses are not followed; links inside code are no links.
#   doc_links_test.sh DOC...
set -euo pipefail
export LC_ALL=C

# The text outside fenced blocks and code spans.
prose() { awk '/^```/ { fenced = !fenced; next } !fenced' "$1" | sed 's/`[^`]*`//g'; }

# A heading's anchor as the web page makes it: lower case, punctuation dropped, spaces as "-".
anchors() {
  awk '/^```/ { fenced = !fenced; next } !fenced && /^#+ / { sub(/^#+ +/, ""); print }' "$1" |
    tr -d '`' | tr 'A-Z' 'a-z' | sed -e 's/[^a-z0-9 _-]//g' -e 's/ /-/g'
}

checked=0
broken=()
for doc in "$@"; do
  here=$(dirname "$doc")
  while read -r target; do
    case $target in *://* | mailto:*) continue ;; esac
    path=${target%%#*}
    file=$doc
    [ -n "$path" ] && file=$here/$path
    checked=$((checked + 1))
    if [ ! -e "$file" ]; then
      broken+=("$doc: $target: no such file")
    elif [ "$target" != "$path" ] && ! anchors "$file" | grep -qxF -- "${target#*#}"; then
      broken+=("$doc: $target: no such heading")
    fi
  done < <(prose "$doc" | grep -oE '\]\([^) ]+\)' | sed -e 's/^](//' -e 's/)$//')
done

if [ ${#broken[@]} -gt 0 ]; then
  printf 'FAIL %s\n' "${broken[@]}" >&2
  exit 1
fi
if [ "$checked" -eq 0 ]; then
  echo "FAIL: no relative link in $*" >&2
  exit 1
fi
echo "$checked links, each to a file and heading that are there"
