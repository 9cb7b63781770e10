// SPDX-License-Identifier: GPL-3.0-or-later
// The support log of one run of the window, put together: the log in memory, the tap on the
// serial port, the --log file if one is named, the window's events, and "Save support log…"
// in the menu of the Connection group's background.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "ports/port_table.h"
#include "shell/support_log_file.h"
#include "shell/support_log_header.h"
#include "supportlog/form_log.h"
#include "supportlog/logging_comm.h"
#include "supportlog/support_log.h"

class QAction;
class QWidget;

namespace morvane {

class FormMVconfig;

// The dialogs the command opens; tests give their own.
struct SupportLogDialogs {
  std::function<QString(QWidget* parent)> saveFileName;  // empty when the user cancels
  std::function<void(QWidget* parent, const QString& message)> showError;
};
SupportLogDialogs StandardSupportLogDialogs();

class SupportLogSession {
 public:
  // `logFile` empty: the lines are kept in memory only. A file that cannot be written is
  // told once on standard error (or to `report`); the window goes on.
  SupportLogSession(MSComm& port, const Clock& clock, const PortTable& table,
                    const std::string& logFile = {}, SupportLogFile::Report report = {});

  // The port to give the window's logic.
  MSComm& comm() { return comm_; }
  // From now on the window's changes are logged: after start-up, whose defaults are no pick.
  // Keep what it returns no longer than the form.
  [[nodiscard]] std::unique_ptr<FormLog> watch(FormMVconfig& form);

  const SupportLog& log() const { return log_; }
  // A line of the window's own: what it found out about a port.
  void note(std::string line) { log_.add(std::move(line)); }
  // Lines held back (a reply still arriving) are written now.
  void flush() { log_.flush(); }
  const LogStamps& stamps() const { return stamps_; }
  std::string header(const std::string& what) const { return SupportLogHeader(table_, what); }

 private:
  const PortTable& table_;
  SupportLog log_;
  LogStamps stamps_;
  // Before the port: the port's last lines, written as it goes, still find the file.
  std::unique_ptr<SupportLogFile> file_;
  LoggingComm comm_;
};

// `window` is the view of the form; the command belongs to its Connection group, "FrameConnect".
QAction* InstallSupportLogCommand(QWidget& window, SupportLogSession& session,
                                  SupportLogDialogs dialogs = StandardSupportLogDialogs());

}  // namespace morvane
