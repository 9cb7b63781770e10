// SPDX-License-Identifier: GPL-3.0-or-later
// The Config panel's library commands, offscreen: compare and apply the differences, undo and
// redo by their shortcuts, presets shipped and saved. Each writes only by picking entries.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/compare_dialog.h"
#include "settings/settings_history.h"
#include "shell/settings_json.h"
#include "app/settings_library_commands.h"
#include "window_bench.h"

namespace morvane::test {
namespace {

struct LibraryBench : WindowBench {
  QTemporaryDir dir;
  QString answer;           // the file or the description the dialogs return
  bool applyThese = false;  // the difference dialog's button
  std::vector<SettingDifference> shown;
  std::function<void()> whileOpen;  // what happens while the difference dialog is open
  QStringList messages;
  SettingsLibraryCommands commands = InstallSettingsLibraryCommands(
      view, form,
      {[this](QWidget*) { return answer; },
       [this](QWidget*, const QString&, const std::vector<SettingDifference>& diff) {
         shown = diff;
         if (whileOpen) whileOpen();
         return applyThese;
       },
       [this](QWidget*) { return answer; },
       [this](QWidget*, const QString& message) { messages << message; }});

  LibraryBench() {
    qputenv("MORVANE_ESC_PRESETS", QFile::encodeName(dir.filePath("shipped")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("home")));
    line.attachEsc(1, esc);
    form.Load();
    view.show();
    view.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
  }
  ~LibraryBench() {
    qunsetenv("MORVANE_ESC_PRESETS");
    qunsetenv("XDG_DATA_HOME");
  }
  std::vector<Bytes> writesWhenDone() {
    runUntil([&] { return s().deviceValue == s().wantedValue && QueueEmpty(s()); }, Ms(2000));
    clock.runFor(Ms(500));
    std::vector<Bytes> out;
    for (const Bytes& f : takeFrames()) {
      if (f.size() > 2 && f[2] == CMD_WRITE_PARAM) out.push_back(f);
    }
    return out;
  }
  QString file(const char* name, SettingValues values) {
    SettingsDocument doc;
    doc.values = values;
    doc.description = std::string("Preset ") + name;
    QDir().mkpath(dir.filePath("shipped"));
    const QString path = dir.filePath(QString("shipped/") + name + ".json");
    EXPECT_EQ(WriteSettingsFile(QFile::encodeName(path).toStdString(), doc), "");
    return path;
  }
};

// The ESC holds 5.6V, Soft Cutoff, Disable, 10-20°, Forward.
TEST(LibraryCommands, CompareShowsTheFilesSettingsAndOnlyApplyTheseWritesTheDifferences) {
  for (const bool apply : {false, true}) {
    LibraryBench b;
    ASSERT_TRUE(b.connectAndRead());
    b.takeFrames();
    b.answer = b.file("quad", {kNotGiven, 1, 1, kNotGiven, kNotGiven});
    b.applyThese = apply;
    b.commands.compare->trigger();
    ASSERT_EQ(b.shown.size(), 2u);
    EXPECT_TRUE(b.shown[0].equal() == false && b.shown[0].setting == 2) << "brake first";
    EXPECT_TRUE(b.shown[1].equal());
    const std::vector<Bytes> brake = {{0x41, 0x53, 0x03, 0x01, 0x02}};
    EXPECT_EQ(b.writesWhenDone(), apply ? brake : std::vector<Bytes>()) << apply;
    EXPECT_EQ(b.messages, QStringList());
  }
}

// What the dialog showed was another ESC's: Apply these writes nothing to the one now there,
// though it holds the same values.
TEST(LibraryCommands, ApplyTheseWritesNothingWhenAnotherEscConnectedWhileTheDialogWasOpen) {
  LibraryBench b;
  sim::EscModel other;
  ASSERT_TRUE(b.connectAndRead());
  b.answer = b.file("quad", {kNotGiven, kNotGiven, 1, kNotGiven, kNotGiven});
  b.applyThese = true;
  b.whileOpen = [&] {
    b.line.detachEsc(1);
    ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Unconnected"; }, Ms(3000)));
    b.line.attachEsc(1, other);
    ASSERT_TRUE(b.connectAndRead(Ms(5000)));
    b.takeFrames();
  };
  b.commands.compare->trigger();
  ASSERT_EQ(b.shown.size(), 1u);
  EXPECT_EQ(b.writesWhenDone(), std::vector<Bytes>());
  EXPECT_EQ(other.settings()[1], 1);
  ASSERT_EQ(b.messages.size(), 1);
  EXPECT_TRUE(b.messages[0].startsWith("The ESC was lost or another connected"));
}

TEST(LibraryCommands, TheDialogMarksTheDifferencesAndCannotApplyWhereThereAreNone) {
  const CompareDialog differs(QStringLiteral("/x/quad.json"), {{2, 0, 1}, {1, 1, 1}});
  auto* table = differs.findChild<QTableWidget*>(QStringLiteral("Differences"));
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("Brake"));
  EXPECT_EQ(table->item(0, 1)->text() + "/" + table->item(0, 2)->text(), "Disable/Enable");
  EXPECT_TRUE(table->item(0, 1)->font().bold());
  EXPECT_FALSE(table->item(1, 1)->font().bold());
  EXPECT_TRUE(differs.applyButton()->isEnabled());
  const CompareDialog same(QStringLiteral("/x/quad.json"), {{1, 1, 1}});
  EXPECT_FALSE(same.applyButton()->isEnabled());
}

TEST(LibraryCommands, CtrlZAndCtrlShiftZUndoAndRedoOnTheConfigTabWithTheirTextsInTheMenu) {
  LibraryBench b;
  ASSERT_TRUE(b.connectAndRead());
  b.form.pickSetting(2, 1);
  ASSERT_EQ(b.writesWhenDone().size(), 1u);
  EXPECT_EQ(b.commands.undo->text(), QString::fromUtf8("Undo: brake Enable \u2192 Disable"));
  EXPECT_TRUE(b.commands.undo->isEnabled());
  EXPECT_FALSE(b.commands.redo->isEnabled());

  b.c().TabStrip1.clickTab(2);  // the Run tab: the throttle's, not the settings'
  QTest::keyClick(&b.view, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(b.writesWhenDone(), std::vector<Bytes>());

  b.c().TabStrip1.clickTab(1);
  QTest::keyClick(&b.view, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(b.writesWhenDone(), (std::vector<Bytes>{{0x41, 0x53, 0x03, 0x01, 0x01}}));
  EXPECT_EQ(b.commands.redo->text(), QString::fromUtf8("Redo: brake Disable \u2192 Enable"));
  QTest::keyClick(&b.view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(b.writesWhenDone(), (std::vector<Bytes>{{0x41, 0x53, 0x03, 0x01, 0x02}}));
  EXPECT_EQ(b.esc.settings()[1], 2);
}

TEST(LibraryCommands, PresetsShippedAndSavedAreListedByDescriptionAndApplyingOneLoadsIt) {
  LibraryBench b;
  ASSERT_TRUE(b.connectAndRead());
  b.file("brake-on", {kNotGiven, kNotGiven, 1, kNotGiven, kNotGiven});
  b.form.pickSetting(4, 1);  // Reverse, then saved as the user's own
  b.writesWhenDone();
  b.answer = QStringLiteral("My quad, reversed");
  b.commands.savePreset->trigger();
  const SettingsRead saved = ReadSettingsFile(
      QFile::encodeName(b.dir.filePath("home/morvane-esc-config/presets/my-quad-reversed.json"))
          .toStdString());
  ASSERT_TRUE(saved.document) << saved.error;
  EXPECT_EQ(saved.document->description, "My quad, reversed");
  EXPECT_EQ(saved.document->values, (SettingValues{1, 1, 0, 1, 1}));

  QMenu* menu = b.commands.applyPreset->menu();
  emit menu->aboutToShow();
  QStringList listed;
  for (QAction* a : menu->actions()) listed << a->text();
  EXPECT_EQ(listed, (QStringList{"Preset brake-on", "My quad, reversed"}));
  menu->actions()[0]->trigger();
  EXPECT_EQ(b.writesWhenDone(), (std::vector<Bytes>{{0x41, 0x53, 0x03, 0x01, 0x02}}));
  EXPECT_EQ(b.messages, QStringList());
}

}  // namespace
}  // namespace morvane::test
