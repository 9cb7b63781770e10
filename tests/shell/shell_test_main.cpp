// SPDX-License-Identifier: GPL-3.0-or-later
// The seams run on Qt's event loop, so the tests need an application object.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
