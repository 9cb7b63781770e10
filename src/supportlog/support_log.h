// SPDX-License-Identifier: GPL-3.0-or-later
// The support log: one line per event, stamped with the window's clock. The last lines are
// kept in memory, bounded by age and size; a sink (the --log file) may take each line too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "link/seams.h"

namespace morvane {

struct LogLine {
  std::int64_t ms = 0;  // the clock's time
  std::string text;
};

// Width of a line's time stamp as saved, "2026-12-07T16:45:00.123Z", and the space after.
inline constexpr std::size_t kStampChars = 24;
// What a line takes in a saved log: stamp, space, text, newline.
inline std::size_t SavedSize(const LogLine& line) {
  return kStampChars + 1 + line.text.size() + 1;
}

struct LogLimits {
  std::int64_t keepMs = 10 * 60 * 1000;
  std::size_t keepBytes = 1024 * 1024;
};

class SupportLog {
 public:
  explicit SupportLog(const Clock& clock, LogLimits limits = {});
  SupportLog(const SupportLog&) = delete;
  SupportLog& operator=(const SupportLog&) = delete;

  // Stamps the line now, keeps it and hands it to the sink. Older lines go when they are
  // past the age or the size limit: trimmed here, so an idle log costs nothing.
  void add(std::string text);
  // A line that was held back, stamped when it began. Never earlier than the line before.
  void add(std::string text, std::int64_t ms);

  // Each line as it is added; none to stop.
  void setSink(std::function<void(const LogLine&)> sink) { sink_ = std::move(sink); }
  // A writer holding a line it has not finished (bytes still arriving) writes it first, so
  // lines keep the order things happened in.
  void setPending(std::function<void()> flush) { pending_ = std::move(flush); }
  // Has a held line written now: before the lines are saved.
  void flush();

  // "12:03:41": the time of day at a time of the clock, for lines that tell a stretch of
  // time. The shell gives the wall clock's (UTC, as the stamps); without it the clock's own
  // time is counted from midnight.
  void setTimeOfDay(std::function<std::string(std::int64_t ms)> fn) { timeOfDay_ = std::move(fn); }
  std::string timeOfDay(std::int64_t ms) const;

  const std::deque<LogLine>& lines() const { return lines_; }
  std::size_t bytes() const { return bytes_; }
  const Clock& clock() const { return clock_; }

 private:
  const Clock& clock_;
  LogLimits limits_;
  std::deque<LogLine> lines_;
  std::size_t bytes_ = 0;
  std::function<void(const LogLine&)> sink_;
  std::function<void()> pending_;
  std::function<std::string(std::int64_t)> timeOfDay_;
  bool flushing_ = false;
};

}  // namespace morvane
