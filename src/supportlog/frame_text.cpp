// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/frame_text.h"

#include <array>
#include <cstdio>

#include "link/app_state.h"

namespace morvane {
namespace {

std::string ParamName(std::uint8_t id) {
  // By wire id, named as in settings files.
  static constexpr std::array<const char*, 5> kNames = {"cutoffVoltage", "brake", "timingAdvance",
                                                        "cutoffType", "rotationDirection"};
  static_assert(PARAM_CUTOFF_VOLTAGE == 0 && PARAM_BRAKE == 1 && PARAM_TIMING == 2 &&
                PARAM_CUTOFF_TYPE == 3 && PARAM_DIRECTION == 4);
  if (id < kNames.size()) return kNames[id];
  return "parameter " + std::to_string(id);
}

}  // namespace

std::string CommandName(std::uint8_t code) {
  switch (code) {
    case CMD_PING:
      return "PING";
    case CMD_GET_VERSION:
      return "GET_VERSION";
    case CMD_READ_PARAM:
      return "READ_PARAM";
    case CMD_WRITE_PARAM:
      return "WRITE_PARAM";
    case CMD_SET_THROTTLE:
      return "SET_THROTTLE";
    case CMD_GET_SPEED:
      return "GET_SPEED";
    default: {
      char text[16];
      std::snprintf(text, sizeof text, "command 0x%02x", code);
      return text;
    }
  }
}

int ReplyLength(std::uint8_t code) {
  switch (code) {
    case CMD_GET_VERSION:
      return 5;
    case CMD_READ_PARAM:
    case CMD_WRITE_PARAM:
      return 2;
    case CMD_GET_SPEED:
      return 4;
    default:
      return 1;
  }
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
