// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>

#include "view/themes.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  // As the program starts: the system's theme with the program's accents.
  morvane::ApplyTheme(morvane::Theme::System);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
