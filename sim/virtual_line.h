// SPDX-License-Identifier: GPL-3.0-or-later
// A virtual serial line for the core: up to 16 numbered ports, each absent, present
// with nothing attached, or wired to a simulated ESC. Bytes take their wire time
// (10 bits at 38400 baud) in each direction; the line may echo every frame.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "sim/esc_model.h"
#include "link/seams.h"
#include "sim/reply_faults.h"
#include "sim/virtual_clock.h"

namespace morvane::sim {

class VirtualSerialLine : public MSComm {
 public:
  using Shaper = std::function<std::vector<ReplyChunk>(const std::vector<std::uint8_t>& reply)>;

  explicit VirtualSerialLine(VirtualClock& clock);

  // Ports. A port that is not added does not exist: opening it fails.
  void addPort(int n);
  void attachEsc(int n, EscModel& esc);
  void detachEsc(int n);
  void removePort(int n);
  // A present port that refuses to open, for this reason.
  void refuseOpen(int n, OpenFailure why);
  // The open device fails now (an adapter pulled out): the port closes at once.
  void unplug();

  void setEcho(bool on) { echo_ = on; }
  void setFaults(const FaultOptions& options);
  void setShaper(Shaper shaper) { shaper_ = std::move(shaper); }
  // Bytes that turn up on the open port, one byte time apart, starting now.
  void inject(const std::vector<std::uint8_t>& bytes);

  struct Write {
    Ticks at;
    int port;
    std::vector<std::uint8_t> bytes;
  };
  const std::vector<Write>& writes() const { return writes_; }
  void clearWrites() { writes_.clear(); }
  void setRecording(bool on) { recording_ = on; }
  std::uint64_t notifications() const { return notifications_; }
  int openAttempts(int n) const;

  // MSComm
  void setCommPort(int n) override {
    if (!open_) commPort_ = n;  // the number of an open port does not change
  }
  int commPort() const override { return commPort_; }
  bool setPortOpen(bool open) override;
  bool portOpen() const override { return open_; }
  OpenFailure openFailure() const override { return lastFailure_; }
  void setOutBufferCount(int n) override;
  void setInBufferCount(int n) override;
  int inBufferCount() const override { return static_cast<int>(in_.size()); }
  std::uint8_t input() override;
  void setOutput(std::span<const std::uint8_t> bytes) override;
  void drainOutput(int timeoutMs) override;
  void setRThreshold(int n) override { rThreshold_ = n; }
  int rThreshold() const override { return rThreshold_; }
  int commEvent() const override { return comEvReceive; }

  static constexpr std::size_t kInBufferSize = 1024;

 private:
  struct Port {
    bool present = false;
    EscModel* esc = nullptr;
    int openAttempts = 0;
    OpenFailure refusal;
  };
  struct TxByte {
    VirtualClock::EventId event;
    std::uint8_t byte;
  };

  void transmitted(std::uint8_t b);
  void arrive(std::uint8_t b);
  void sendReply(const std::vector<std::uint8_t>& reply);
  Port* openDevice();

  VirtualClock& clock_;
  std::map<int, Port> ports_;
  int commPort_ = 0;
  bool open_ = false;
  OpenFailure lastFailure_;
  int openNumber_ = 0;
  std::uint64_t generation_ = 0;  // bumped on open and close: bytes in flight die with it
  std::deque<std::uint8_t> in_;
  std::deque<TxByte> tx_;
  Ticks txFreeAt_ = 0;
  Ticks rxFreeAt_ = 0;
  int rThreshold_ = 0;
  VirtualClock::EventId notifyEvent_ = 0;
  bool echo_ = false;
  ReplyFaults faults_;
  Shaper shaper_;
  bool recording_ = true;
  std::vector<Write> writes_;
  std::uint64_t notifications_ = 0;
};

}  // namespace morvane::sim
