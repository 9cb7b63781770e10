// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes the wire protocol gives a meaning: command codes, parameter ids, the frame's
// start and the reply's. The tables of commands and settings are built on them.
#pragma once

#include <cstdint>

namespace morvane {

// Command codes.
inline constexpr std::uint8_t CMD_PING = 0;
inline constexpr std::uint8_t CMD_GET_VERSION = 1;
inline constexpr std::uint8_t CMD_READ_PARAM = 2;
inline constexpr std::uint8_t CMD_WRITE_PARAM = 3;
inline constexpr std::uint8_t CMD_SET_THROTTLE = 4;
inline constexpr std::uint8_t CMD_GET_SPEED = 5;

// Parameter ids on the wire.
inline constexpr std::uint8_t PARAM_CUTOFF_VOLTAGE = 0;
inline constexpr std::uint8_t PARAM_BRAKE = 1;
inline constexpr std::uint8_t PARAM_TIMING = 2;
inline constexpr std::uint8_t PARAM_CUTOFF_TYPE = 3;
inline constexpr std::uint8_t PARAM_DIRECTION = 4;

inline constexpr std::uint8_t kFrameByte0 = 0x41;  // 'A'
inline constexpr std::uint8_t kFrameByte1 = 0x53;  // 'S'
inline constexpr std::uint8_t kReplyStart = 0x59;  // 'Y'

}  // namespace morvane
