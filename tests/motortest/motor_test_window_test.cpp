// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <fstream>
#include <functional>

#include "full_folder.h"
#include "motor_bench.h"
#include "view/motor_test_commands.h"
#include "view/motor_test_plot.h"
#include "view/themes.h"
#include "window_bench.h"
#include "raise_throttle.h"

namespace morvane::test {
namespace {

struct MotorWindowBench : WindowBench {
  MotorTestCommands* commands = new MotorTestCommands(view, form);

  explicit MotorWindowBench(sim::EscConfig config = {}) { esc = sim::EscModel(config); }

  bool connect() {
    line.attachEsc(1, esc);
    form.Load();
    view.show();
    return connectAndRead();
  }
  MotorTestWindow* window() { return commands->window(); }
  template <class T = QWidget>
  T* part(const char* name) {
    return window()->findChild<T*>(QLatin1String(name));
  }
  // Lets Qt run its own events (closes, deletes, repaints) without moving virtual time.
  static void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  bool nonZeroThrottleSince(Ticks from) {
    for (const auto& w : line.writes())
      if (w.at >= from && MotorBench::isThrottle(w) && w.bytes[3] != 0) return true;
    return false;
  }
};

TEST(MotorTestWindow, CtrlTOpensItBesideTheMainWindowAndClosingItLeavesTheMainWindowAsItWas) {
  MotorWindowBench b;
  ASSERT_TRUE(b.connect());
  b.view.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&b.view));
  const QRect mainGeometry = b.view.geometry();

  QTest::keyClick(&b.view, Qt::Key_T, Qt::ControlModifier);
  ASSERT_NE(b.window(), nullptr);
  EXPECT_TRUE(b.window()->isVisible());
  EXPECT_TRUE(b.window()->windowTitle().startsWith(QStringLiteral("Motor test")));
  EXPECT_FALSE(b.window()->isModal());
  EXPECT_NE(b.window()->minimumSize(), b.window()->maximumSize()) << "not resizable";

  EXPECT_TRUE(b.window()->close());
  b.settle();
  EXPECT_EQ(b.window(), nullptr);
  EXPECT_TRUE(b.view.isVisible());
  EXPECT_EQ(b.view.geometry(), mainGeometry);
  EXPECT_EQ(b.conn(), "Connected");
}

TEST(MotorTestWindow, TheRunPanelAndTheRpmBoxOfferItInTheirContextMenus) {
  for (const char* name : {"FrameRun", "TxtRev"}) {
    MotorWindowBench b;
    ASSERT_TRUE(b.connect());
    b.c().TabStrip1.clickTab(2);
    QWidget* target = b.find(name);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            target->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << name;
    ASSERT_EQ(menu->actions().size(), 1);
    menu->actions().front()->trigger();
    menu->close();
    ASSERT_NE(b.window(), nullptr) << name;
    EXPECT_TRUE(b.window()->isVisible()) << name;
  }
}

TEST(MotorTestWindow, ThePlotGetsAPointAtEachPollWithThePresentValuesAsText) {
  MotorWindowBench b;
  ASSERT_TRUE(b.connect());
  b.commands->open();
  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 100);
  b.clock.runFor(Ms(3000));
  b.settle();

  auto* plot = b.part<MotorTestPlot>("motorTestPlot");
  const QImage image = plot->grab().toImage();
  EXPECT_GT(plot->paintedPoints(), 10);
  EXPECT_EQ(plot->paintedPoints(), static_cast<int>(b.window()->test().history().size()));
  int averagePixels = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      averagePixels += image.pixelColor(x, y) == DrawnColorsFor(plot->palette()).average;
  EXPECT_GT(averagePixels, 100) << "the average's line is not drawn";
  EXPECT_GE(plot->rpmAxisTop(), std::stoi(b.c().TxtRev.text()));
  // The window shows the newest values a moment later, not at every reply.
  const QString expected = QString::fromStdString(b.c().TxtRev.text()) + " r/min average";
  auto* present = b.part<QLabel>("presentValues");
  EXPECT_TRUE(QTest::qWaitFor([&] { return present->text().startsWith(expected); }, 2000))
      << present->text().toStdString();
  EXPECT_TRUE(present->text().endsWith(QStringLiteral("throttle 100")))
      << present->text().toStdString();
}

TEST(MotorTestWindow, ARecordingIsOnDiskRowByRowWhileItRunsWithAPointForDecimals) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  MotorWindowBench b;
  ASSERT_TRUE(b.connect());
  b.commands->open();
  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 60);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("run.csv"));
  ASSERT_TRUE(b.window()->startRecording(path));
  b.clock.runFor(Ms(1500));

  // Read beside the open recording: every row so far is already in the file.
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_GT(b.window()->test().recordedRows(), 5);
  ASSERT_EQ(lines.size(), 1 + b.window()->test().recordedRows());
  EXPECT_EQ(lines[0], QStringLiteral("t_s,throttle,rpm_raw,rpm_avg,poles"));
  const QRegularExpression row(QStringLiteral(R"(^\d+\.\d{3},\d+,\d*,\d+,\d+$)"));
  for (int i = 1; i < lines.size(); ++i)
    EXPECT_TRUE(row.match(lines[i]).hasMatch()) << lines[i].toStdString();
  QLocale::setDefault(QLocale::c());

  b.part<QPushButton>("record")->click();  // Stop recording
  const int rows = b.window()->test().recordedRows();
  b.clock.runFor(Ms(1000));
  file.seek(0);
  EXPECT_EQ(QString::fromUtf8(file.readAll()).count('\n'), 1 + rows);
}

TEST(MotorTestWindow, OneRecordedRowIsCountedInTheSingular) {
  MotorWindowBench b;
  ASSERT_TRUE(b.connect());
  b.commands->open();
  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 60);
  QTemporaryDir dir;
  ASSERT_TRUE(b.window()->startRecording(dir.filePath(QStringLiteral("rec.csv"))));
  for (int i = 0; i < 1000 && b.window()->test().recordedRows() == 0; ++i) b.clock.runFor(Ms(1));
  ASSERT_EQ(b.window()->test().recordedRows(), 1);
  b.part<QPushButton>("record")->click();  // Stop recording
  EXPECT_EQ(b.part<QLabel>("recordingLabel")->text(), QStringLiteral("Recorded 1 row to rec.csv"));
}

TEST(MotorTestWindow, ARecordingWhoseFileIsDeletedStopsAndSaysSo) {
  MotorWindowBench b;
  ASSERT_TRUE(b.connect());
  b.commands->open();
  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 60);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("rec.csv"));
  ASSERT_TRUE(b.window()->startRecording(path));
  b.clock.runFor(Ms(1000));
  ASSERT_TRUE(b.window()->test().recording());
  ASSERT_TRUE(QFile::remove(path));
  b.clock.runFor(Ms(1000));
  // The window shows what happened when it next shows a sample.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !b.window()->test().recording(); }, 5000));
  EXPECT_EQ(b.part<QLabel>("recordingLabel")->text(),
            QStringLiteral("Recording stopped: the file was deleted"));
  EXPECT_EQ(b.part<QPushButton>("record")->text(), QStringLiteral("Record"));
}

// Escape and the window's Stop button stop a sweep that has only just started (the throttle
// still 0, so only the window's own stop can end it); closing either window stops one
// that is measuring.
struct WindowStop {
  const char* name;
  bool measuring;
  std::function<void(MotorWindowBench&)> stop;
};

void PrintTo(const WindowStop& s, std::ostream* os) {
  *os << s.name;
}

const WindowStop kWindowStops[] = {
    {"Escape", false, [](MotorWindowBench& b) { QTest::keyClick(b.window(), Qt::Key_Escape); }},
    {"StopButton", false, [](MotorWindowBench& b) { b.part<QPushButton>("stop")->click(); }},
    {"MotorTestWindowCloses", true, [](MotorWindowBench& b) { b.window()->close(); }},
    {"MainWindowCloses", true, [](MotorWindowBench& b) { b.view.close(); }},
};

struct WindowStops : ::testing::TestWithParam<WindowStop> {};

TEST_P(WindowStops, EndTheSweepWithTheThrottleAtZero) {
  MotorWindowBench b;
  ASSERT_TRUE(b.connect());
  b.commands->open();
  b.part<QSpinBox>("to")->setValue(60);
  b.part<QPushButton>("start")->click();
  ThrottleSweep& sweep = b.window()->test().sweep();
  ASSERT_TRUE(sweep.running()) << b.part<QLabel>("sweepStatus")->text().toStdString();
  if (GetParam().measuring) {
    ASSERT_TRUE(b.runUntil([&] { return sweep.phase() == SweepPhase::Sampling; }, Ms(10000)));
    ASSERT_EQ(b.c().SldPower.value(), 40);
  } else {
    EXPECT_FALSE(sweep.running() && sweep.phase() != SweepPhase::Rising);
  }
  const Ticks stopped = b.clock.now();
  GetParam().stop(b);
  EXPECT_EQ(b.c().SldPower.value(), 0);
  b.clock.runFor(Ms(2000));
  b.settle();
  EXPECT_EQ(b.c().SldPower.value(), 0);
  EXPECT_FALSE(b.nonZeroThrottleSince(stopped));
  if (b.window() != nullptr) {
    EXPECT_FALSE(b.window()->test().sweep().running());
    EXPECT_TRUE(b.part<QLabel>("sweepStatus")->text().startsWith(QStringLiteral("Stopped")));
  }
  if (std::string(GetParam().name) == "MainWindowCloses") {
    EXPECT_EQ(b.window(), nullptr) << "the motor test window outlived the main window";
  }
}

INSTANTIATE_TEST_SUITE_P(Each, WindowStops, ::testing::ValuesIn(kWindowStops),
                         [](const auto& info) { return std::string(info.param.name); });

// A sweep from 40 to 140 in steps of 20 against the simulated motor with a kv, rendered for
// reviewers; its table is saved as CSV.
TEST(MotorTestWindow, ASweepFillsItsTableAndSavesIt) {
  MotorWindowBench b(sim::EscConfig(9503, 1234, sim::kFactorySettings, {1000, 0.006}));
  ASSERT_TRUE(b.connect());
  b.c().VSlPole.setValue(14);
  b.commands->open();
  QTemporaryDir dir;
  ASSERT_TRUE(b.window()->startRecording(dir.filePath(QStringLiteral("run.csv"))));
  b.part<QSpinBox>("to")->setValue(140);
  b.part<QPushButton>("start")->click();
  ThrottleSweep& sweep = b.window()->test().sweep();
  ASSERT_TRUE(b.runUntil([&] { return !sweep.running(); }, Ms(120000)));
  b.clock.runFor(Ms(3000));
  b.settle();

  auto* table = b.part<QTableWidget>("sweepTable");
  ASSERT_EQ(table->rowCount(), 6) << sweep.status();
  EXPECT_EQ(table->item(5, 0)->text(), QStringLiteral("140"));
  const QString path = dir.filePath(QStringLiteral("table.csv"));
  ASSERT_TRUE(b.window()->saveTable(path));
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(saved.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], QStringLiteral("throttle,rpm_mean,rpm_sd,samples"));
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(lines[i + 1].section(',', 1, 1), table->item(i, 1)->text());
  }
  // Saved again over an older table on a full disk: the older one is kept, and it is said.
  const std::string older = "throttle,rpm_mean,rpm_sd,samples\n40,1000.0,1.0,20\n";
  FullFolder full({{"table.csv", older}});
  if (full.ready()) {
    const QString fullPath = QString::fromStdString(full.path("table.csv"));
    EXPECT_FALSE(b.window()->saveTable(fullPath));
    EXPECT_EQ(b.part<QLabel>("sweepStatus")->text(),
              QStringLiteral("The table could not be saved to %1: %2")
                  .arg(fullPath, QString::fromLocal8Bit(std::strerror(ENOSPC))));
    std::ifstream kept(full.path("table.csv"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), older);
  }

  const QDir shots(QStringLiteral(MORVANE_SHOTS_DIR));
  ASSERT_TRUE(shots.mkpath(QStringLiteral(".")));
  EXPECT_TRUE(b.window()->grab().save(shots.filePath(QStringLiteral("motor-test-sweep.png"))));
}

}  // namespace
}  // namespace morvane::test
