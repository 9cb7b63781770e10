// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/line_end.h"

namespace morvane {

std::string_view TextLineEnd(Platform platform) {
  return platform == Platform::Windows ? "\r\n" : "\n";
}

std::string WithLineEnds(std::string_view text, Platform platform) {
  const std::string_view end = TextLineEnd(platform);
  if (end == "\n") return std::string(text);
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (const char c : text) {
    if (c == '\n') {
      out += end;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace morvane
