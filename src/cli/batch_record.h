// SPDX-License-Identifier: GPL-3.0-or-later
// The record of a batch (load --each --record): one CSV row per ESC, what it held before,
// what it holds after and whether that was confirmed, for a seller to keep.
#pragma once

#include <string>

#include "settings/settings_file.h"

namespace morvane::cli {

struct BatchRow {
  std::string time;  // UTC, ISO 8601
  int esc = 0;       // its number in the batch, from 1
  std::string model;
  std::string firmware;
  SettingValues before = kNoSettings;  // kNotGiven: not read
  SettingValues after = kNoSettings;   // kNotGiven: not known
  std::string result;                  // confirmed, not confirmed, lost, unknown model
  std::string note;                    // why, when not confirmed
};

// The first line of every record, with its line end.
std::string BatchRecordHeader();
// One row with its line end; a field with a comma, a quote or a line end is quoted.
std::string BatchRecordLine(const BatchRow& row);

}  // namespace morvane::cli
