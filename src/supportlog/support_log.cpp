// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/support_log.h"

#include <cstdio>
#include <utility>

namespace morvane {

SupportLog::SupportLog(const Clock& clock, LogLimits limits) : clock_(clock), limits_(limits) {}

void SupportLog::add(std::string text) {
  add(std::move(text), clock_.elapsedMs());
}

void SupportLog::flush() {
  if (!pending_ || flushing_) return;
  flushing_ = true;
  pending_();
  flushing_ = false;
}

std::string SupportLog::timeOfDay(std::int64_t ms) const {
  if (timeOfDay_) return timeOfDay_(ms);
  const std::int64_t s = ms / 1000;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(s / 3600 % 24),
                static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
  return text;
}

void SupportLog::add(std::string text, std::int64_t ms) {
  flush();
  if (!lines_.empty() && ms < lines_.back().ms) ms = lines_.back().ms;
  LogLine line{ms, std::move(text)};
  bytes_ += SavedSize(line);
  lines_.push_back(std::move(line));
  const LogLine& added = lines_.back();
  // The newest line always stays, however long.
  while (lines_.size() > 1 &&
         (added.ms - lines_.front().ms > limits_.keepMs || bytes_ > limits_.keepBytes)) {
    bytes_ -= SavedSize(lines_.front());
    lines_.pop_front();
  }
  if (sink_) sink_(added);
}

}  // namespace morvane
