// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/printable.h"

#include <cstdint>

namespace morvane {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned char byte) {
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xf];
}

// Length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
std::size_t SequenceLength(std::string_view text, std::size_t i, std::uint32_t& codePoint) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  std::uint32_t min = 0;
  if (b0 >= 0xc2 && b0 <= 0xdf) {
    length = 2, codePoint = b0 & 0x1f, min = 0x80;
  } else if (b0 >= 0xe0 && b0 <= 0xef) {
    length = 3, codePoint = b0 & 0x0f, min = 0x800;
  } else if (b0 >= 0xf0 && b0 <= 0xf4) {
    length = 4, codePoint = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xc0) != 0x80) return 0;
    codePoint = codePoint << 6 | (b & 0x3f);
  }
  const bool surrogate = codePoint >= 0xd800 && codePoint <= 0xdfff;
  return codePoint < min || codePoint > 0x10ffff || surrogate ? 0 : length;
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7f) {
      AppendHexByte(out, byte);
      ++i;
      continue;
    }
    if (byte < 0x80) {
      out += text[i++];
      continue;
    }
    std::uint32_t codePoint = 0;
    const std::size_t length = SequenceLength(text, i, codePoint);
    if (length == 0) {
      AppendHexByte(out, byte);
      ++i;
    } else if (codePoint < 0xa0) {
      out += "\\u00";
      out += kHex[codePoint >> 4];
      out += kHex[codePoint & 0xf];
      i += length;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace morvane
