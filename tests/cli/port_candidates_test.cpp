// SPDX-License-Identifier: GPL-3.0-or-later
// The port table of morvane-esc's `ports` command as JSON.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "console/port_candidates.h"

namespace morvane::cli {
namespace {

TEST(PortCandidates, PortsJsonListsEachNumberWithADevice) {
  const PortTable table({{"/dev/ttyUSB0", "CP2102"}, {"", ""}, {"/tmp/esc", "pseudo-terminal"}});
  const QJsonArray expected = {
      QJsonObject{{"port", "COM1"}, {"device", "/dev/ttyUSB0"}, {"description", "CP2102"}},
      QJsonObject{{"port", "COM3"}, {"device", "/tmp/esc"}, {"description", "pseudo-terminal"}}};
  EXPECT_EQ(QJsonDocument::fromJson(PortsJson(table)).array(), expected);
}

}  // namespace
}  // namespace morvane::cli
