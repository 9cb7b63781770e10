#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# udev's own check of the package's rule file, where udevadm has one (systemd 254 and later, as
# in Debian 13); elsewhere the test is skipped (exit 77). It reads the file only: no udev daemon
# is asked or started.
#   udev_rule_verify_test.sh RULE_FILE
set -euo pipefail
udevadm=$(command -v udevadm || true)
if [ -z "$udevadm" ] || ! "$udevadm" verify --help >/dev/null 2>&1; then
  echo "udevadm verify is not available here: skipped"
  exit 77
fi
"$udevadm" verify --resolve-names=never "$1"
