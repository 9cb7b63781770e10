#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file names its licence in its first lines; prints those that do not.
#   licence_lines_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
missing=0
while IFS= read -r -d '' file; do
  if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
    echo "no licence line: $file"
    missing=1
  fi
# web/node_modules holds the browser tests' npm packages, which are not ours.
done < <(find . -path ./build -prune -o -path ./.git -prune -o -path ./web/node_modules -prune -o -type f \
  \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.cmake' -o -name '*.1' \
  -o -name CMakeLists.txt -o -path ./.ci/run \) -print0)
exit "$missing"
