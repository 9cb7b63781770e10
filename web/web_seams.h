// SPDX-License-Identifier: GPL-3.0-or-later
// The core's seams in a browser: timers on setTimeout, the port as bytes the page moves
// to and from its transport, and the event pump over what the transport already delivered.
#pragma once

#include <cstdint>
#include <deque>
#include <set>
#include <span>
#include <vector>

#include <emscripten/val.h>

#include "link/seams.h"

namespace morvane::web {

class WebTimer : public Timer {
 public:
  ~WebTimer() override;
  void setEnabled(bool on) override;
  bool enabled() const override { return pending_ != 0; }
  void setInterval(int ms) override { interval_ = ms; }
  int interval() const override { return interval_; }

 private:
  static void Fire(void* self);
  int interval_ = 0;
  int pending_ = 0;  // the setTimeout's id; 0 while stopped
};

// COM n stands for the page's transport n. The page opens a transport before it offers it
// (a WebSocket connects, a granted serial port opens), so an open here only lets bytes flow.
class WebComm : public MSComm {
 public:
  explicit WebComm(emscripten::val host) : host_(std::move(host)) {}

  void setCommPort(int n) override { port_ = n; }
  int commPort() const override { return port_; }
  bool setPortOpen(bool open) override;
  bool portOpen() const override { return open_; }
  OpenFailure openFailure() const override { return {OpenFailure::Kind::Gone, {}}; }
  void setScanning(bool scanning) override { scanning_ = scanning; }
  void setOutBufferCount(int) override {}
  void setInBufferCount(int n) override;
  int inBufferCount() const override { return static_cast<int>(in_.size()); }
  std::uint8_t input() override;
  void setOutput(std::span<const std::uint8_t> bytes) override;
  // Written bytes are the transport's as soon as they are handed over; it sends them even
  // while the page goes away.
  void drainOutput(int) override {}
  void setRThreshold(int n) override { rThreshold_ = n; }
  int rThreshold() const override { return rThreshold_; }
  int commEvent() const override { return comEvReceive; }

  // From the page: a transport became usable or went away, bytes came, the device was lost.
  void setPresent(int n, bool present);
  void deliver(int n, const std::vector<std::uint8_t>& bytes);
  void lost(int n);
  // What the port delivered and no one has read yet, told as the window's port tells it.
  void notifyPending();

 private:
  emscripten::val host_;
  std::set<int> present_;
  std::deque<std::uint8_t> in_;
  int port_ = 1;
  bool open_ = false;
  bool scanning_ = false;
  int rThreshold_ = 0;
};

class WebPump : public EventPump {
 public:
  explicit WebPump(WebComm& comm) : comm_(comm) {}
  void doEvents() override { comm_.notifyPending(); }

 private:
  WebComm& comm_;
};

class WebClock : public Clock {
 public:
  std::int64_t elapsedMs() const override;
};

}  // namespace morvane::web
