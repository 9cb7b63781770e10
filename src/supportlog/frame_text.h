// SPDX-License-Identifier: GPL-3.0-or-later
// Frames and bytes in words for the support log: the command's name and the setting's key
// from their tables, what its argument means, and every byte in hex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/link.h"

namespace morvane {

// Where words go: appended to a string, or only counted, so a line's length is known without
// building it. Both go through the same words, so the count is the text's length.
class TextOut {
 public:
  TextOut() = default;  // counts only
  explicit TextOut(std::string& text) : text_(&text) {}
  void put(std::string_view s) {
    size_ += s.size();
    if (text_ != nullptr) text_->append(s);
  }
  void put(char c) {
    ++size_;
    if (text_ != nullptr) text_->push_back(c);
  }
  void putNumber(std::int64_t n);
  // Counting only, a length can be added without its characters.
  bool counting() const { return text_ == nullptr; }
  void skip(std::size_t n) { size_ += n; }
  std::size_t size() const { return size_; }

 private:
  std::string* text_ = nullptr;
  std::size_t size_ = 0;
};

// "PING", "GET_VERSION", ...; "command 0x07" for a code the protocol does not know.
std::string CommandName(std::uint8_t code);
// "41 53 00"
std::string HexBytes(std::span<const std::uint8_t> bytes);
// A frame as written: "PING: 41 53 00", "WRITE_PARAM brake=2: 41 53 03 01 02".
std::string FrameText(std::span<const std::uint8_t> frame);
// Bytes read, in runs of one kind, a reply named by the command it answers:
// "echo 41 53 00, reply to PING 59, stray 13".
std::string ReceivedText(std::span<const std::uint8_t> bytes, std::span<const ByteKind> kinds,
                         std::uint8_t code);

void PutCommandName(TextOut& out, std::uint8_t code);
void PutHexBytes(TextOut& out, std::span<const std::uint8_t> bytes);
void PutFrameText(TextOut& out, std::span<const std::uint8_t> frame);
void PutReceivedText(TextOut& out, std::span<const std::uint8_t> bytes,
                     std::span<const ByteKind> kinds, std::uint8_t code);

}  // namespace morvane
