// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's traffic log: one line per frame received and per reply sent, with the
// wall-clock time, for a person reading along (and for tests that check the wire).
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace morvane::sim {

// "41 53 04 00"
std::string HexBytes(const std::vector<std::uint8_t>& bytes);
// What a frame's command bytes ask for, e.g. "set throttle 0".
std::string DescribeCommand(const std::vector<std::uint8_t>& command);

// A line that cannot be written is lost, not the simulator: the first loss is reported,
// and the run goes on.
class FrameLog {
 public:
  explicit FrameLog(std::function<void(const std::string& error)> report = {})
      : report_(std::move(report)) {}
  ~FrameLog();
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  // Returns an error text, empty on success. Without a log every call below does nothing.
  std::string open(const std::string& path);
  // Closes the log; false when any line was lost.
  bool close();

  void frame(const std::vector<std::uint8_t>& command);
  void reply(const std::vector<std::uint8_t>& bytes);
  void note(const std::string& text);

 private:
  void line(const std::string& kind, const std::string& text);
  void lost(int error);
  std::function<void(const std::string& error)> report_;
  std::FILE* file_ = nullptr;
  std::string path_;
  bool lost_ = false;
};

}  // namespace morvane::sim
