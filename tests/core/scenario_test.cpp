#include <gtest/gtest.h>

#include "bench.h"

namespace morvane::test {
namespace {

TEST(Scenario, PlugInConnectsAndReadsTheFiveSettings) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_EQ(b.c().TxtHardVer.text(), "MORVANE QR-18A V1.003");
  EXPECT_EQ(b.c().TxtFirmVer.text(), "V1.234");
}

}  // namespace
}  // namespace morvane::test
