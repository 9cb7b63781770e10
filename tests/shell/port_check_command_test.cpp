// SPDX-License-Identifier: GPL-3.0-or-later
// "Check ports…" in the Connection group's menu, offscreen: doctor's findings for the window's
// ports, the open one as the window's own, and the link's state last.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

#include "bench.h"
#include "app/port_checks.h"
#include "view/form_view.h"

namespace morvane::test {
namespace {

TEST(PortCheckCommand, ShowsTheFindingsForTheWindowsPortsAndItsLinkInTheConnectionGroupsMenu) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string pty = ::ptsname(master);

  sim::VirtualClock clock;
  sim::VirtualSerialLine line{clock};
  sim::EscModel esc;
  sim::VirtualTimer timer1{clock, 1};
  sim::VirtualTimer timer2{clock, 1};
  const PortTable table{{{pty, "pseudo-terminal"}}};
  FormMVconfig form{line, timer1, timer2, clock, AppVersion{1, 0, 14}};
  form.setClock(clock);
  line.addPort(1);
  line.attachEsc(1, esc);
  form.Load();
  ASSERT_TRUE(clock.runUntilTrue([&] { return form.controls().TxtConnState.text() == "Connected"; },
                                 clock.now() + Ms(2000)));

  FormView view(form);
  QString shown;
  QAction* check = InstallPortCheckCommand(
      view, [&] { return WindowFindings(table, false, form); },
      [&shown](QWidget*, const QString& text) { shown = text; });

  QWidget* group = view.findChild<QWidget*>(QStringLiteral("FrameConnect"));
  QStringList menu;
  QTimer::singleShot(0, [&menu] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (popup == nullptr) return;
    for (QAction* a : popup->actions()) menu << a->text();
    popup->close();
  });
  const QPoint at(group->width() / 2, group->height() - 4);
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, group->mapToGlobal(at));
  QApplication::sendEvent(group, &click);
  EXPECT_EQ(menu, QStringList{QString::fromUtf8("Check ports\u2026")});

  check->trigger();
  const QStringList lines = shown.split('\n', Qt::SkipEmptyParts);
  const QString port = QString::fromStdString("COM1 (" + pty + "): ");
  EXPECT_TRUE(lines.contains("ok      " + port + "a pseudo-terminal.")) << shown.toStdString();
  EXPECT_TRUE(lines.contains("ok      " + port + "open in this window.")) << shown.toStdString();
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_TRUE(lines.last().startsWith("ok      this window: Connected since "))
      << shown.toStdString();
  EXPECT_TRUE(lines.last().contains(" on COM1 (" + QString::fromStdString(pty)))
      << shown.toStdString();
  ::close(master);
}

}  // namespace
}  // namespace morvane::test
