// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc-config: the composition root. Builds the real seams, the window's logic and
// its view, and runs the event loop.
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "app/command_line.h"
#include "app/held_qt_messages.h"
#include "app/port_checks.h"
#include "app/settings_file_commands.h"
#include "app/settings_library_commands.h"
#include "app/support_log_session.h"
#include "link/link.h"
#include "ports/port_table.h"
#include "shell/hot_plug.h"
#include "shell/qt_timer.h"
#include "shell/serial_comm.h"
#include "shell/start_up.h"
#include "shell/stop_signals.h"
#include "shell/system_ports.h"
#include "shell/window_language.h"
#include "form/form_mvconfig.h"
#include "view/form_view.h"
#include "view/motor_test_commands.h"
#include "view/themes.h"
#include "view/translations.h"

int main(int argc, char** argv) {
  using namespace morvane;
  // The --log file may be a pipe; Qt's messages must never reach the serial port.
  StartUp();
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
  // Only the window speaks the user's language: the settings files, the support log and
  // every text the core compares stay English.
  InstallTranslations(QLocale::system().uiLanguages());
  // Before any widget: this run's --theme, else the one last picked from the window.
  ApplyTheme(commandLine.theme.empty() ? RememberedTheme().value_or(Theme::System)
                                       : ThemeNamed(commandLine.theme).value_or(Theme::System));

  const Platform platform = CurrentPlatform();
  SystemPortList systemPorts;
  const std::optional<std::string> portList = PortListSetting([](const std::string& warning) {
    std::fprintf(stderr, "morvane-esc-config: %s\n", warning.c_str());
  });
  // Changes while the program runs, as adapters come and go.
  PortTable table = BuildStartTable(portList, platform, systemPorts);

  SerialComm comm(table);
  QtTimer timer1(kIdlePollMs);
  QtTimer timer2(kReplyTimeoutMs);
  QtEventPump pump;
  const QtClock clock;
  // Between the window's logic and the port, so the log sees every byte as the logic does.
  SupportLogSession supportLog(comm, clock, table, commandLine.logFile);
  FormMVconfig form(supportLog.comm(), timer1, timer2, pump,
                    {MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR, MORVANE_VERSION_PATCH});
  form.setClock(clock);
  const MotorGuard motorGuard(comm, form);
  HotPlug hotPlug(table, portList, std::move(systemPorts), form);
  FormView view(form);
  view.setPortToolTips(
      [&](int n) { return QString::fromStdString(EntryTip(table, n, InWindowLanguage)); },
      QString::fromStdString(EmptyListTip(table, platform, InWindowLanguage)));
  view.setDeviceText([&](int n) { return DeviceLine(table, n, InWindowLanguage); });
  InstallSettingsFileCommands(view, form);
  InstallSettingsLibraryCommands(view, form);
  InstallMotorTest(view, form, &table);
  InstallSupportLogCommand(view, supportLog);
  const bool listed = portList && !portList->empty();
  InstallPortCheckCommand(view, [&] { return WindowFindings(table, listed, form); });
  // Last: it joins the context menus the commands above have made.
  InstallThemeMenu(view);
  // A port that brltty takes as it comes is told in the support log and the status tooltip.
  BrlttyNotes brlttyNotes(table, clock, BrlttyNotes::SystemSeams([&](const std::string& line) {
    supportLog.note(line);
  }));
  hotPlug.setOnPortChanged([&](int n, bool appeared) { brlttyNotes.portChanged(n, appeared); });
  view.setStatusNote([&] { return brlttyNotes.statusNote(InWindowLanguage); });

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
