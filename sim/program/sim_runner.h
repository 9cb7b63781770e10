// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the ESC model on the pseudo-terminal in real time: frames in, replies out after
// their latency, shaped by the fault options. Sleeps in ppoll between events.
#pragma once

#include <signal.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "sim/esc_model.h"
#include "frame_log.h"
#include "sim/reply_faults.h"
#include "sim_options.h"

namespace morvane::sim {

class SimRunner {
 public:
  // standFd: the thrust stand's terminal, -1 for none.
  SimRunner(const SimOptions& options, int fd, FrameLog& log, int standFd = -1);

  // Serves the line until stop becomes non-zero. Signals are delivered only while waiting,
  // with waitMask in force, so none is lost between the check and the wait.
  void run(const sigset_t& waitMask, const volatile std::sig_atomic_t& stop);

 private:
  struct Pending {
    double dueMs;
    std::vector<std::uint8_t> bytes;
  };

  double nowMs() const;
  void received(const std::uint8_t* bytes, std::size_t n);
  void sendDue();
  void write(const std::vector<std::uint8_t>& bytes);
  void sendStandDue();

  int fd_;
  FrameLog& log_;
  bool echo_;
  EscModel esc_;
  ReplyFaults faults_;
  std::chrono::steady_clock::time_point start_;
  std::deque<Pending> pending_;
  double lineFreeMs_ = 0;
  double lastByteMs_ = 0;
  int standFd_;
  std::optional<ThrustStandModel> stand_;
  double standDueMs_ = 0;
};

}  // namespace morvane::sim
