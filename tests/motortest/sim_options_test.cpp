// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "sim_options.h"

namespace morvane::test {
namespace {

TEST(SimMotorOption, KvIsAWholeNumberFrom100To5000) {
  const sim::ParseResult taken = sim::ParseSimOptions({"--motor-kv", "1000"});
  ASSERT_TRUE(taken.options) << taken.error;
  EXPECT_EQ(taken.options->esc.motor.kv, 1000);
  EXPECT_EQ(sim::ParseSimOptions({}).options->esc.motor.kv, 0) << "a straight line by default";
  for (const char* bad : {"99", "5001", "1e3", ""}) {
    const sim::ParseResult refused = sim::ParseSimOptions({"--motor-kv", bad});
    EXPECT_FALSE(refused.options) << bad;
    EXPECT_NE(refused.error.find("--motor-kv"), std::string::npos) << refused.error;
  }
}

}  // namespace
}  // namespace morvane::test
