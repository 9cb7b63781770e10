// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch_record.h"

namespace morvane::cli {
namespace {

std::string Field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Value(int setting, int index) {
  return index == kNotGiven ? std::string() : ChoiceText(setting, index);
}

}  // namespace

std::string BatchRecordHeader() {
  std::string header = "time,esc,model,firmware";
  for (int i : kPanelOrder) {
    const std::string name = kSettingNames[static_cast<std::size_t>(i)];
    header += "," + name + " before," + name + " after";
  }
  return header + ",result,note\n";
}

std::string BatchRecordLine(const BatchRow& row) {
  std::string line = Field(row.time) + "," + std::to_string(row.esc) + "," + Field(row.model) +
                     "," + Field(row.firmware);
  for (int i : kPanelOrder) {
    const auto k = static_cast<std::size_t>(i);
    line.append(",").append(Field(Value(i, row.before[k])));
    line.append(",").append(Field(Value(i, row.after[k])));
  }
  return line + "," + Field(row.result) + "," + Field(row.note) + "\n";
}

}  // namespace morvane::cli
