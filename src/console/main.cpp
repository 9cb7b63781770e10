// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc: the composition root of the command line. The window's logic on headless
// controls, with the real serial port and timers on QCoreApplication.
#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_flow.h"
#include "console/console_host.h"
#include "console/doctor_command.h"
#include "console/flow_seams.h"
#include "console/port_candidates.h"
#include "console/reasoned_serial_comm.h"
#include "link/link.h"
#include "ports/port_table.h"
#include "shell/qt_timer.h"
#include "shell/settings_json.h"
#include "shell/settings_presets.h"
#include "shell/start_up.h"
#include "shell/stop_signals.h"
#include "shell/system_ports.h"
#include "form/form_mvconfig.h"

int main(int argc, char** argv) {
  using namespace morvane;
  using namespace morvane::cli;
  // Standard output may be a pipe, or closed.
  GuardOutput(StartUp());
  const ParsedArguments parsed = ParseCliArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.request) {
    if (parsed.exitStatus != kExitDone) {
      std::fputs(parsed.message.c_str(), stderr);
      return parsed.exitStatus;
    }
    WriteOut(parsed.message);
    return FinishOutput(kExitDone);
  }
  CliRequest request = *parsed.request;
  QCoreApplication app(argc, argv);

  if (request.command == Command::Presets) {
    const PresetList presets = ListPresets();
    for (const std::string& error : presets.errors) ReportError(error);
    WriteOut(request.json ? PresetsJson(presets) : PresetsText(presets));
    return FinishOutput(kExitDone);
  }

  if (const std::optional<int> ended = ReadSettingsTargets(request)) return *ended;

  const Platform platform = CurrentPlatform();
  const std::vector<SerialDevice> systemPorts = SystemSerialPorts();
  const std::optional<std::string> portList = PortListSetting(ReportError);
  const PortTable table =
      BuildPortTable(portList, systemPorts, platform,
                     [&](const std::string& path) { return DescribeDevice(path, systemPorts); });
  if (request.command == Command::Ports) {
    const QByteArray text =
        request.json ? PortsJson(table) : QByteArray::fromStdString(PortsText(table));
    WriteOut(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    return FinishOutput(kExitDone);
  }

  const bool listed = platform != Platform::Windows && portList && !portList->empty();
  if (request.command == Command::Doctor) return RunDoctor(request, table, listed, platform);
  const Candidates candidates = ChooseCandidates(request.port, table, listed, platform);
  if (!candidates.error.empty()) {
    ReportError(candidates.error);
    return candidates.status;
  }
  const PortTable flowTable(candidates.devices);
  FlowSeams seams(flowTable);
  FormMVconfig& form = seams.form;
  const MotorGuard motorGuard(seams.comm, form);
  ConsoleHost host(seams.comm, request.file);
  // The record is ready, its header checked, before any ESC is written.
  if (!request.record.empty()) {
    if (const std::string error = host.openRecord(request.record); !error.empty()) {
      ReportError(error);
      return kExitFile;
    }
  }
  CliFlow flow(form, seams.tick, seams.soon, host, request, candidates.names);

  flow.start();
  // Only now: a stop while start-up still scans the ports would run shutdown half-way.
  int stopSignal = 0;
  OnStopSignals([&](int sig) {
    if (stopSignal == 0 && !flow.status()) stopSignal = sig;
    flow.interrupt();
  });
  const int status = FinishOutput(QCoreApplication::exec());
  // The flow has closed the port; should the loop end any other way, the shutdown still runs.
  form.Unload();
  // Ended from outside: told as a shell tells a killed program, 128 + the signal. Ctrl+C is
  // how a batch ends on purpose, so it keeps the batch's own status.
  if (stopSignal == 0 || (request.each && stopSignal == SIGINT)) return status;
  return 128 + stopSignal;
}
