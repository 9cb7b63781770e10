// SPDX-License-Identifier: GPL-3.0-or-later
// The flow's outside on a terminal: results on standard output, one-line messages on
// standard error, settings files through the JSON layer, and the end of the event loop.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_flow.h"
#include "console/reasoned_serial_comm.h"
#include "shell/record_file.h"

namespace morvane::cli {

class ConsoleHost : public FlowHost {
 public:
  // `file` is bytes, as given on the command line.
  ConsoleHost(const ReasonedSerialComm& comm, std::string file)
      : comm_(comm), file_(std::move(file)) {}

  void print(const std::string& line) override;
  void report(const std::string& line) override;
  void printDocument(const SettingsDocument& doc) override;
  std::string saveDocument(const SettingsDocument& doc) override;
  std::string openFailure(int port) override { return comm_.failure(port); }
  void finished(int status) override;
  std::string recordRow(const std::string& line) override;
  std::string utcNow() override;

  // load --each --record: opens the record before any port is; the error names the file.
  std::string openRecord(const std::string& path);

 private:
  const ReasonedSerialComm& comm_;
  std::string file_;
  std::string recordPath_;
  AppendingFile record_;
};

// "morvane-esc: " and the line, on standard error.
void ReportError(const std::string& line);

// With what StartUp() found (a bit 1 << fd per standard stream it found closed and filled
// with /dev/null): a closed standard output counts as failed, so no result is told as written.
void GuardOutput(int closedStreams);

// load and diff: the file (or preset) is read whole before any port is opened, so nothing of a
// bad file reaches an ESC; its settings become the request's targets. The exit status when the
// run ends here (a bad file, or nothing in it to write or compare).
std::optional<int> ReadSettingsTargets(CliRequest& request);

// Results on standard output, each write and its flush checked; false once any has failed.
bool WriteOut(std::string_view bytes);

// The exit status once all is written: `status`, or when a result did not reach standard
// output (closed, a full disk), a line on standard error and kExitFile in place of success.
int FinishOutput(int status);

}  // namespace morvane::cli
