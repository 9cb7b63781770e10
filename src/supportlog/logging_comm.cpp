// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/logging_comm.h"

#include <algorithm>
#include <utility>

#include "link/app_state.h"
#include "ports/link_status.h"
#include "supportlog/frame_text.h"

namespace morvane {

LoggingComm::LoggingComm(MSComm& inner, SupportLog& log, std::function<std::string(int)> device)
    : inner_(inner), log_(log), device_(std::move(device)) {
  inner_.setOnComm([this] { notified(); });
  inner_.setOnPortFailed([this] {
    closedAfterStop_ = false;
    writeHeld(true);
    log_.add(portName(inner_.commPort()) + " failed: the device went away");
    raisePortFailed();
  });
  log_.setPending([this] { writeHeld(true); });
}

LoggingComm::~LoggingComm() {
  follow(nullptr);
  writeHeld(true);
  log_.setPending({});
  inner_.setOnComm({});
  inner_.setOnPortFailed({});
}

std::string LoggingComm::portName(int n) const {
  const std::string device = device_ ? device_(n) : std::string();
  return "COM" + std::to_string(n) + (device.empty() ? "" : " (" + device + ")");
}

bool LoggingComm::setPortOpen(bool open) {
  const bool wasOpen = inner_.portOpen();
  const bool ok = inner_.setPortOpen(open);
  const int n = inner_.commPort();
  if (open && ok && !wasOpen) {
    log_.add(portName(n) + " opened");
  } else if (open && !ok) {
    failedOpen(n, FailureReason(inner_.openFailure()));
  } else if (!open && wasOpen && !inner_.portOpen()) {
    const Attempt& a = attempt_;
    // The stop frame written right before a close gets no reply read: the close follows.
    closedAfterStop_ =
        a.frameSize == 4 && a.frame[2] == CMD_SET_THROTTLE && a.frame[3] == 0 && !a.complete;
    log_.add(portName(n) + " closed");
  }
  return ok;
}

// Ports in a row that fail for the same reason (the scan at start-up) share one line.
void LoggingComm::failedOpen(int n, std::string reason) {
  if (!failed_.text.empty() && reason == failed_.reason && n == failed_.last + 1) {
    failed_.last = n;
    failed_.text = "COM" + std::to_string(failed_.first) + " to COM" + std::to_string(n) +
                   " did not open: " + reason;
    return;
  }
  writeHeld(true);
  failed_ = {portName(n) + " did not open: " + reason, std::move(reason), n, n,
             log_.clock().elapsedMs()};
}

void LoggingComm::follow(Link* link) {
  frames_.reset();
  bytes_.reset();
  drops_.reset();
  if (link == nullptr) return;
  frames_ = link->frameWritten.subscribe(
      [this](std::span<const std::uint8_t> frame) { written(frame); });
  bytes_ = link->byteRead.subscribe([this](const ByteRead& read) {
    take(read.byte, read.kind);
    if (read.replyComplete) attempt_.complete = true;
  });
  drops_ = link->bytesDropped.subscribe([this](const BytesDropped& d) { dropped(d); });
}

void LoggingComm::take(std::uint8_t b, Kind kind) {
  if (received_.bytes.empty()) receivedMs_ = log_.clock().elapsedMs();
  // Each notification that brings bytes of the line is a piece of it.
  if (received_.bytes.empty() || piece_ != notification_) {
    ++received_.pieces;
    piece_ = notification_;
  }
  received_.kinds.push_back(kind);
  received_.bytes.push_back(b);
}

LogLine LoggingComm::receivedLine(const Received& received, std::int64_t ms,
                                  std::uint8_t code) {
  return LogLine::Received(ms, received.bytes, received.kinds, code, received.pieces);
}

void LoggingComm::writeFold(Fold fold) {
  if (fold.count == 0) return;
  if (fold.count == 1) {
    // One alone reads best as it came.
    log_.add(LogLine::Sent(fold.firstMs,
                           std::array<std::uint8_t, 3>{kFrameByte0, kFrameByte1, CMD_PING}));
    log_.add(receivedLine(lastPing_, fold.firstReplyMs, CMD_PING));
    return;
  }
  std::string text = "PING answered " + std::to_string(fold.count) + " times, " +
                     log_.timeOfDay(fold.firstMs) + " to " + log_.timeOfDay(fold.lastMs) +
                     ", replies " + std::to_string(fold.fastestMs);
  if (fold.slowestMs != fold.fastestMs) text += " to " + std::to_string(fold.slowestMs);
  log_.add(std::move(text) + " ms", fold.firstMs);
}

void LoggingComm::writeHeld(bool fold) {
  // Nothing held: the common case, once per frame and per reply.
  if (!pingHeld_ && failed_.text.empty() && dropped_.empty() && received_.bytes.empty() &&
      (!fold || fold_.count == 0)) {
    return;
  }
  const bool ping = std::exchange(pingHeld_, false);
  std::string failed = std::exchange(failed_.text, {});
  std::string dropped = std::exchange(dropped_, {});
  const bool receivedAny = !received_.bytes.empty();
  LogLine received;
  if (receivedAny) received = receivedLine(received_, receivedMs_, attemptCode());
  received_.clear();
  // A ping whose reply is told apart, or never came, is no longer the one to compare with.
  if (ping) lastPingKnown_ = false;
  // Taken before anything is written: each line written asks for what is held first.
  writeFold(std::exchange(fold_, {}));
  if (ping) {
    log_.add(LogLine::Sent(pingMs_, std::span(attempt_.frame).first(attempt_.frameSize)));
  }
  if (!failed.empty()) log_.add(std::move(failed), failed_.ms);
  if (!dropped.empty()) log_.add(std::move(dropped));
  if (receivedAny) log_.add(std::move(received));
}

// A ping answered as the one before is counted; anything else is written as it came.
void LoggingComm::exchangeDone() {
  if (!pingHeld_) {
    writeHeld(false);
    return;
  }
  if (!lastPingKnown_ || received_ != lastPing_) {
    // Written in full, after the pings counted before, which read as the old reply; this one is
    // the reply the next are compared with.
    nextPing_ = received_;
    writeHeld(false);
    std::swap(lastPing_, nextPing_);
    lastPingKnown_ = true;
    return;
  }
  const std::int64_t now = log_.clock().elapsedMs();
  const std::int64_t sent = pingMs_;
  const std::int64_t replied = receivedMs_;
  pingHeld_ = false;
  received_.clear();
  if (fold_.count > 0 && sent - fold_.firstMs >= kFoldMs) writeFold(std::exchange(fold_, {}));
  const std::int64_t took = now - sent;
  if (fold_.count == 0) fold_ = {0, sent, replied, now, took, took};
  ++fold_.count;
  fold_.lastMs = now;
  fold_.fastestMs = std::min(fold_.fastestMs, took);
  fold_.slowestMs = std::max(fold_.slowestMs, took);
}

// A reply that comes in pieces is one line, told when it is complete or when anything else
// happens, stamped with the time its first byte was read.
void LoggingComm::notified() {
  ++notification_;
  ++notifying_;
  raiseOnComm();
  --notifying_;
  if (notifying_ == 0 && attempt_.complete) exchangeDone();
}

// What is dropped is told after the frame that follows, which must not wait for the log.
void LoggingComm::dropped(const BytesDropped& d) {
  writeHeld(false);
  for (std::size_t i = 0; i < d.bytes.size(); ++i) take(d.bytes[i], d.kinds[i]);
  std::string text = "dropped unread: " + ReceivedText(received_.bytes, received_.kinds, d.command);
  if (d.more > 0) text += " and " + std::to_string(d.more) + " bytes more";
  received_.clear();
  dropped_ = std::move(text);
}

void LoggingComm::written(std::span<const std::uint8_t> bytes) {
  // A frame that dropped bytes unread is told with them, whatever its reply.
  if (!dropped_.empty()) lastPingKnown_ = false;
  writeHeld(false);
  if (beforeFrameLine_) beforeFrameLine_();
  attempt_ = Attempt{};
  attempt_.frameSize = std::min(bytes.size(), attempt_.frame.size());
  std::copy_n(bytes.begin(), attempt_.frameSize, attempt_.frame.begin());
  attempt_.complete = false;
  if (bytes.size() == 3 && bytes[0] == kFrameByte0 && bytes[1] == kFrameByte1 &&
      bytes[2] == CMD_PING) {
    // Written once its reply is seen to differ, or none comes in time.
    pingHeld_ = true;
    pingMs_ = log_.clock().elapsedMs();
    return;
  }
  log_.add(LogLine::Sent(log_.clock().elapsedMs(), bytes));
}

}  // namespace morvane
