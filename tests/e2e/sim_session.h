// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc-sim started for one test in a directory of its own, with a symlink to its
// pseudo-terminal and its traffic log there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "temp_dir.h"

namespace morvane::e2e {

class SimSession {
 public:
  explicit SimSession(const std::vector<std::string>& options = {});
  // A simulator that takes over the link of an earlier one, as a re-plugged adapter does.
  SimSession(const std::vector<std::string>& options, const std::string& link);
  ~SimSession();
  SimSession(const SimSession&) = delete;
  SimSession& operator=(const SimSession&) = delete;

  // True once the simulator reported its device.
  bool ready() const { return !device_.empty(); }
  const std::string& link() const { return link_; }
  const std::string& dir() const { return dir_; }
  ChildProcess& process() { return *process_; }

  // The frames in the log, as hex bytes ("41 53 02 00"), in order.
  std::vector<std::string> frames() const;
  // The pieces of replies sent, as hex bytes, in order.
  std::vector<std::string> replies() const;
  // Frames that start with the given hex bytes.
  std::vector<std::string> framesStartingWith(const std::string& prefix) const;

 private:
  void start(const std::vector<std::string>& options);

  test::TempDir temp_{"morvane-e2e"};  // goes after the simulator
  std::string dir_;
  std::string link_;
  std::string log_;
  std::string device_;
  std::unique_ptr<ChildProcess> process_;
};

// Every path a test needs, from the build.
std::string SimProgram();
std::string ConfigProgram();

}  // namespace morvane::e2e
