// SPDX-License-Identifier: GPL-3.0-or-later
// The flow's outside on a terminal: results on standard output, one-line messages on
// standard error, settings files through the JSON layer, and the end of the event loop.
#pragma once

#include <string>

#include "cli/cli_flow.h"
#include "reasoned_serial_comm.h"

namespace morvane::cli {

class ConsoleHost : public FlowHost {
 public:
  ConsoleHost(const ReasonedSerialComm& comm, std::string file)
      : comm_(comm), file_(std::move(file)) {}

  void print(const std::string& line) override;
  void report(const std::string& line) override;
  void printDocument(const SettingsDocument& doc) override;
  std::string saveDocument(const SettingsDocument& doc) override;
  std::string openFailure(int port) override { return comm_.failure(port); }
  void finished(int status) override;

 private:
  const ReasonedSerialComm& comm_;
  std::string file_;
};

// "morvane-esc: " and the line, on standard error.
void ReportError(const std::string& line);

}  // namespace morvane::cli
