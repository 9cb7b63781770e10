// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link.h"

#include "link/commands.h"

namespace morvane {

Link::Link(AppState& state, MSComm& comm, Timer& timer1, Timer& timer2, LinkHost& host)
    : s_(state), comm_(comm), timer1_(timer1), timer2_(timer2), host_(host) {
  timer1_.setOnTick([this] { Timer1Tick(); });
  timer2_.setOnTick([this] { Timer2Tick(); });
  comm_.setOnComm([this] { OnComm(); });
}

void Link::startTimer1(int intervalMs) {
  timer1_.setInterval(intervalMs);
  timer1_.setEnabled(true);
}

void Link::Timer1Tick() {
  timer1_.setEnabled(false);
  if (QueueEmpty(s_)) {
    if (host_.isConnected() && s_.motorRunning) {
      QueueCommand(s_, {CMD_GET_SPEED});
    } else {
      QueueCommand(s_, {CMD_PING});
    }
  }
  SendNext();
}

void Link::SendNext() {
  if (!comm_.portOpen()) return;
  if (QueueEmpty(s_)) return;
  timer1_.setEnabled(false);
  const auto frame = BuildFrame(Head(s_));
  s_.rxCount = 0;
  // Every attempt starts clean: nothing left of an abandoned reply may complete this one.
  parser_.clear();
  comm_.setOutBufferCount(0);
  comm_.setInBufferCount(0);
  comm_.setRThreshold(1);
  timer2_.setEnabled(true);
  comm_.setOutput(frame);
}

void Link::Timer2Tick() {
  timer2_.setEnabled(false);
  if (QueueEmpty(s_)) {
    startTimer1(kIdlePollMs);
    return;
  }
  if (host_.isConnected()) {
    ++s_.missCount;
    if (s_.missCount >= kMissesToLose) {
      s_.missCount = 0;
      host_.connectionLost();
    }
  }
  if (!host_.isConnected()) {
    RestartWithPing(s_);
    // The head now holds another command: late bytes of the abandoned attempt must not
    // be taken for its reply. They wait in the buffer until the next frame drops them.
    comm_.setRThreshold(0);
    parser_.clear();
  }
  startTimer1(kQueuedPollMs);
}

void Link::OnComm() {
  if (parser_.busy) return;
  if (comm_.commEvent() != MSComm::comEvReceive) return;
  if (QueueEmpty(s_)) {
    // Nothing is awaited: whatever arrived is stray and waits for the next frame to drop it.
    comm_.setRThreshold(0);
    return;
  }
  parser_.busy = true;

  const CommandSlot& head = Head(s_);
  bool complete = false;
  bool heard = false;  // a byte of the echo or of the reply arrived
  while (comm_.portOpen() && comm_.inBufferCount() > 0) {
    const std::uint8_t b = comm_.input();
    ++s_.rxCount;
    if (s_.rxCount == 1) {
      if (b == kFrameByte0) {
        parser_.skippingEcho = true;
      } else {
        parser_.skippingEcho = false;
        parser_.replyStarted = false;
      }
    }
    if (parser_.skippingEcho) {
      heard = true;
      if (s_.rxCount == head.txLength + 2) {
        parser_.skippingEcho = false;
        parser_.replyStarted = false;
      }
      continue;
    }
    if (!parser_.replyStarted) {
      parser_.replyStarted = (b == kReplyStart);
      parser_.replyCount = 0;
      if (!parser_.replyStarted) continue;
    }
    heard = true;
    Head(s_).reply[parser_.replyCount] = b;
    ++parser_.replyCount;
    if (parser_.replyCount >= head.replyLength || parser_.replyCount >= 5) {
      complete = true;
      break;
    }
  }

  if (!complete) {
    // Only the ESC's own bytes earn it more time: stray bytes on a noisy line must neither
    // keep a silent ESC connected nor cancel a planned repeat. A port that failed while we
    // read is closed; there is nothing to wait for then.
    if (heard && comm_.portOpen()) {
      timer1_.setEnabled(false);
      timer2_.setEnabled(true);
    }
    parser_.busy = false;
    return;
  }

  comm_.setRThreshold(0);
  parser_.clear();
  s_.missCount = 0;  // misses only count when they come in a row
  host_.processReply();
  AdvanceHead(s_);
  timer2_.setEnabled(false);
  startTimer1(QueueEmpty(s_) ? kIdlePollMs : kQueuedPollMs);
  parser_.busy = false;
}

}  // namespace morvane
