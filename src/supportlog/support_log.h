// SPDX-License-Identifier: GPL-3.0-or-later
// The support log: one line per event, stamped with the window's clock. The last lines are
// kept in memory, bounded by age and size; a sink (the --log file) may take each line too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "link/link.h"
#include "link/seams.h"
#include "supportlog/frame_text.h"
#include "supportlog/line_end.h"

namespace morvane {

// A line as it happened. The frequent ones, a frame sent and a run of bytes received, keep
// their bytes and are told in words only when read: a poll's two lines cost no formatting and
// no allocation. Anything else is kept as its text.
class LogLine {
 public:
  // Bytes a raw line holds (an echo and its reply take 8 at most); longer runs, strays on a
  // noisy line, are kept as text.
  static constexpr std::size_t kRawBytes = 24;

  LogLine() = default;
  LogLine(std::int64_t ms, std::string text);
  // "sent " and the frame in words.
  static LogLine Sent(std::int64_t ms, std::span<const std::uint8_t> frame);
  // "received " and the runs in words, a reply named by `code`, and " (in N pieces)" when the
  // bytes came with more than one notification.
  static LogLine Received(std::int64_t ms, std::span<const std::uint8_t> bytes,
                          std::span<const ByteKind> kinds, std::uint8_t code, int pieces);

  // The line in words, as saved after its stamp.
  std::string text() const;
  // Its length, known without building it.
  std::size_t textSize() const { return size_; }

  std::int64_t ms = 0;  // the clock's time

 private:
  friend class LogRing;
  enum class Form : std::uint8_t { Text, Sent, Received };
  void put(TextOut& out) const;

  // 72 bytes on a 64-bit machine, near what a line of text took with its heap block: ten
  // minutes of a motor run weigh about what they did.
  std::shared_ptr<const std::string> text_;  // a text line's words, shared by copies
  std::uint64_t kinds_ = 0;                   // two bits a byte
  std::uint32_t size_ = 0;
  std::int32_t pieces_ = 0;
  Form form_ = Form::Text;
  std::uint8_t count_ = 0;  // bytes_ used
  std::uint8_t code_ = 0;
  std::array<std::uint8_t, kRawBytes> bytes_{};
};

// Width of a line's time stamp as saved, "2026-12-07T16:45:00.123Z", and the space after.
inline constexpr std::size_t kStampChars = 24;
// What a line takes in a saved log: stamp, space, text, the system's line end.
inline std::size_t SavedSize(const LogLine& line) {
  return kStampChars + 1 + line.textSize() + TextLineEnd().size();
}

// The kept lines, oldest first, in storage that grows to the most lines ever kept and is then
// reused: a line added to a full log takes the slot of the one dropped.
class LogRing {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = LogLine;
    using difference_type = std::ptrdiff_t;
    using pointer = const LogLine*;
    using reference = const LogLine&;
    const_iterator() = default;
    const_iterator(const LogRing* ring, std::size_t at) : ring_(ring), at_(at) {}
    reference operator*() const { return (*ring_)[at_]; }
    pointer operator->() const { return &(*ring_)[at_]; }
    const_iterator& operator++() {
      ++at_;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator was = *this;
      ++at_;
      return was;
    }
    bool operator==(const const_iterator& other) const { return at_ == other.at_; }

   private:
    const LogRing* ring_ = nullptr;
    std::size_t at_ = 0;
  };

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const LogLine& operator[](std::size_t i) const { return slots_[(head_ + i) % slots_.size()]; }
  const LogLine& front() const { return (*this)[0]; }
  const LogLine& back() const { return (*this)[count_ - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, count_}; }

  void push_back(LogLine&& line);
  void pop_front();

 private:
  std::vector<LogLine> slots_;
  std::size_t head_ = 0;
  std::size_t count_ = 0;
};

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
  // A line with its time (LogLine::Sent, Received): the same, never earlier than the line
  // before.
  void add(LogLine&& line);

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

  const LogRing& lines() const { return lines_; }
  std::size_t bytes() const { return bytes_; }
  const Clock& clock() const { return clock_; }

 private:
  const Clock& clock_;
  LogLimits limits_;
  LogRing lines_;
  std::size_t bytes_ = 0;
  std::function<void(const LogLine&)> sink_;
  std::function<void()> pending_;
  std::function<std::string(std::int64_t)> timeOfDay_;
  bool flushing_ = false;
};

}  // namespace morvane
