#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A manual page has an entry for every option its program's help lists, so a page cannot
# fall out of step with the program. An entry is the tag of a .TP or .TQ paragraph; an option
# that the page only mentions, in an example say, does not count.
#   man_page_options_test.sh PAGE PROGRAM [ARGUMENT...]   runs PROGRAM ARGUMENT... --help
set -euo pipefail
page=$1
shift

# Lines that show another of our programs at work give that program's options, not this one's.
help=$("$@" --help | awk -v me="$(basename "$1")" '
  { for (i = 1; i <= NF; i++) if ($i ~ /^morvane-esc/ && $i != me) next; print }')
# The entries' tags, roff's escaped hyphens made plain and font changes dropped.
tags=$(awk 'tag { print; tag = 0 } /^\.T[PQ]$/ { tag = 1 }' "$page" |
  sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g')

mapfile -t options < <(grep -oE '(^|[][ ,|(])--?[A-Za-z][A-Za-z0-9-]*' <<<"$help" |
  sed -E 's/^[][ ,|(]//' | sort -u)
if [ ${#options[@]} -eq 0 ]; then
  echo "no option found in the help of $*" >&2
  exit 1
fi
missing=()
for option in "${options[@]}"; do
  grep -qE -- "(^|[^A-Za-z0-9-])${option}([^A-Za-z0-9-]|$)" <<<"$tags" || missing+=("$option")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "$page has no entry for these options of '$* --help': ${missing[*]}" >&2
  exit 1
fi
echo "$(basename "$page"): an entry for each of the help's ${#options[@]} options: ${options[*]}"
