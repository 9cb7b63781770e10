// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated ESC keeps its own protocol tables; here they are held against the tool's, so
// that a change to one without the other shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "sim/esc_model.h"
#include "link/commands.h"
#include "link/settings_table.h"

namespace morvane::test {
namespace {

const sim::Param* SimParam(std::uint8_t id) {
  const auto it = std::find_if(sim::kParams.begin(), sim::kParams.end(),
                               [&](const sim::Param& p) { return p.id == id; });
  return it == sim::kParams.end() ? nullptr : &*it;
}

const sim::CommandFormat* SimCommand(std::uint8_t code) {
  const auto it =
      std::find_if(sim::kCommandFormats.begin(), sim::kCommandFormats.end(),
                   [&](const sim::CommandFormat& f) { return f.code == code; });
  return it == sim::kCommandFormats.end() ? nullptr : &*it;
}

TEST(SimTables, EverySettingIsAParameterOfTheSimWithItsListLengthAndFactoryDefault) {
  for (const SettingInfo& setting : kSettings) {
    SCOPED_TRACE(setting.key);
    const sim::Param* param = SimParam(setting.paramId);
    ASSERT_NE(param, nullptr);
    EXPECT_EQ(param->values, setting.count);
    // On the wire a value byte is its entry's index plus 1.
    EXPECT_EQ(param->factory, setting.defaultIndex + 1);
  }
  EXPECT_EQ(sim::kParamCount, kSettings.size()) << "the sim has a parameter the tool lacks";
}

TEST(SimTables, EveryCommandIsKnownToTheSimWithItsReplyLength) {
  for (const CommandInfo& command : kCommands) {
    SCOPED_TRACE(command.name);
    const sim::CommandFormat* format = SimCommand(command.code);
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->replyLength, command.replyLength);
  }
  EXPECT_EQ(sim::kCommandFormats.size(), kCommands.size()) << "the sim has a command the tool lacks";
}

// The sim's answers come from a switch of its own: its table must not promise more.
TEST(SimTables, TheSimAnswersEachCommandOfItsTableWithAReplyOfItsLength) {
  for (const sim::CommandFormat& format : sim::kCommandFormats) {
    SCOPED_TRACE(std::to_string(format.code));
    sim::EscModel esc;
    std::vector<std::uint8_t> frame = {0x41, 0x53, format.code};
    frame.resize(static_cast<std::size_t>(2 + format.length), 1);  // parameter id 1, value 1
    std::optional<std::vector<std::uint8_t>> command;
    for (const std::uint8_t b : frame) command = esc.receive(b);
    ASSERT_TRUE(command);
    const std::vector<std::uint8_t> reply = esc.answer(*command, 0);
    EXPECT_EQ(reply.size(), static_cast<std::size_t>(format.replyLength));
    EXPECT_EQ(reply.empty() ? 0 : reply[0], 0x59);
  }
}

// Each parameter of the table is held, the last one too.
TEST(SimTables, TheSimAnswersAReadOfEachParameterWithItsFactoryValue) {
  sim::EscModel esc;
  for (const sim::Param& param : sim::kParams) {
    EXPECT_EQ(esc.answer({CMD_READ_PARAM, param.id}, 0),
              (std::vector<std::uint8_t>{0x59, param.factory}))
        << "parameter " << int{param.id};
  }
}

}  // namespace
}  // namespace morvane::test
