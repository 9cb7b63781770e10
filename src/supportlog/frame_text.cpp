// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/frame_text.h"

#include <cstdio>

#include "link/commands.h"
#include "link/settings_table.h"

namespace morvane {
namespace {

// By wire id, named as in settings files.
std::string ParamName(std::uint8_t id) {
  const int setting = SettingIndexOfParam(id);
  if (setting >= 0) return kSettings[static_cast<std::size_t>(setting)].key;
  return "parameter " + std::to_string(id);
}

}  // namespace

std::string CommandName(std::uint8_t code) {
  if (const CommandInfo* command = FindCommand(code)) return command->name;
  char text[16];
  std::snprintf(text, sizeof text, "command 0x%02x", code);
  return text;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const std::uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0f];
  }
  return text;
}

std::string FrameText(std::span<const std::uint8_t> frame) {
  const std::string hex = HexBytes(frame);
  if (frame.size() < 3 || frame[0] != kFrameByte0 || frame[1] != kFrameByte1) return hex;
  const std::uint8_t code = frame[2];
  std::string text = CommandName(code);
  if (code == CMD_READ_PARAM && frame.size() >= 4) {
    text += ' ' + ParamName(frame[3]);
  } else if (code == CMD_WRITE_PARAM && frame.size() >= 5) {
    text += ' ' + ParamName(frame[3]) + '=' + std::to_string(frame[4]);
  } else if (code == CMD_SET_THROTTLE && frame.size() >= 4) {
    text += ' ' + std::to_string(frame[3]);
  }
  return text + ": " + hex;
}

}  // namespace morvane
