// SPDX-License-Identifier: GPL-3.0-or-later
// The send-receive cycle: the poll tick, the reply timeout, SendNext and the receive
// handler. The link knows nothing of what replies mean; its host does.
#pragma once

#include <cstdint>
#include <span>

#include "link/app_state.h"
#include "link/callback_list.h"
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

// What a byte from the line is to the frame written before it: its echo, its reply from the
// 'Y' on, or stray (noise, what comes before the 'Y', after a whole reply or with no frame out).
enum class ByteKind : std::uint8_t { Echo, Reply, Stray };

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

  // Byte number `count` since a frame of `frameLength` bytes went out: an echo starts with
  // the frame's first byte and is as long as the frame; a reply starts at a 'Y'.
  ByteKind read(std::uint8_t b, std::int32_t count, std::int32_t frameLength) {
    if (count == 1) {
      skippingEcho = (b == kFrameByte0);
      if (!skippingEcho) replyStarted = false;
    }
    if (skippingEcho) {
      if (count == frameLength) {
        skippingEcho = false;
        replyStarted = false;
      }
      return ByteKind::Echo;
    }
    if (!replyStarted) {
      replyStarted = (b == kReplyStart);
      replyCount = 0;
      if (!replyStarted) return ByteKind::Stray;
    }
    ++replyCount;
    return ByteKind::Reply;
  }
};

// A byte the link read, as it read it.
struct ByteRead {
  std::uint8_t byte = 0;
  ByteKind kind = ByteKind::Stray;
  std::uint8_t command = 0;    // the code of the frame written before it
  bool replyComplete = false;  // the last byte of that frame's reply
  bool operator==(const ByteRead&) const = default;
};

// Bytes left unread when the next frame goes out, dropped with the input buffer: the first
// kDroppedShown as they would have been read, and how many more.
struct BytesDropped {
  std::span<const std::uint8_t> bytes;
  std::span<const ByteKind> kinds;
  std::uint8_t command = 0;
  int more = 0;
};

inline constexpr int kIdlePollMs = 100;
inline constexpr int kQueuedPollMs = 10;
inline constexpr int kReplyTimeoutMs = 300;
inline constexpr int kMissesToLose = 3;
inline constexpr int kDroppedShown = 64;

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

  // A frame outside the queue (the stop frame): written now, its reply awaited by no one.
  void writeFrame(std::span<const std::uint8_t> frame);

  const ReplyParser& parser() const { return parser_; }

  // The traffic as the link handles it, for those who tell it. Each frame once written;
  // each byte read; bytes dropped unread, read out only while someone listens.
  CallbackList<std::span<const std::uint8_t>> frameWritten;
  CallbackList<const ByteRead&> byteRead;
  CallbackList<const BytesDropped&> bytesDropped;
  // A reply not in time while connected: how many in a row, up to kMissesToLose.
  CallbackList<int> replyMissed;

 private:
  // The frame last written as the line answers it: the parser's reading, which goes on past
  // an attempt given up, so the bytes that come late are told as what they were.
  struct Told {
    ReplyParser reading;
    std::int32_t count = 0;
    std::int32_t frameLength = 0;
    std::int32_t replyLength = 1;
    std::uint8_t command = 0;
    bool done = true;  // its reply is whole, or no frame was written yet
  };

  void startTimer1(int intervalMs);
  // Bytes are told only while someone listens; a listener hears them right from the next
  // frame on, as each frame starts the telling anew.
  bool telling() const { return !byteRead.empty() || !bytesDropped.empty(); }
  ByteRead tell(std::uint8_t b);
  void dropUnread();

  AppState& s_;
  MSComm& comm_;
  Timer& timer1_;
  Timer& timer2_;
  LinkHost& host_;
  ReplyParser parser_;
  Told told_;
};

}  // namespace morvane
