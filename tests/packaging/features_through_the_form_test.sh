#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The features (command line, motor test, settings, support log) act through the form's
# operations and learn what happens from its events and queries: none writes to a control,
# none reads the status box. Prints each line that does.
#   features_through_the_form_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
control_write='\.(setText|setValue|setListIndex|clickTab|click|addItem|insertItem|removeItem|setItemData|setVisible|setEnabled|setFocus)\('
found=0
for room in src/cli src/motortest src/settings src/supportlog; do
  [ -d "$room" ] || continue
  # Timers are no controls; their names say so.
  if grep -rnE "$control_write|TxtConnState|TxtHardVer|TxtFirmVer|TxtRev" "$room" |
    grep -vE '(tick_|soon_|timer[A-Za-z0-9_]*)\.'; then
    found=1
  fi
done
exit "$found"
