// SPDX-License-Identifier: GPL-3.0-or-later
// The send-receive cycle: the poll tick, the reply timeout, SendNext and the receive
// handler. The link knows nothing of what replies mean; its host does.
#pragma once

#include <cstdint>

#include "link/app_state.h"
#include "link/seams.h"

namespace morvane {

// What the link needs from the window.
class LinkHost {
 public:
  virtual bool isConnected() const = 0;  // TxtConnState reads "Connected"
  virtual void connectionLost() = 0;     // show "Unconnected"/"Unknown", throttle to 0
  virtual void processReply() = 0;       // the head holds a complete reply

 protected:
  ~LinkHost() = default;
};

struct ReplyParser {
  bool skippingEcho = false;
  bool replyStarted = false;
  std::int32_t replyCount = 0;
  bool busy = false;

  // Back to the first byte of an attempt; `busy` belongs to the running handler.
  void clear() {
    skippingEcho = false;
    replyStarted = false;
    replyCount = 0;
  }
};

inline constexpr int kIdlePollMs = 100;
inline constexpr int kQueuedPollMs = 10;
inline constexpr int kReplyTimeoutMs = 300;
inline constexpr int kMissesToLose = 3;

class Link {
 public:
  // Takes over the tick handlers of both timers and the OnComm handler of the port.
  Link(AppState& state, MSComm& comm, Timer& timer1, Timer& timer2, LinkHost& host);
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  void Timer1Tick();
  void Timer2Tick();
  void SendNext();
  void OnComm();

  const ReplyParser& parser() const { return parser_; }

 private:
  void startTimer1(int intervalMs);

  AppState& s_;
  MSComm& comm_;
  Timer& timer1_;
  Timer& timer2_;
  LinkHost& host_;
  ReplyParser parser_;
};

}  // namespace morvane
