// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/doctor_command.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "cli/cli_flow.h"
#include "console/flow_seams.h"
#include "console/console_host.h"
#include "link/link.h"
#include "cli/port_choice.h"
#include "shell/qt_timer.h"
#include "console/reasoned_serial_comm.h"
#include "link/printable.h"
#include "shell/stop_signals.h"
#include "form/form_mvconfig.h"

#if defined(Q_OS_UNIX)
#include "ports/device_check.h"
#endif

namespace morvane::cli {
namespace {

// The read flow's outside for doctor: what it prints is kept, not shown.
class DoctorHost : public FlowHost {
 public:
  DoctorHost(const ReasonedSerialComm& comm, const FormMVconfig& form) : comm_(comm), form_(form) {}

  void print(const std::string& line) override {
    if (line.rfind("model: ", 0) == 0) {
      model = line.substr(7);
      port = form_.state().openPort;
    } else if (line.rfind("firmware: ", 0) == 0) {
      firmware = line.substr(10);
    }
  }
  void report(const std::string& line) override { reports.push_back(line); }
  void printDocument(const SettingsDocument&) override {}
  std::string saveDocument(const SettingsDocument&) override { return {}; }
  std::string openFailure(int n) override { return comm_.failure(n); }
  void finished(int status) override { QCoreApplication::exit(status); }

  std::string model;
  std::string firmware;
  int port = 0;
  std::vector<std::string> reports;

 private:
  const ReasonedSerialComm& comm_;
  const FormMVconfig& form_;
};

// Whether an ESC answers, as `read` finds it out; its findings go to `out`. A stop signal
// ends the probe as it ends `read`, and is kept in `stopSignal`.
int ProbeEsc(const CliRequest& request, const Candidates& candidates, std::vector<Finding>& out,
             int& stopSignal) {
  CliRequest read = request;
  read.command = Command::Read;
  read.json = false;
  const PortTable table(candidates.devices);
  FlowSeams seams(table);
  FormMVconfig& form = seams.form;
  DoctorHost host(seams.comm, form);
  CliFlow flow(form, seams.tick, seams.soon, host, read, candidates.names);
  flow.start();
  OnStopSignals([&](int sig) {
    if (stopSignal == 0 && !flow.status()) stopSignal = sig;
    flow.interrupt();
  });
  const int status = flow.status() ? *flow.status() : QCoreApplication::exec();
  form.Unload();
  if (status == kExitDone && host.port > 0) {
    out.push_back({Finding::Level::Ok,
                   candidates.names.at(static_cast<std::size_t>(host.port - 1)),
                   "an ESC answers: " + host.model + ", firmware " + host.firmware + ".",
                   {}});
    return status;
  }
  for (const std::string& line : host.reports) {
    const bool silent = line.rfind("no ESC answered", 0) == 0;
    out.push_back({Finding::Level::Problem, "ESC", line.back() == '.' ? line : line + ".",
                   silent ? "Check that the ESC is powered, that its signal and ground wires "
                            "are connected and that the adapter is on the ESC's programming "
                            "connection."
                          : std::string()});
  }
  return status;
}

}  // namespace

std::string FindingsJson(const std::vector<Finding>& findings, int status) {
  QJsonArray list;
  // As the lines show them: a name's control characters and stray bytes escaped.
  const auto text = [](const std::string& s) { return QString::fromStdString(Printable(s)); };
  for (const Finding& f : findings) {
    list.append(QJsonObject{{QStringLiteral("level"), QString::fromUtf8(LevelName(f.level))},
                            {QStringLiteral("subject"), text(f.subject)},
                            {QStringLiteral("text"), text(f.text)},
                            {QStringLiteral("remedy"), text(f.remedy)}});
  }
  const QJsonObject all{{QStringLiteral("findings"), list}, {QStringLiteral("status"), status}};
  return QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString();
}

int RunDoctor(const CliRequest& request, const PortTable& table, bool listed, Platform platform) {
  const Candidates candidates = ChooseCandidates(request.port, table, listed, platform);
  const bool named = listed || !request.port.empty();
  std::vector<Finding> findings;
#if defined(Q_OS_UNIX)
  std::vector<NamedPath> ports;
  for (std::size_t i = 0; i < candidates.devices.size(); ++i) {
    ports.push_back({candidates.names[i], candidates.devices[i].path});
  }
  findings = Diagnose(SurveyPorts(ports, named));
#endif
  int status = candidates.status;
  int stopSignal = 0;
  if (candidates.devices.empty()) {
    // A COM number without a device, or a list of none.
    if (named) findings.push_back({Finding::Level::Problem, "ports", candidates.error + ".", {}});
  } else {
    status = ProbeEsc(request, candidates, findings, stopSignal);
  }
  std::string text;
  if (request.json) {
    text = FindingsJson(findings, status);
  } else {
    for (const Finding& f : findings) text += FindingLine(f) + "\n";
  }
  WriteOut(text);
  status = FinishOutput(status);
  // Stopped from outside: as a shell tells a killed program.
  return stopSignal == 0 || status == kExitFile ? status : 128 + stopSignal;
}

}  // namespace morvane::cli
