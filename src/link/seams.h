// SPDX-License-Identifier: GPL-3.0-or-later
// The core's only contact with the outside world: the serial port, the two timers,
// the event pump and the program version. The shell implements them on Qt; the
// simulator implements them on a virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace morvane {

// Why an open failed, as the port layer tells it; the window puts it into words.
struct OpenFailure {
  enum class Kind { None, PermissionDenied, InUse, Gone, NotSerial, Other };
  Kind kind = Kind::None;
  // PermissionDenied: the group that may open the device, if known. InUse: the program that
  // holds it, if known. NotSerial: what it is instead ("a regular file"). Gone, Other: the
  // system's own message, in English.
  std::string detail;
  // Gone, Other: the system's error number behind the detail, for its words in the window's
  // language; 0 where the detail is not the system's.
  int error = 0;
  // InUse: the programs seen holding it, the lock's holder first, for a remedy that fits
  // them (ModemManager and brltty need other steps than closing a terminal) and for the
  // detail in the window's language; and how many more were seen than are named.
  struct Holder {
    std::string name;
    int pid = 0;
    bool guessed = false;  // seen only by a name, not holding the device itself
  };
  std::vector<Holder> holders{};
  std::size_t moreHolders = 0;
};

// The serial-port control. Failures are values: an open that fails returns false and
// leaves portOpen() false.
class MSComm {
 public:
  virtual ~MSComm() = default;

  virtual void setCommPort(int n) = 0;  // 1..16, only while closed
  virtual int commPort() const = 0;
  virtual bool setPortOpen(bool open) = 0;  // false when the open failed
  virtual bool portOpen() const = 0;
  // Why the last open failed.
  virtual OpenFailure openFailure() const { return {OpenFailure::Kind::Other, {}}; }
  // Set around the start-up scan: an open then only has to tell whether the port would open,
  // for it is closed again at once and nothing is sent. A port may answer that more cheaply.
  virtual void setScanning(bool) {}

  virtual void setOutBufferCount(int n) = 0;  // only 0: drop bytes not yet transmitted
  virtual void setInBufferCount(int n) = 0;   // only 0: drop bytes received and not read
  virtual int inBufferCount() const = 0;
  virtual std::uint8_t input() = 0;  // removes one received byte; call only when one waits
  virtual void setOutput(std::span<const std::uint8_t> bytes) = 0;  // one write
  // Waits, at most timeoutMs, for written bytes to leave the port. Used only right
  // before a close, so a last frame is not lost with the port.
  virtual void drainOutput(int timeoutMs) = 0;

  virtual void setRThreshold(int n) = 0;  // 1: notify on every received byte; 0: never
  virtual int rThreshold() const = 0;
  virtual int commEvent() const = 0;  // 2: bytes received

  static constexpr int comEvReceive = 2;

  // OnComm, raised on the window's thread.
  void setOnComm(std::function<void()> handler) { onComm_ = std::move(handler); }
  // Raised when the open device fails for good (an adapter pulled out).
  void setOnPortFailed(std::function<void()> handler) { onPortFailed_ = std::move(handler); }

 protected:
  void raiseOnComm() {
    if (onComm_) onComm_();
  }
  void raisePortFailed() {
    if (onPortFailed_) onPortFailed_();
  }

 private:
  std::function<void()> onComm_;
  std::function<void()> onPortFailed_;
};

// A one-shot timer as the logic uses it. setEnabled(true) starts a full interval from
// now, also when the timer was already running.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void setEnabled(bool on) = 0;
  virtual bool enabled() const = 0;
  virtual void setInterval(int ms) = 0;  // applies from the next start
  virtual int interval() const = 0;

  void setOnTick(std::function<void()> handler) { onTick_ = std::move(handler); }

 protected:
  void raiseTick() {
    if (onTick_) onTick_();
  }

 private:
  std::function<void()> onTick_;
};

// "Let pending events run": a nested dispatch of whatever is due now.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void doEvents() = 0;
};

// Milliseconds from a fixed start, never falling: when something happened, and how long ago.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t elapsedMs() const = 0;
};

struct AppVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

}  // namespace morvane
