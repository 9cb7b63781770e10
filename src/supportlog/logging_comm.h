// SPDX-License-Identifier: GPL-3.0-or-later
// The support log's tap on the serial port: an MSComm that forwards every call to the real
// one and tells the port's story (opened, closed, failed), and a listener to the link that
// tells its traffic as the link read it. Frames are recorded after they are written, so a log
// never delays one; received bytes are grouped by the notification that brought them, each
// run named as the link took it: the echo, the reply to its command, or stray.
// Idle pings answered as the one before are counted, not written: one line tells them when
// anything else happens, and at least once a minute.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/link.h"
#include "link/seams.h"
#include "supportlog/support_log.h"

namespace morvane {

class LoggingComm : public MSComm {
 public:
  // `device` tells what stands behind a port number ("/dev/ttyUSB0"); "" when nothing.
  LoggingComm(MSComm& inner, SupportLog& log, std::function<std::string(int port)> device = {});
  ~LoggingComm() override;
  LoggingComm(const LoggingComm&) = delete;
  LoggingComm& operator=(const LoggingComm&) = delete;

  void setCommPort(int n) override { inner_.setCommPort(n); }
  int commPort() const override { return inner_.commPort(); }
  bool setPortOpen(bool open) override;
  bool portOpen() const override { return inner_.portOpen(); }
  OpenFailure openFailure() const override { return inner_.openFailure(); }
  void setScanning(bool scanning) override { inner_.setScanning(scanning); }
  void setOutBufferCount(int n) override { inner_.setOutBufferCount(n); }
  void setInBufferCount(int n) override { inner_.setInBufferCount(n); }
  int inBufferCount() const override { return inner_.inBufferCount(); }
  std::uint8_t input() override { return inner_.input(); }
  void setOutput(std::span<const std::uint8_t> bytes) override { inner_.setOutput(bytes); }
  void drainOutput(int timeoutMs) override { inner_.drainOutput(timeoutMs); }
  void setRThreshold(int n) override { inner_.setRThreshold(n); }
  int rThreshold() const override { return inner_.rThreshold(); }
  int commEvent() const override { return inner_.commEvent(); }

  // The link that works this port, whose traffic is told; none to stop listening.
  void follow(Link* link);

  // What the window's log reads to tell why things happen.
  // Inside a receive notification: what changes now, the ESC's reply changed.
  bool inNotification() const { return notifying_ > 0; }
  // The port's last close came right after a throttle-0 frame, before its reply.
  bool closedAfterStop() const { return closedAfterStop_; }
  // Called after a frame is written and before it is recorded.
  void setBeforeFrameLine(std::function<void()> fn) { beforeFrameLine_ = std::move(fn); }

  // Pings answered alike are told at least this often.
  static constexpr std::int64_t kFoldMs = 60'000;

 private:
  using Kind = ByteKind;
  // The frame last written and whether the link has read its whole reply.
  struct Attempt {
    std::array<std::uint8_t, 8> frame{};
    std::size_t frameSize = 0;
    bool complete = true;  // before the first frame everything is stray
  };
  // Bytes read for one line, each with its kind. Cleared, never freed: reading allocates
  // nothing once the buffers have grown.
  struct Received {
    std::vector<std::uint8_t> bytes;
    std::vector<Kind> kinds;
    int pieces = 0;  // notifications that brought them
    bool operator==(const Received&) const = default;
    void clear() {
      bytes.clear();
      kinds.clear();
      pieces = 0;
    }
  };
  // Ping exchanges answered as the one before: counted, told as one line.
  struct Fold {
    int count = 0;
    std::int64_t firstMs = 0;  // the first ping sent
    std::int64_t firstReplyMs = 0;
    std::int64_t lastMs = 0;  // the last reply complete
    std::int64_t fastestMs = 0;
    std::int64_t slowestMs = 0;
  };
  struct FailedOpens {
    std::string text;
    std::string reason;
    int first = 0;
    int last = 0;
    std::int64_t ms = 0;
  };

  void take(std::uint8_t b, Kind kind);
  void written(std::span<const std::uint8_t> bytes);
  void dropped(const BytesDropped& dropped);
  static LogLine receivedLine(const Received& received, std::int64_t ms, std::uint8_t code);
  std::uint8_t attemptCode() const { return attempt_.frameSize > 2 ? attempt_.frame[2] : 0; }
  // Writes what is held back: the pings counted, the ping whose outcome is not known yet, the
  // ports that failed, the bytes dropped and those received. The counted pings only with
  // something else unless `fold` says so.
  void writeHeld(bool fold);
  void writeFold(Fold fold);
  void exchangeDone();
  void notified();
  void failedOpen(int n, std::string reason);
  std::string portName(int n) const;

  MSComm& inner_;
  SupportLog& log_;
  std::function<std::string(int)> device_;
  std::function<void()> beforeFrameLine_;
  Attempt attempt_;
  Received received_;
  std::int64_t receivedMs_ = 0;     // the first byte of received_
  std::uint64_t notification_ = 0;  // notifications, ever
  std::uint64_t piece_ = 0;         // the one that brought received_'s last byte
  bool pingHeld_ = false;           // a ping sent, its line not written: its reply may be counted
  std::int64_t pingMs_ = 0;
  Received lastPing_;           // the reply to the last ping, as it came
  Received nextPing_;           // the one that takes its place
  bool lastPingKnown_ = false;  // false after a ping got no whole reply
  Fold fold_;
  FailedOpens failed_;   // the line of ports that did not open, until something else happens
  std::string dropped_;  // the line of bytes dropped unread, until the next frame is out
  int notifying_ = 0;
  bool closedAfterStop_ = false;
  CallbackList<std::span<const std::uint8_t>>::Subscription frames_;
  CallbackList<const ByteRead&>::Subscription bytes_;
  CallbackList<const BytesDropped&>::Subscription drops_;
};

}  // namespace morvane
