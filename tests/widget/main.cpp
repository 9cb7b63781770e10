// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "view/themes.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The layout's pixel sizes are checked against this style's frames and margins.
  QApplication::setStyle(QStringLiteral("Fusion"));
  // As the program starts: the system's theme with the program's accents.
  morvane::ApplyTheme(morvane::Theme::System);
  // A theme picked in a test is remembered here, never in the user's own settings.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
