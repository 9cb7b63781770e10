// SPDX-License-Identifier: GPL-3.0-or-later
// The window program's command line, checked before Qt starts: --help and --version answer
// and a mistake is refused without a display. Qt's own options pass through to Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace morvane {

struct CommandLine {
  // Set when the program is done: 0 after --help or --version, 2 after a bad argument.
  std::optional<int> exitStatus;
  // What to print before leaving: to standard output on 0, standard error otherwise.
  std::string message;
  // The program's name and Qt's options, each "-opt=value" split as "-opt" "value" so that
  // Qt takes every option in either form.
  std::vector<std::string> qtArguments;
  // --log FILE: the support log is also written there as it happens. Empty: none.
  std::string logFile{};
  // --theme NAME: this run's colours, not remembered. Empty: the remembered choice.
  std::string theme{};
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// Storage for the arguments QApplication keeps a reference to for its whole life.
class QtArgv {
 public:
  explicit QtArgv(std::vector<std::string> arguments);
  int& argc() { return argc_; }
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> arguments_;
  std::vector<char*> pointers_;
  int argc_;
};

}  // namespace morvane
