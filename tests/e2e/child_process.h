// SPDX-License-Identifier: GPL-3.0-or-later
// A program started by a test: its output is captured, every wait is bounded, and it is
// killed when the test is done with it, whatever the outcome.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace morvane::e2e {

// Changes to this process's environment: a value sets the variable, nullopt removes it.
using EnvChanges = std::map<std::string, std::optional<std::string>>;

class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const EnvChanges& envChanges = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

  // The first line of standard output, waiting at most timeoutMs.
  std::optional<std::string> firstLine(int timeoutMs);
  // Exit status, or nullopt when it is still running after timeoutMs (or died by a signal).
  std::optional<int> wait(int timeoutMs);
  void signal(int sig);
  // The signal that ended it, once wait() has seen it end; 0 when it exited.
  int endingSignal() const;
  // Everything written to standard error so far (read after the program ended).
  std::string errorOutput();
  std::string standardOutput();

 private:
  void collect(int fd, std::string& into, int timeoutMs);
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
  std::string outText_;
  std::string errText_;
  bool reaped_ = false;
  int status_ = 0;
};

// Polls done() until it holds; false when timeoutMs pass first.
bool WaitFor(const std::function<bool()>& done, int timeoutMs);

}  // namespace morvane::e2e
