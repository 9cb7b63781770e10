// SPDX-License-Identifier: GPL-3.0-or-later
// The Config panel's library commands, offscreen: compare and apply the differences, undo and
// redo by their shortcuts, presets shipped and saved. Each writes only by picking entries.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
  LibraryDialogs::Clash clash = LibraryDialogs::Clash::KeepBoth;  // a preset in the way
  QStringList asked;  // what the dialog of a preset in the way was shown
  SettingsLibraryCommands commands = InstallSettingsLibraryCommands(
      view, form,
      {[this](QWidget*) { return answer; },
       [this](QWidget*, const QString&, const std::vector<SettingDifference>& diff) {
         shown = diff;
         if (whileOpen) whileOpen();
         return applyThese;
       },
       [this](QWidget*) { return answer; },
       [this](QWidget*, const QString& message) { messages << message; },
       [this](QWidget*, const QString& existing, const QString& file, const QString& other) {
         asked << existing + " | " + file + " | " + other;
         return clash;
       }});

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
  QString userPreset(const QString& name) {
    return dir.filePath("home/morvane-esc-config/presets/" + name + ".json");
  }
  // The user's presets: each file's name and its description.
  QStringList savedPresets() {
    QStringList found;
    for (const QString& name : QDir(dir.filePath("home/morvane-esc-config/presets"))
                                   .entryList({"*.json"}, QDir::Files, QDir::Name)) {
      const SettingsRead read =
          ReadSettingsFile(QFile::encodeName(userPreset(name.chopped(5))).toStdString());
      found << name + ": " +
                   QString::fromStdString(read.document ? read.document->description.value_or("")
                                                        : read.error);
    }
    return found;
  }
  void savePreset(const QString& description) {
    answer = description;
    commands.savePreset->trigger();
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

// Two descriptions of one file name, and a file made by hand: nothing is replaced unless the
// user says so, and what the dialog starts on keeps the old file.
TEST(LibraryCommands, SavingAPresetWhoseFileIsThereAsksFirstAndKeepsBothUnlessToldToReplace) {
  LibraryBench b;
  ASSERT_TRUE(b.connectAndRead());
  b.savePreset("My quad");
  EXPECT_EQ(b.asked, QStringList());

  b.savePreset("MY QUAD!");  // the dialog's own answer: keep both
  EXPECT_EQ(b.asked, QStringList{"My quad | my-quad.json | my-quad-2.json"});
  b.clash = LibraryDialogs::Clash::Cancel;
  b.savePreset("my quad");
  EXPECT_EQ(b.savedPresets(), (QStringList{"my-quad-2.json: MY QUAD!", "my-quad.json: My quad"}));

  b.clash = LibraryDialogs::Clash::Replace;
  b.savePreset("My  Quad");
  EXPECT_EQ(b.asked.size(), 3);
  EXPECT_EQ(b.savedPresets(), (QStringList{"my-quad-2.json: MY QUAD!", "my-quad.json: My  Quad"}));

  // A preset the user made by hand, with a description of its own.
  SettingsDocument good;
  good.description = "Good for the 5-inch";
  ASSERT_EQ(WriteSettingsFile(QFile::encodeName(b.userPreset("good")).toStdString(), good), "");
  b.clash = LibraryDialogs::Clash::KeepBoth;
  b.savePreset("Good");
  EXPECT_EQ(b.asked.last(), "Good for the 5-inch | good.json | good-2.json");
  EXPECT_EQ(b.savedPresets(), (QStringList{"good-2.json: Good", "good.json: Good for the 5-inch",
                                           "my-quad-2.json: MY QUAD!", "my-quad.json: My  Quad"}));
  EXPECT_EQ(b.messages, QStringList());
}

// The window's own question: Return keeps both, Esc cancels; only the button replaces.
TEST(LibraryCommands, ThePresetQuestionStartsOnKeepBoth) {
  const LibraryDialogs dialogs = StandardLibraryDialogs();
  const auto answer = [&](const std::function<void(QMessageBox*)>& press) {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_TRUE(box->text().contains("my-quad-2.json")) << box->text().toStdString();
      press(box);
    });
    return dialogs.presetExists(nullptr, "My quad", "my-quad.json", "my-quad-2.json");
  };
  using Clash = LibraryDialogs::Clash;
  EXPECT_EQ(answer([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }),
            Clash::KeepBoth);
  EXPECT_EQ(answer([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }), Clash::Cancel);
  EXPECT_EQ(answer([](QMessageBox* box) {
              for (QAbstractButton* button : box->buttons()) {
                if (button->text() == "&Replace") button->click();
              }
            }),
            Clash::Replace);
}

// A description longer than a file name may be: the name is cut at a word.
TEST(LibraryCommands, ALongDescriptionIsSavedUnderAShortenedName) {
  LibraryBench b;
  ASSERT_TRUE(b.connectAndRead());
  QString description;
  while (description.size() < 300) description += "Quad for the long field day, ";
  b.savePreset(description.trimmed());
  EXPECT_EQ(b.messages, QStringList());
  const QStringList saved = b.savedPresets();
  ASSERT_EQ(saved.size(), 1);
  const QString name = saved[0].section(".json", 0, 0);
  EXPECT_LE(name.size(), 64);
  EXPECT_EQ(name, "quad-for-the-long-field-day-quad-for-the-long-field-day-quad-for");
  EXPECT_EQ(saved[0].section(": ", 1), description.trimmed());
}

}  // namespace
}  // namespace morvane::test
