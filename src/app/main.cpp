// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc-config: the composition root. Builds the real seams, the window's logic and
// its view, and runs the event loop.
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "command_line.h"
#include "held_qt_messages.h"
#include "hot_plug.h"
#include "last_resort_stop.h"
#include "link/link.h"
#include "port_checks.h"
#include "port_table.h"
#include "qt_timer.h"
#include "serial_comm.h"
#include "standard_streams.h"
#include "settings_file_commands.h"
#include "stop_signals.h"
#include "support_log_session.h"
#include "system_ports.h"
#include "ui/form_mvconfig.h"
#include "ui/qt/form_view.h"
#include "ui/qt/motor_test_commands.h"
#include "ui/qt/translations.h"

namespace {

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace morvane;
  // Before anything is written: the --log file may be a pipe.
  IgnoreFailedWriteSignals();
  // Before any file is opened, the serial port above all: Qt's messages must not reach it.
  GuardStandardStreams();
  // Answered and refused before the window system is touched, so also without a display.
  const CommandLine commandLine = ParseCommandLine(argc, argv);
  if (commandLine.exitStatus) {
    std::fputs(commandLine.message.c_str(), *commandLine.exitStatus == 0 ? stdout : stderr);
    return *commandLine.exitStatus;
  }
  QtArgv qtArgv(commandLine.qtArguments);

  Q_INIT_RESOURCE(pictures);
  // One style everywhere: the layout's small boxes are checked against Fusion's margins.
  QApplication::setStyle(QStringLiteral("Fusion"));
  HeldQtMessages heldMessages;
  QApplication app(qtArgv.argc(), qtArgv.argv());
  heldMessages.passOn();

  QApplication::setApplicationName("morvane-esc-config");
  QGuiApplication::setDesktopFileName("morvane-esc-config");
  QApplication::setWindowIcon(QIcon(":/morvane/morvane-esc-config.png"));
  // Only the window speaks the user's language: the settings files, the support log and
  // every text the core compares stay English.
  InstallTranslations(QLocale::system().uiLanguages());

  const Platform platform = CurrentPlatform();
  SystemPortList systemPorts;
  const std::optional<std::string> portList = Environment("MORVANE_ESC_PORTS");
  if (portList) {
    if (const std::string warning = ParsePortList(*portList).warning; !warning.empty()) {
      std::fprintf(stderr, "morvane-esc-config: %s\n", warning.c_str());
    }
  }
  // Changes while the program runs, as adapters come and go.
  PortTable table = BuildStartTable(portList, platform, systemPorts);

  SerialComm comm(table);
  comm.setOnDescriptorChanged(SetLastResortPort);
  QtTimer timer1(kIdlePollMs);
  QtTimer timer2(kReplyTimeoutMs);
  QtEventPump pump;
  const QtClock clock;
  // Between the window's logic and the port, so the log sees every byte as the logic does.
  SupportLogSession supportLog(comm, clock, table, commandLine.logFile);
  FormMVconfig form(supportLog.comm(), timer1, timer2, pump,
                    {MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR, MORVANE_VERSION_PATCH});
  form.setClock(clock);
  const LastResortStop lastResort([&form] { return form.motorMayRun(); });
  HotPlug hotPlug(table, portList, std::move(systemPorts), form);
  FormView view(form);
  view.setPortToolTips([&](int n) { return QString::fromStdString(EntryTip(table, n)); },
                       QString::fromStdString(EmptyListTip(table, platform)));
  view.setDeviceText([&](int n) { return DeviceLine(table, n); });
  InstallSettingsFileCommands(view, form);
  InstallMotorTest(view, form);
  InstallSupportLogCommand(view, supportLog);
  const bool listed = portList && !portList->empty();
  InstallPortCheckCommand(view, [&] { return WindowFindings(table, listed, form); });
  // A port that brltty takes as it comes is told in the support log and the status tooltip.
  BrlttyNotes brlttyNotes(table, clock, BrlttyNotes::SystemSeams([&](const std::string& line) {
    supportLog.note(line);
  }));
  hotPlug.setOnPortChanged([&](int n, bool appeared) { brlttyNotes.portChanged(n, appeared); });
  view.setStatusNote([&] { return brlttyNotes.statusNote(); });

  form.Load();
  // After the start-up defaults, so they are not logged as the user's picks; before the form
  // goes, as it holds the form's observers.
  const auto formLog = supportLog.watch(form);
  hotPlug.start();
  // Only now: a close while start-up still scans the ports would run shutdown half-way.
  OnStopSignals([&view](int) { view.close(); });
  view.show();
  const int status = QApplication::exec();
  // A quit that did not come through the window's close still stops the motor and closes
  // the port; nothing is written after this.
  form.Unload();
  return status;
}
