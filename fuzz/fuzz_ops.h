// SPDX-License-Identifier: GPL-3.0-or-later
// The input language of the window fuzz target, shared by the target and the seed
// generator. An input is a header followed by operations, each one opcode byte and its
// operand bytes; an input that ends mid-operation simply ends.
#pragma once

#include <cstdint>

namespace morvane::fuzz {

// Header: [wiring] [hardware lo] [hardware hi] [firmware lo] [firmware hi]
//   wiring bits 0..3: COM1..COM4 present; bits 4..5: the ESC's port - 1; bit 6: echo.
inline constexpr int kHeaderBytes = 5;
inline constexpr int kFuzzPorts = 4;

enum Op : std::uint8_t {
  kRunMs = 0,         // [n]  virtual time passes: n ms
  kRunLong = 1,       // [n]  (n + 1) * 20 ms
  kRunBytes = 2,      // [n]  n byte times: interleaves with single bytes on the line
  kInject = 3,        // [len] [bytes...]  bytes turn up on the open port (len % 16 + 1)
  kPlanReply = 4,     // [mode] [args...]  how the ESC's next reply reaches the line
  kPickSetting = 5,   // [box] [index]  index - 2: also picks that are no entry
  kMoveThrottle = 6,  // [v]  SldPower value v - 28, clamped by the control
  kMovePole = 7,      // [v]  VSlPole value v % 30 - 2
  kClickTab = 8,      // [n]  n % 4: 0 and 3 are no tab
  kPickPort = 9,      // [i]  CombPort entry i % 6 - 1
  kRestore = 10,      //      "R&estore Default"
  kUnplug = 11,       //      the open adapter is pulled out
  kRewire = 12,       // [what]  ports and the ESC come and go, the model changes
  kEcho = 13,         // [on]
  kEarly = 14,        // [which]  Timer1 or Timer2 fires now if running, or OnComm
  kEscSetting = 15,   // [id] [byte]  the ESC's setting changed behind our back
  kStopKey = 16,      //      Escape
  kHotPlug = 17,      // [what]  a device appears (bit 7 clear) or vanishes; port (what & 7) + 1
  kOpCount = 18,
};

// Modes of kPlanReply; the reply is the model's own answer unless replaced.
enum ReplyMode : std::uint8_t {
  kPass = 0,     // [latency ms]
  kDrop = 1,     //
  kSplit = 2,    // [at] [gap ms]
  kNoise = 3,    // [len] [bytes...]  stray bytes before the reply
  kReplace = 4,  // [len] [bytes...]  another reply instead (len % 8)
  kCorrupt = 5,  // [index] [xor]
  kTrail = 6,    // [len] [bytes...]  stray bytes after the reply
  kModeCount = 7,
};

}  // namespace morvane::fuzz
