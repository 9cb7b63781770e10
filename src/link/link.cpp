// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link.h"

#include <array>

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
  dropUnread();
  comm_.setRThreshold(1);
  timer2_.setEnabled(true);
  writeFrame(frame);
}

void Link::writeFrame(std::span<const std::uint8_t> frame) {
  comm_.setOutput(frame);
  told_ = Told{};
  told_.frameLength = static_cast<std::int32_t>(frame.size());
  if (frame.size() > 2) {
    told_.command = frame[2];
    told_.replyLength = ReplyLengthOf(frame[2]);
  }
  told_.done = false;
  frameWritten(frame);
}

ByteRead Link::tell(std::uint8_t b) {
  ByteRead read{b, ByteKind::Stray, told_.command, false};
  if (told_.done) return read;
  read.kind = told_.reading.read(b, ++told_.count, told_.frameLength);
  if (read.kind == ByteKind::Reply && told_.reading.replyCount >= told_.replyLength) {
    told_.done = true;
    read.replyComplete = true;
  }
  return read;
}

// Nobody listening, the driver drops them unseen: reading them would cost a call a byte.
void Link::dropUnread() {
  if (bytesDropped.empty()) {
    comm_.setInBufferCount(0);
    return;
  }
  std::array<std::uint8_t, kDroppedShown> bytes{};
  std::array<ByteKind, kDroppedShown> kinds{};
  std::size_t n = 0;
  while (n < bytes.size() && comm_.portOpen() && comm_.inBufferCount() > 0) {
    bytes[n] = comm_.input();
    kinds[n] = tell(bytes[n]).kind;
    ++n;
  }
  const int more = comm_.inBufferCount();
  comm_.setInBufferCount(0);
  if (n == 0) return;
  bytesDropped({std::span(bytes).first(n), std::span(kinds).first(n), told_.command, more});
}

void Link::Timer2Tick() {
  timer2_.setEnabled(false);
  if (QueueEmpty(s_)) {
    startTimer1(kIdlePollMs);
    return;
  }
  if (host_.isConnected()) {
    ++s_.missCount;
    replyMissed(s_.missCount);
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
    const ByteKind kind = parser_.read(b, s_.rxCount, head.txLength + 2);
    if (telling()) byteRead(tell(b));
    if (kind == ByteKind::Stray) continue;
    heard = true;
    if (kind == ByteKind::Echo) continue;
    Head(s_).reply[parser_.replyCount - 1] = b;
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
