// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame_log.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <utility>

namespace morvane::sim {

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (std::uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 0xF];
  }
  return text;
}

std::string DescribeCommand(const std::vector<std::uint8_t>& command) {
  if (command.empty()) return "empty";
  auto arg = [&](std::size_t i) { return std::to_string(command.size() > i ? command[i] : 0); };
  switch (command[0]) {
    case 0:
      return "ping";
    case 1:
      return "get version";
    case 2:
      return "read param " + arg(1);
    case 3:
      return "write param " + arg(1) + " = " + arg(2);
    case 4:
      return "set throttle " + arg(1);
    case 5:
      return "get speed";
    default:
      return "unknown command " + arg(0);
  }
}

FrameLog::~FrameLog() {
  if (file_ != nullptr) std::fclose(file_);
}

std::string FrameLog::open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "w");
  if (file_ == nullptr) return "cannot write the log " + path + ": " + std::strerror(errno);
  path_ = path;
  return {};
}

bool FrameLog::close() {
  if (file_ != nullptr && std::fclose(file_) != 0) lost(errno);
  file_ = nullptr;
  return !lost_;
}

void FrameLog::lost(int error) {
  if (lost_) return;
  lost_ = true;
  if (report_) {
    report_("cannot write the log " + path_ + ": " + std::strerror(error) +
            "; its lines are lost, the ESC goes on answering");
  }
}

void FrameLog::frame(const std::vector<std::uint8_t>& command) {
  std::vector<std::uint8_t> wire = {0x41, 0x53};
  wire.insert(wire.end(), command.begin(), command.end());
  line("frame", HexBytes(wire) + "  (" + DescribeCommand(command) + ")");
}

void FrameLog::reply(const std::vector<std::uint8_t>& bytes) {
  line("reply", HexBytes(bytes));
}

void FrameLog::note(const std::string& text) {
  line("note ", text);
}

void FrameLog::line(const std::string& kind, const std::string& text) {
  if (file_ == nullptr) return;
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  ::localtime_r(&seconds, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
  // Readers follow the log while the simulator runs: each line goes out at once.
  if (std::fprintf(file_, "%s.%03lld %s %s\n", stamp, static_cast<long long>(ms), kind.c_str(),
                   text.c_str()) < 0 ||
      std::fflush(file_) != 0) {
    lost(errno);
  }
}

}  // namespace morvane::sim
