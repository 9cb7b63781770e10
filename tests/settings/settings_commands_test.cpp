// SPDX-License-Identifier: GPL-3.0-or-later
// The window's file commands, offscreen: the shortcuts and the Config panel's menu, on the
// Config tab only; a load picks entries as a user would, so only changed settings are written.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/settings_file_commands.h"
#include "shell/settings_json.h"
#include "window_bench.h"

namespace morvane::test {
namespace {

struct CommandsBench : WindowBench {
  QTemporaryDir dir;
  int saveAsked = 0;
  int openAsked = 0;
  QString answer;  // the file the dialog returns
  QStringList messages;
  SettingsFileCommands commands = InstallSettingsFileCommands(
      view, form,
      {[this](QWidget*) {
         ++saveAsked;
         return answer;
       },
       [this](QWidget*) {
         ++openAsked;
         return answer;
       },
       [this](QWidget*, const QString& message) { messages << message; }});

  CommandsBench() {
    line.attachEsc(1, esc);
    form.Load();
    view.show();
    view.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
  }
  void press(Qt::Key key) { QTest::keyClick(&view, key, Qt::ControlModifier); }
  std::vector<Bytes> writes() {
    std::vector<Bytes> out;
    for (const Bytes& f : takeFrames()) {
      if (f.size() > 2 && f[2] == CMD_WRITE_PARAM) out.push_back(f);
    }
    return out;
  }
};

TEST(FileCommands, CtrlSAndCtrlOWorkOnTheConfigTabOnlyAndAltSAndAltLStillDoNothing) {
  CommandsBench b;
  b.press(Qt::Key_S);
  b.press(Qt::Key_O);  // no ESC yet: the message, no dialog
  EXPECT_EQ(b.saveAsked, 1);
  EXPECT_EQ(b.openAsked, 0);
  ASSERT_EQ(b.messages.size(), 1);
  EXPECT_TRUE(b.messages[0].startsWith("Connect an ESC first")) << b.messages[0].toStdString();

  ASSERT_TRUE(b.connectAndRead());
  b.c().TabStrip1.clickTab(2);
  b.press(Qt::Key_S);
  b.press(Qt::Key_O);
  EXPECT_EQ(b.saveAsked, 1);
  EXPECT_EQ(b.openAsked, 0);

  b.c().TabStrip1.clickTab(1);
  // The hidden buttons' access keys still do nothing.
  QTest::keyClick(&b.view, Qt::Key_S, Qt::AltModifier);
  QTest::keyClick(&b.view, Qt::Key_L, Qt::AltModifier);
  EXPECT_EQ(b.saveAsked, 1);
  EXPECT_EQ(b.openAsked, 0);
  b.press(Qt::Key_S);
  b.press(Qt::Key_O);
  EXPECT_EQ(b.saveAsked, 2);
  EXPECT_EQ(b.openAsked, 1);
  EXPECT_EQ(b.messages.size(), 1);
}

TEST(FileCommands, ThePanelsMenuAndTooltipShowBothWithTheirShortcuts) {
  CommandsBench b;
  QWidget* panel = b.find("FrameConfig");
  EXPECT_TRUE(panel->toolTip().contains("Ctrl+S"));
  EXPECT_TRUE(panel->toolTip().contains("Ctrl+O"));

  QStringList shown;
  QTimer::singleShot(0, [&shown] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    for (QAction* a : menu->actions()) {
      if (a->isShortcutVisibleInContextMenu()) {
        shown << a->text() + "\t" + a->shortcut().toString(QKeySequence::NativeText);
      }
    }
    menu->close();
  });
  // A right click on the panel's background, below the buttons.
  const QPoint at(panel->width() - 20, panel->height() / 2);
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, panel->mapToGlobal(at));
  QApplication::sendEvent(panel, &click);
  EXPECT_EQ(shown, (QStringList{QString::fromUtf8("Save settings to file\u2026\tCtrl+S"),
                                QString::fromUtf8("Load settings from file\u2026\tCtrl+O")}));
}

TEST(FileCommands, ALoadThatChangesTwoBoxesWritesExactlyTwoSettings) {
  CommandsBench b;
  ASSERT_TRUE(b.connectAndRead());
  b.takeFrames();
  SettingsDocument doc;
  // The ESC holds 5.6V, Soft Cutoff, Disable, 10-20°, Forward.
  doc.values = {1, 1, 1, 1, 1};
  b.answer = b.dir.filePath("quad.json");
  ASSERT_EQ(WriteSettingsFile(b.answer.toStdString(), doc), "");

  b.press(Qt::Key_O);
  EXPECT_EQ(b.messages, QStringList());
  EXPECT_EQ(b.find<QComboBox>("CombBrake")->currentIndex(), 1);
  EXPECT_EQ(b.find<QComboBox>("CombDir")->currentIndex(), 1);
  ASSERT_TRUE(b.runUntil([&] { return b.s().deviceValue == b.s().wantedValue; }, Ms(2000)));
  b.clock.runFor(Ms(1000));
  EXPECT_EQ(b.writes(),
            (std::vector<Bytes>{{0x41, 0x53, 0x03, 0x01, 0x02}, {0x41, 0x53, 0x03, 0x04, 0x02}}));
  EXPECT_EQ(b.esc.settings(), (std::array<std::uint8_t, 5>{2, 2, 2, 2, 2}));
}

TEST(FileCommands, ABadFileIsShownWithItsReasonAndChangesNothing) {
  CommandsBench b;
  ASSERT_TRUE(b.connectAndRead());
  b.takeFrames();
  b.answer = b.dir.filePath("bad.json");
  QFile file(b.answer);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(R"({"format": "morvane-esc-settings", "version": 1,
                 "settings": {"brake": "Enable", "rotationDirection": "Sideways"}})");
  file.close();

  b.press(Qt::Key_O);
  ASSERT_EQ(b.messages.size(), 1);
  EXPECT_EQ(b.messages[0].toStdString(),
            b.answer.toStdString() +
                ": rotationDirection: \"Sideways\" is not allowed; allowed: Forward, Reverse");
  // A German window words the reason in German; the file's keys and values stay as written.
  QTranslator german;
  ASSERT_TRUE(german.load(QStringLiteral(":/i18n/morvane_de.qm")));
  QCoreApplication::installTranslator(&german);
  b.press(Qt::Key_O);
  QCoreApplication::removeTranslator(&german);
  ASSERT_EQ(b.messages.size(), 2);
  EXPECT_EQ(b.messages[1].toStdString(),
            b.answer.toStdString() +
                ": rotationDirection: „Sideways“ ist nicht erlaubt; erlaubt: Forward, Reverse");
  EXPECT_EQ(b.s().wantedValue, b.s().deviceValue);
  b.clock.runFor(Ms(1000));
  EXPECT_EQ(b.writes(), std::vector<Bytes>());
}

TEST(FileCommands, SaveWritesWhatThePanelShows) {
  CommandsBench b;
  b.answer = b.dir.filePath("panel.json");
  b.c().CombBrake.setListIndex(1);  // a pick with no ESC: the panel shows it all the same
  b.press(Qt::Key_S);
  SettingsRead read = ReadSettingsFile(b.answer.toStdString());
  ASSERT_TRUE(read.document) << read.error;
  EXPECT_EQ(read.document->values, (SettingValues{1, 1, 1, 1, 0}));
  EXPECT_EQ(read.document->model, std::nullopt);
  EXPECT_EQ(read.document->firmware, std::nullopt);

  b.esc.setSetting(PARAM_TIMING, 3);
  ASSERT_TRUE(b.connectAndRead());
  b.press(Qt::Key_S);
  read = ReadSettingsFile(b.answer.toStdString());
  ASSERT_TRUE(read.document) << read.error;
  EXPECT_EQ(read.document->values, (SettingValues{1, 1, 0, 2, 0}));  // the ESC's, once read
  EXPECT_EQ(read.document->model, "MORVANE QR-18A V1.003");
  EXPECT_EQ(read.document->firmware, "V1.234");
  EXPECT_EQ(b.messages, QStringList());
}

}  // namespace
}  // namespace morvane::test
