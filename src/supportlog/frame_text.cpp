// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/frame_text.h"

#include <charconv>
#include <cstdio>

#include "link/commands.h"
#include "link/settings_table.h"

namespace morvane {
namespace {

// By wire id, named as in settings files.
void PutParamName(TextOut& out, std::uint8_t id) {
  const int setting = SettingIndexOfParam(id);
  if (setting >= 0) {
    out.put(kSettings[static_cast<std::size_t>(setting)].key);
    return;
  }
  out.put("parameter ");
  out.putNumber(id);
}

template <class Put>
std::string Built(Put put) {
  std::string text;
  TextOut out(text);
  put(out);
  return text;
}

}  // namespace

void TextOut::putNumber(std::int64_t n) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  put(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void PutCommandName(TextOut& out, std::uint8_t code) {
  if (const CommandInfo* command = FindCommand(code)) {
    out.put(command->name);
    return;
  }
  char text[16];
  const int n = std::snprintf(text, sizeof text, "command 0x%02x", code);
  out.put(std::string_view(text, static_cast<std::size_t>(n)));
}

void PutHexBytes(TextOut& out, std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  if (out.counting()) {
    out.skip(bytes.empty() ? 0 : bytes.size() * 3 - 1);  // two digits each, a space between
    return;
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out.put(' ');
    out.put(kDigits[bytes[i] >> 4]);
    out.put(kDigits[bytes[i] & 0x0f]);
  }
}

void PutFrameText(TextOut& out, std::span<const std::uint8_t> frame) {
  if (frame.size() < 3 || frame[0] != kFrameByte0 || frame[1] != kFrameByte1) {
    PutHexBytes(out, frame);
    return;
  }
  const std::uint8_t code = frame[2];
  PutCommandName(out, code);
  if (code == CMD_READ_PARAM && frame.size() >= 4) {
    out.put(' ');
    PutParamName(out, frame[3]);
  } else if (code == CMD_WRITE_PARAM && frame.size() >= 5) {
    out.put(' ');
    PutParamName(out, frame[3]);
    out.put('=');
    out.putNumber(frame[4]);
  } else if (code == CMD_SET_THROTTLE && frame.size() >= 4) {
    out.put(' ');
    out.putNumber(frame[3]);
  }
  out.put(": ");
  PutHexBytes(out, frame);
}

void PutReceivedText(TextOut& out, std::span<const std::uint8_t> bytes,
                     std::span<const ByteKind> kinds, std::uint8_t code) {
  for (std::size_t at = 0; at < bytes.size();) {
    const ByteKind kind = kinds[at];
    std::size_t end = at;
    while (end < bytes.size() && kinds[end] == kind) ++end;
    if (at > 0) out.put(", ");
    switch (kind) {
      case ByteKind::Echo:
        out.put("echo ");
        break;
      case ByteKind::Reply:
        out.put("reply to ");
        PutCommandName(out, code);
        out.put(' ');
        break;
      case ByteKind::Stray:
        out.put("stray ");
        break;
    }
    PutHexBytes(out, bytes.subspan(at, end - at));
    at = end;
  }
}

std::string CommandName(std::uint8_t code) {
  return Built([&](TextOut& out) { PutCommandName(out, code); });
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  return Built([&](TextOut& out) { PutHexBytes(out, bytes); });
}

std::string FrameText(std::span<const std::uint8_t> frame) {
  return Built([&](TextOut& out) { PutFrameText(out, frame); });
}

std::string ReceivedText(std::span<const std::uint8_t> bytes, std::span<const ByteKind> kinds,
                         std::uint8_t code) {
  return Built([&](TextOut& out) { PutReceivedText(out, bytes, kinds, code); });
}

}  // namespace morvane
