// SPDX-License-Identifier: GPL-3.0-or-later
// The thrust stand in the motor test window: a stand of the test's own on a pseudo-terminal
// beside the ESC on the virtual line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "motor_bench.h"
#include "pty.h"
#include "raise_throttle.h"
#include "sim/thrust_stand_model.h"
#include "view/motor_test_commands.h"
#include "view/thrust_stand_panel.h"
#include "window_bench.h"

namespace morvane::test {
namespace {

constexpr int kStandPort = 2;

struct StandWindowBench : WindowBench {
  Pty stand;
  // COM1 is the ESC on the virtual line; the table lists the stand as COM2.
  PortTable table{{SerialDevice{"", {}, {}}, SerialDevice{stand.path(), {}, {}}}};
  MotorTestCommands* commands = new MotorTestCommands(view, form, &table);
  QTemporaryDir store;

  StandWindowBench() {
    // The calibrations go to a store of the test's own.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, store.path());
    ::fcntl(stand.master(), F_SETFL, ::fcntl(stand.master(), F_GETFL) | O_NONBLOCK);
  }
  bool connect() {
    line.attachEsc(1, esc);
    form.Load();
    view.show();
    if (!connectAndRead()) return false;
    commands->open();
    return true;
  }
  MotorTestWindow* window() { return commands->window(); }
  ThrustStandPanel* panel() { return window()->standPanel(); }
  template <class T = QWidget>
  T* part(const char* name) {
    return window()->findChild<T*>(QLatin1String(name));
  }
  void send(const std::string& text) {
    ASSERT_EQ(::write(stand.master(), text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }
  // Qt's own events until the stand has read n good lines (bounded, never a timing claim).
  bool readUntil(int n) {
    for (int i = 0; i < 500 && window()->test().stand().goodLines() < n; ++i) QTest::qWait(10);
    QTest::qWait(300);  // and the shown text has caught up
    return window()->test().stand().goodLines() >= n;
  }
  // Bytes that reached the stand's device from the program.
  std::string heardByStand() {
    std::string heard;
    char buf[256];
    for (ssize_t n; (n = ::read(stand.master(), buf, sizeof buf)) > 0;) heard.append(buf, n);
    return heard;
  }
};

TEST(StandWindow, TheStandShowsItsReadingAndHearsNoByteOfTheEsc) {
  StandWindowBench b;
  ASSERT_FALSE(b.stand.path().empty());
  ASSERT_TRUE(b.connect());
  auto* ports = b.part<QComboBox>("standPort");
  ASSERT_EQ(ports->count(), 1) << "the ESC's port is not offered";
  EXPECT_EQ(ports->itemText(0), QStringLiteral("COM2"));
  ASSERT_TRUE(b.panel()->openPort(kStandPort, 57600));
  b.send("thrust_g,current_a,voltage_v\r\n100.0,5.00,12.00\r\n");
  ASSERT_TRUE(b.readUntil(1));
  EXPECT_EQ(b.part<QLabel>("standReading")->text(),
            QStringLiteral("100.0 g   5.00 A   12.00 V   60.0 W   1.67 g/W"));

  // The motor running: polls and throttles go to the ESC only, and the stand's lines never
  // reach the ESC's line.
  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 80);
  b.send("120.0,6.00,11.90\r\n");
  ASSERT_TRUE(b.readUntil(2));
  b.clock.runFor(Ms(3000));
  b.c().SldPower.setValue(0);
  b.clock.runFor(Ms(500));
  EXPECT_EQ(b.heardByStand(), "");
  ASSERT_FALSE(b.line.writes().empty());
  for (const auto& w : b.line.writes()) {
    ASSERT_GE(w.bytes.size(), 3u);
    EXPECT_EQ(w.bytes[0], 0x41);
    EXPECT_EQ(w.bytes[1], 0x53);
  }
}

TEST(StandWindow, TheEscsOwnPortIsRefusedAsAStand) {
  StandWindowBench b;
  ASSERT_TRUE(b.connect());
  EXPECT_FALSE(b.panel()->openPort(1, 115200));
  EXPECT_EQ(b.part<QLabel>("standReading")->text(), QStringLiteral("COM1 is the ESC's port."));
  EXPECT_FALSE(b.window()->test().stand().isOpen());
}

TEST(StandWindow, TareIsRememberedForTheStandsPortAndRefusedWhileTheMotorRuns) {
  StandWindowBench b;
  ASSERT_TRUE(b.connect());
  ASSERT_TRUE(b.panel()->openPort(kStandPort, 115200));
  b.send("35.5\r\n");
  ASSERT_TRUE(b.readUntil(1));
  auto* tare = b.part<QPushButton>("standTare");
  ASSERT_TRUE(tare->isEnabled());
  tare->click();
  EXPECT_EQ(b.window()->test().stand().calibration().offsetG, 35.5);

  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 60);
  EXPECT_FALSE(tare->isEnabled());
  b.c().SldPower.setValue(0);

  b.panel()->closePort();
  b.window()->test().stand().setCalibration({});
  ASSERT_TRUE(b.panel()->openPort(kStandPort, 115200));
  EXPECT_EQ(b.window()->test().stand().calibration().offsetG, 35.5);
}

// A sweep with the simulated stand's lines, as the window shows and saves it; the report is
// rendered for reviewers.
TEST(StandWindow, ASweepWithAStandFillsTheStandsColumnsAndItsReportIsWritten) {
  StandWindowBench b;
  ASSERT_TRUE(b.connect());
  ASSERT_TRUE(b.panel()->openPort(kStandPort, 115200));
  ThrustStand& stand = b.window()->test().stand();
  sim::ThrustStandModel model;
  std::function<void()> next = [&] {
    stand.receive(model.next(b.clock.nowMs(), b.esc.erps(b.clock.nowMs())));
    b.clock.scheduleIn(Ms(25), next);
  };
  next();
  b.clock.runFor(Ms(500));
  ASSERT_EQ(stand.tare(), "");
  b.part<QSpinBox>("from")->setValue(40);
  b.part<QSpinBox>("to")->setValue(160);
  b.part<QSpinBox>("step")->setValue(20);
  b.part<QPushButton>("start")->click();
  ASSERT_TRUE(b.runUntil([&] { return !b.window()->test().sweep().running(); }, Ms(120000)));
  ASSERT_EQ(b.window()->test().sweep().phase(), SweepPhase::Done)
      << b.window()->test().sweep().status();
  b.clock.runFor(Ms(1000));
  QTest::qWait(300);

  auto* table = b.part<QTableWidget>("sweepTable");
  ASSERT_EQ(table->columnCount(), 10);
  ASSERT_EQ(table->rowCount(), 7);
  EXPECT_EQ(table->horizontalHeaderItem(9)->text(), QStringLiteral("g/W"));
  EXPECT_GT(table->item(6, 4)->text().toDouble(), table->item(0, 4)->text().toDouble());

  QTemporaryDir dir;
  const QString csv = dir.filePath(QStringLiteral("table.csv"));
  ASSERT_TRUE(b.window()->saveTable(csv));
  QFile saved(csv);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readLine().startsWith("throttle,rpm_mean,rpm_sd,samples,thrust_g_mean,"));

  const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
  ASSERT_TRUE(b.window()->saveReport(pdf));
  QFile written(pdf);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.read(5) == "%PDF-");

  const QDir shots(QStringLiteral(MORVANE_SHOTS_DIR));
  ASSERT_TRUE(shots.mkpath(QStringLiteral(".")));
  const QString png = shots.filePath(QStringLiteral("thrust-report.png"));
  ASSERT_TRUE(b.window()->saveReport(png));
  const QImage page(png);
  EXPECT_EQ(page.width(), 1240);
  EXPECT_GT(page.height(), page.width());
  EXPECT_EQ(b.window()->saveReport(dir.filePath(QStringLiteral("no/such/folder/r.png"))), false);
  EXPECT_TRUE(b.part<QLabel>("sweepStatus")
                  ->text()
                  .startsWith(QStringLiteral("The report could not be saved to")));
  EXPECT_TRUE(b.window()->grab().save(shots.filePath(QStringLiteral("motor-test-stand.png"))));
}

}  // namespace
}  // namespace morvane::test
