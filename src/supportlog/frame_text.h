// SPDX-License-Identifier: GPL-3.0-or-later
// Frames and bytes in words for the support log: the command's name and the setting's key
// from their tables, what its argument means, and every byte in hex.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace morvane {

// "PING", "GET_VERSION", ...; "command 0x07" for a code the protocol does not know.
std::string CommandName(std::uint8_t code);
// "41 53 00"
std::string HexBytes(std::span<const std::uint8_t> bytes);
// A frame as written: "PING: 41 53 00", "WRITE_PARAM brake=2: 41 53 03 01 02".
std::string FrameText(std::span<const std::uint8_t> frame);

}  // namespace morvane
