// SPDX-License-Identifier: GPL-3.0-or-later
// The flow's outside on a terminal: results on standard output, one-line messages on
// standard error, settings files through the JSON layer, and the end of the event loop.
#pragma once

#include <string>
#include <string_view>

#include "cli/cli_flow.h"
#include "reasoned_serial_comm.h"
#include "record_file.h"

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

// First thing in main(): a standard stream that is closed would be the number the next open
// takes, and results or messages would go into that file, or into the serial port. Each
// closed one is held by /dev/null, and standard output counts as failed.
void GuardOutput();

// Results on standard output, each write and its flush checked; false once any has failed.
bool WriteOut(std::string_view bytes);

// The exit status once all is written: `status`, or when a result did not reach standard
// output (closed, a full disk), a line on standard error and kExitFile in place of success.
int FinishOutput(int status);

}  // namespace morvane::cli
