// SPDX-License-Identifier: GPL-3.0-or-later
// The command set: each command's code, its name in logs, and the length of its reply with
// the 'Y'. Everything that queues, parses or names a command reads this table; whatever acts
// on each command keeps a row per command (ForCommand), checked against it when it builds.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "link/app_state.h"

namespace morvane {

struct CommandInfo {
  std::uint8_t code;
  const char* name;
  int replyLength;
};

inline constexpr auto kCommands = std::to_array<CommandInfo>({
    {CMD_PING, "PING", 1},
    {CMD_GET_VERSION, "GET_VERSION", 5},
    {CMD_READ_PARAM, "READ_PARAM", 2},
    {CMD_WRITE_PARAM, "WRITE_PARAM", 2},
    {CMD_SET_THROTTLE, "SET_THROTTLE", 1},
    {CMD_GET_SPEED, "GET_SPEED", 4},
});

inline constexpr int kCommandCount = static_cast<int>(kCommands.size());

// Each code once, and each reply fits a slot.
// (std:: algorithms, not ranges: the WebAssembly build's libc++ 14 lacks these.)
static_assert(std::all_of(kCommands.begin(), kCommands.end(), [](const CommandInfo& command) {
  return std::count_if(kCommands.begin(), kCommands.end(),
                       [&](const CommandInfo& c) { return c.code == command.code; }) == 1 &&
         command.replyLength >= 1 &&
         command.replyLength <= static_cast<int>(std::tuple_size_v<decltype(CommandSlot::reply)>);
}));

// What one part of the program does for one command: a row of a table with a row for each.
template <class Action>
struct ForCommand {
  std::uint8_t code;
  Action action;
};
template <class Action>
using ForEachCommand = std::array<ForCommand<Action>, kCommandCount>;

// True when the table has one row for each command of kCommands. Checked in a static_assert,
// it keeps a command added to kCommands from building until every such table acts on it.
template <class Action>
constexpr bool OneRowPerCommand(const ForEachCommand<Action>& rows) {
  return std::all_of(kCommands.begin(), kCommands.end(), [&rows](const CommandInfo& command) {
    return std::count_if(rows.begin(), rows.end(), [&](const ForCommand<Action>& row) {
             return row.code == command.code;
           }) == 1;
  });
}

// The action for a code; none for a code the ESC does not know.
template <class Action>
constexpr const Action* ActionFor(const ForEachCommand<Action>& rows, std::uint8_t code) {
  for (const ForCommand<Action>& row : rows) {
    if (row.code == code) return &row.action;
  }
  return nullptr;
}

// The row of a code; none for a code the ESC does not know.
constexpr const CommandInfo* FindCommand(std::uint8_t code) {
  for (const CommandInfo& c : kCommands) {
    if (c.code == code) return &c;
  }
  return nullptr;
}

// A known command's reply length; an unknown one is answered by the 'Y' alone.
constexpr int ReplyLengthOf(std::uint8_t code) {
  const CommandInfo* c = FindCommand(code);
  return c == nullptr ? 1 : c->replyLength;
}

// Throttle 0 as a whole frame: written straight to the port wherever a motor must stop now.
inline constexpr std::array<std::uint8_t, 4> kStopFrame = {kFrameByte0, kFrameByte1,
                                                           CMD_SET_THROTTLE, 0};

// The serial ports are COM1 to COM16.
inline constexpr int kPortCount = 16;

// Queues tx (its first byte the code) with the reply length the table gives.
inline bool QueueCommand(AppState& s, std::initializer_list<std::uint8_t> tx) {
  return QueueCommand(s, std::span<const std::uint8_t>(tx.begin(), tx.size()),
                     ReplyLengthOf(*tx.begin()));
}

}  // namespace morvane
