// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/support_log.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace morvane {
namespace {

void PutReceived(TextOut& out, std::span<const std::uint8_t> bytes,
                 std::span<const ByteKind> kinds, std::uint8_t code, int pieces) {
  out.put("received ");
  PutReceivedText(out, bytes, kinds, code);
  if (pieces > 1) {
    out.put(" (in ");
    out.putNumber(pieces);
    out.put(" pieces)");
  }
}

}  // namespace

LogLine::LogLine(std::int64_t at, std::string text)
    : ms(at),
      text_(std::make_shared<const std::string>(std::move(text))),
      size_(static_cast<std::uint32_t>(text_->size())) {}

LogLine LogLine::Sent(std::int64_t ms, std::span<const std::uint8_t> frame) {
  if (frame.size() > kRawBytes) return LogLine(ms, "sent " + FrameText(frame));
  LogLine line;
  line.ms = ms;
  line.form_ = Form::Sent;
  line.count_ = static_cast<std::uint8_t>(frame.size());
  std::copy(frame.begin(), frame.end(), line.bytes_.begin());
  TextOut count;
  line.put(count);
  line.size_ = static_cast<std::uint32_t>(count.size());
  return line;
}

LogLine LogLine::Received(std::int64_t ms, std::span<const std::uint8_t> bytes,
                          std::span<const ByteKind> kinds, std::uint8_t code, int pieces) {
  LogLine line;
  line.ms = ms;
  line.form_ = Form::Received;
  line.code_ = code;
  line.pieces_ = pieces;
  if (bytes.size() <= kRawBytes) {
    line.count_ = static_cast<std::uint8_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), line.bytes_.begin());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      line.kinds_ |= static_cast<std::uint64_t>(kinds[i]) << (2 * i);
    }
    TextOut count;
    line.put(count);
    line.size_ = static_cast<std::uint32_t>(count.size());
    return line;
  }
  // Too long to hold: told now, in the same words.
  std::string text;
  TextOut out(text);
  PutReceived(out, bytes, kinds, code, pieces);
  return LogLine(ms, std::move(text));
}

void LogLine::put(TextOut& out) const {
  const std::span<const std::uint8_t> bytes(bytes_.data(), count_);
  switch (form_) {
    case Form::Text:
      if (text_) out.put(*text_);
      break;
    case Form::Sent:
      out.put("sent ");
      PutFrameText(out, bytes);
      break;
    case Form::Received: {
      std::array<ByteKind, kRawBytes> kinds;
      for (std::size_t i = 0; i < count_; ++i) {
        kinds[i] = static_cast<ByteKind>(kinds_ >> (2 * i) & 3);
      }
      PutReceived(out, bytes, std::span(kinds.data(), count_), code_, pieces_);
      break;
    }
  }
}

std::string LogLine::text() const {
  if (form_ == Form::Text) return text_ ? *text_ : std::string();
  std::string text;
  text.reserve(size_);
  TextOut out(text);
  put(out);
  return text;
}

void LogRing::push_back(LogLine&& line) {
  if (count_ == slots_.size()) {
    // Full: twice the room, the lines moved in order.
    std::vector<LogLine> grown(std::max<std::size_t>(64, slots_.size() * 2));
    for (std::size_t i = 0; i < count_; ++i) {
      grown[i] = std::move(slots_[(head_ + i) % slots_.size()]);
    }
    slots_ = std::move(grown);
    head_ = 0;
  }
  slots_[(head_ + count_) % slots_.size()] = std::move(line);
  ++count_;
}

void LogRing::pop_front() {
  slots_[head_].text_.reset();  // a text line's storage goes with it
  head_ = (head_ + 1) % slots_.size();
  --count_;
}

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
  add(LogLine(ms, std::move(text)));
}

void SupportLog::add(LogLine&& line) {
  flush();
  if (!lines_.empty() && line.ms < lines_.back().ms) line.ms = lines_.back().ms;
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
