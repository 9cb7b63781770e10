// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(SimStandOptions, AnyStandOptionPutsAStandOnAndEachTakesItsValue) {
  EXPECT_FALSE(sim::ParseSimOptions({}).options->stand);
  const sim::ParseResult taken =
      sim::ParseSimOptions({"--stand-form", "labelled", "--stand-rate=80", "--stand-no-header",
                            "--stand-garbage-every", "3", "--stand-silent-after", "1500"});
  ASSERT_TRUE(taken.options && taken.options->stand) << taken.error;
  const sim::StandConfig& stand = *taken.options->stand;
  EXPECT_EQ(stand.form, sim::StandForm::Labelled);
  EXPECT_EQ(stand.rateHz, 80);
  EXPECT_FALSE(stand.header);
  EXPECT_EQ(stand.garbageEvery, 3);
  EXPECT_EQ(stand.silentAfterMs, 1500);
  EXPECT_TRUE(taken.options->standLinkPath.empty());
  EXPECT_EQ(sim::ParseSimOptions({"--thrust-stand", "/x/stand"}).options->standLinkPath,
            "/x/stand");
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--stand-form", "json"}, {"--stand-rate", "0"},
        {"--stand-rate", "201"}, {"--stand-garbage-every", "0"}, {"--thrust-stand", ""}}) {
    EXPECT_FALSE(sim::ParseSimOptions(bad).options) << bad[0] << " " << bad[1];
  }
}

}  // namespace
}  // namespace morvane::test
