// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/logging_comm.h"

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
    flushReceived();
    log_.add(portName(inner_.commPort()) + " failed: the device went away");
    raisePortFailed();
  });
  log_.setPending([this] { flushReceived(); });
}

LoggingComm::~LoggingComm() {
  flushReceived();
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
    const auto& f = attempt_.frame;
    // The stop frame written right before a close gets no reply read: the close follows.
    closedAfterStop_ = f.size() == 4 && f[2] == CMD_SET_THROTTLE && f[3] == 0 && !attempt_.complete;
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
  flushReceived();
  failed_ = {portName(n) + " did not open: " + reason, std::move(reason), n, n,
             log_.clock().elapsedMs()};
}

LoggingComm::Kind LoggingComm::classify(std::uint8_t b) {
  // The link's own reading of an attempt: an echo of the frame if the first byte is 'A',
  // then a reply from 'Y' on, as long as the command's reply.
  Attempt& a = attempt_;
  if (a.complete) return Kind::Stray;
  ++a.count;
  if (a.count == 1) a.echo = (b == kFrameByte0);
  if (a.echo) {
    if (a.count == static_cast<int>(a.frame.size())) a.echo = false;
    return Kind::Echo;
  }
  if (!a.replyStarted) {
    a.replyStarted = (b == kReplyStart);
    a.replyCount = 0;
    if (!a.replyStarted) return Kind::Stray;
  }
  if (++a.replyCount >= a.replyLength) a.complete = true;
  return Kind::Reply;
}

void LoggingComm::take(std::uint8_t b) {
  if (runs_.empty()) receivedMs_ = log_.clock().elapsedMs();
  ++taken_;
  const Kind kind = classify(b);
  if (runs_.empty() || runs_.back().kind != kind) runs_.push_back({kind, {}});
  runs_.back().bytes.push_back(b);
}

std::string LoggingComm::runsText() const {
  std::string text;
  for (const Run& run : runs_) {
    if (!text.empty()) text += ", ";
    switch (run.kind) {
      case Kind::Echo:
        text += "echo ";
        break;
      case Kind::Reply:
        text += "reply to " + CommandName(attempt_.frame.size() > 2 ? attempt_.frame[2] : 0) + ' ';
        break;
      case Kind::Stray:
        text += "stray ";
        break;
    }
    text += HexBytes(run.bytes);
  }
  return text;
}

void LoggingComm::flushReceived() {
  std::string failed = std::exchange(failed_.text, {});
  std::string dropped = std::exchange(dropped_, {});
  std::string received;
  if (!runs_.empty()) {
    received = "received " + runsText();
    if (pieces_ > 1) received += " (in " + std::to_string(pieces_) + " pieces)";
  }
  runs_.clear();
  pieces_ = 0;
  if (!failed.empty()) log_.add(std::move(failed), failed_.ms);
  if (!dropped.empty()) log_.add(std::move(dropped));
  if (!received.empty()) log_.add(std::move(received), receivedMs_);
}

std::uint8_t LoggingComm::input() {
  const std::uint8_t b = inner_.input();
  take(b);
  return b;
}

// A reply that comes in pieces is one line, told when it is complete or when anything else
// happens, stamped with the time its first byte was read.
void LoggingComm::notified() {
  const std::uint64_t before = taken_;
  ++notifying_;
  raiseOnComm();
  --notifying_;
  if (taken_ != before) ++pieces_;
  if (notifying_ == 0 && attempt_.complete) flushReceived();
}

// What is dropped is told after the frame that follows, which must not wait for the log.
void LoggingComm::setInBufferCount(int n) {
  flushReceived();
  int shown = 0;
  while (shown < kDroppedShown && inner_.portOpen() && inner_.inBufferCount() > 0) {
    take(inner_.input());
    ++shown;
  }
  const int more = inner_.inBufferCount();
  inner_.setInBufferCount(n);
  if (runs_.empty()) return;
  std::string text = "dropped unread: " + runsText();
  if (more > 0) text += " and " + std::to_string(more) + " bytes more";
  runs_.clear();
  dropped_ = std::move(text);
}

void LoggingComm::setOutput(std::span<const std::uint8_t> bytes) {
  // On the wire first: the log comes after.
  inner_.setOutput(bytes);
  flushReceived();
  if (beforeFrameLine_) beforeFrameLine_();
  attempt_ = Attempt{};
  attempt_.frame.assign(bytes.begin(), bytes.end());
  attempt_.replyLength = bytes.size() > 2 ? ReplyLength(bytes[2]) : 1;
  attempt_.complete = false;
  log_.add("sent " + FrameText(bytes));
}

}  // namespace morvane
