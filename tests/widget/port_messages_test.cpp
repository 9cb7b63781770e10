// SPDX-License-Identifier: GPL-3.0-or-later
// What the window says about its ports without a dialog: one balloon at the port list when
// a pick fails, and the connection state's tooltip, made when it is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QHelpEvent>
#include <QLabel>
#include <QTest>
#include <QToolTip>

#include "window_bench.h"

namespace morvane::test {
namespace {

std::string Device(int n) {
  return "/dev/ttyUSB" + std::to_string(n) + ", FT232R USB UART";
}

QString AskForTip(QWidget* widget) {
  QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(widget, &ask);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// The connection state's tooltip, with the time of day the window's clock stood at ms.
QString StatusTipSaying(WindowBench& b, const std::string& before, std::int64_t ms,
                        const std::string& after) {
  const QDateTime at = QDateTime::currentDateTime().addMSecs(ms - b.clock.elapsedMs());
  const QString tip = AskForTip(b.find("TxtConnState"));
  // The second may turn between the two readings of the wall clock.
  for (const QDateTime& t : {at, at.addSecs(1)}) {
    const QString expected =
        QString::fromStdString(before) + t.toString("HH:mm:ss") + QString::fromStdString(after);
    if (tip.startsWith(expected)) return {};
  }
  return tip;
}

struct ShownWindow : WindowBench {
  ShownWindow() {
    view.setDeviceText(Device);
    view.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
  }
  ~ShownWindow() { QToolTip::hideText(); }
};

TEST(PortMessages, AFailedPickShowsOneBalloonAtThePortListNamingEachPortAndItsRemedy) {
  ShownWindow b;
  for (int n : {2, 5}) b.line.addPort(n);
  b.form.Load();
  ASSERT_EQ(b.s().openPort, 2);
  QTest::qWait(50);
  EXPECT_FALSE(QToolTip::isVisible());

  b.line.refuseOpen(5, {OpenFailure::Kind::PermissionDenied, "dialout"});
  b.line.refuseOpen(2, {OpenFailure::Kind::InUse, "minicom, process 412"});
  auto* box = b.find<QComboBox>("CombPort");
  QTest::keyClick(box, Qt::Key_Down);  // COM5 fails, and COM2 after it
  ASSERT_EQ(box->count(), 0);
  ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
  const QString balloon = QToolTip::text();
  EXPECT_TRUE(balloon.startsWith(
      "COM5 (/dev/ttyUSB5, FT232R USB UART): permission denied. Your user may not open it: "
      "sudo usermod -aG dialout $USER, then log out and in again.\n"
      "COM2 (/dev/ttyUSB2, FT232R USB UART): in use by another program (minicom, process 412)"))
      << balloon.toStdString();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // Until a port opens, the connection state's tooltip keeps the failures.
  QToolTip::hideText();
  EXPECT_TRUE(AskForTip(b.find("TxtConnState")).contains("Could not open COM5"));
}

TEST(PortMessages, TheConnectionStateTipTellsWhatGoesOnSinceWhenByTheClock) {
  ShownWindow b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  const std::int64_t opened = b.clock.elapsedMs();
  ASSERT_TRUE(b.connectAndRead());
  const std::int64_t connected = b.form.linkStatus().sinceMs;
  b.clock.runFor(Ms(65000));
  EXPECT_EQ(StatusTipSaying(b, "Connected since ", connected,
                            " on COM1 (/dev/ttyUSB1, FT232R USB UART)."),
            QString());
  EXPECT_EQ(b.find<QLabel>("TxtConnState")->text(), QStringLiteral("Connected"));
  EXPECT_GT(connected, opened);

  b.line.detachEsc(1);
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Unconnected"; }, Ms(3000)));
  const std::int64_t lost = b.form.linkStatus().sinceMs;
  b.clock.runFor(Ms(30000));
  EXPECT_EQ(
      StatusTipSaying(b, "No answer from an ESC on COM1 (/dev/ttyUSB1, FT232R USB UART) since ",
                      lost, ". Check that the ESC is powered"),
      QString());

  b.form.PortVanished(1);
  EXPECT_EQ(
      StatusTipSaying(b, "The adapter of COM1 (/dev/ttyUSB1, FT232R USB UART) was unplugged at ",
                      b.clock.elapsedMs(), "."),
      QString());
  EXPECT_EQ(b.find<QLabel>("TxtConnState")->text(), QStringLiteral("Unconnected"));
}

}  // namespace
}  // namespace morvane::test
