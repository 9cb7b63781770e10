// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver, byte by byte: echoes, noise, split replies, late bytes and abandoned
// attempts, on a port where the test plays the ESC.
#include <gtest/gtest.h>

#include "bench.h"
#include "raise_throttle.h"

namespace morvane::test {
namespace {

// A port with nothing attached: the test injects what the ESC would say.
struct Line : Bench {
  Line() {
    line.addPort(1);
    form.Load();
  }
  void connect() { c().TxtConnState.setText("Connected"); }
  // Runs to the next frame written and returns when it was written.
  Ticks nextFrame() {
    const std::size_t n = line.writes().size();
    EXPECT_TRUE(runUntil([&] { return line.writes().size() > n; }, Ms(1000)));
    return line.writes().back().at;
  }
};

TEST(Receive, APingReplyCompletesAtTheRightByte) {
  struct Case {
    const char* name;
    Bytes bytes;
    int used;  // bytes read before the reply completes
  };
  const Case cases[] = {
      {"quiet line", {0x59}, 1},
      {"echo then reply", {0x41, 0x53, 0x00, 0x59}, 4},
      {"noise, no echo", {0x00, 0x13, 0x59}, 3},
      {"'Y' inside the echo is skipped", {0x41, 0x59, 0x00, 0x59}, 4},
      {"echo with a wrong tail is still skipped", {0x41, 0x00, 0x00, 0x59}, 4},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Line b;
    b.nextFrame();
    Bytes bytes = k.bytes;
    bytes.insert(bytes.end(), {0xEE, 0x59, 0xEE});  // trailing bytes stay unread
    b.line.inject(bytes);
    b.clock.runFor(ByteTimes(static_cast<Ticks>(bytes.size())));
    EXPECT_EQ(b.s().rxCount, k.used);
    EXPECT_EQ(b.line.inBufferCount(), 3);
    EXPECT_EQ(b.line.rThreshold(), 0);
    EXPECT_EQ(b.s().queue[0].reply[0], 0x59);
    // The handshake reply queued the version request, 10 ms on.
    EXPECT_EQ(b.s().sendIndex, 1);
    EXPECT_EQ(Head(b.s()).tx[0], CMD_GET_VERSION);
    EXPECT_EQ(b.timer1.interval(), 10);
    EXPECT_FALSE(b.timer2.enabled());
  }
}

TEST(Receive, ASpeedReplyInTwoPiecesRestartsTheTimeoutThenCompletes) {
  Line b;
  b.connect();
  b.c().FrameRun.setVisible(true);
  RaiseThrottle(b.c().SldPower, 30);
  b.s().lastThrottle = 30;
  const Ticks sent = b.nextFrame();
  ASSERT_EQ(b.line.writes().back().bytes, (Bytes{0x41, 0x53, 0x05}));
  b.clock.runUntil(sent + Ms(200));
  b.line.inject({0x59, 0x90});
  b.clock.runFor(ByteTimes(2));
  EXPECT_EQ(b.timer2.dueAt(), b.clock.now() + Ms(300));
  EXPECT_FALSE(b.timer1.enabled());
  b.clock.runFor(Ms(250));
  b.line.inject({0x01, 0x00});
  b.clock.runFor(ByteTimes(2));
  // Period 400 with 2 poles: 300000 r/min, a tenth of it after one sample.
  EXPECT_EQ(b.c().TxtRev.text(), "30000");
  EXPECT_EQ(b.timer1.dueAt(), b.clock.now() + Ms(100));
  EXPECT_FALSE(b.timer2.enabled());
}

TEST(Receive, TimerIntervalAfterAReplyDependsOnWhatIsQueued) {
  Line b;
  b.connect();
  b.s().deviceValue = b.s().wantedValue;
  b.nextFrame();
  b.line.inject({0x59});
  b.clock.runFor(ByteTimes(1));
  EXPECT_EQ(b.timer1.interval(), 100);  // all in agreement: nothing queued

  b.c().CombDir.setListIndex(1);
  b.nextFrame();
  b.line.inject({0x59});
  b.clock.runFor(ByteTimes(1));
  EXPECT_EQ(b.timer1.interval(), 10);  // the write waits
}

TEST(Receive, LateReplyAfterATimeoutWhileConnectedCompletesTheSameAttempt) {
  Line b;
  b.connect();
  b.s().deviceValue = b.s().wantedValue;
  const Ticks sent = b.nextFrame();
  b.clock.runUntil(sent + Ms(300));
  EXPECT_EQ(b.s().missCount, 1);
  EXPECT_EQ(b.timer1.dueAt(), sent + Ms(310));
  b.clock.runUntil(sent + Ms(305));
  b.line.inject({0x59});
  b.clock.runFor(ByteTimes(1));
  // Handled: the planned repeat gives way to the next idle poll, and the miss is forgiven.
  EXPECT_EQ(b.s().missCount, 0);
  EXPECT_EQ(b.timer1.dueAt(), b.clock.now() + Ms(100));
  EXPECT_EQ(b.line.writes().size(), 1u);
}

TEST(Receive, OnlyEchoAndReplyBytesEarnMoreTime) {
  struct Case {
    const char* name;
    Bytes bytes;  // none: a notification that finds nothing to read
    bool restarts;
  };
  const Case cases[] = {
      {"nothing to read", {}, false},
      {"stray bytes", {0x13, 0x00}, false},
      {"the echo", {0x41, 0x53}, true},
      {"a first piece of the reply", {0x59, 0x90}, true},
  };
  for (const Case& k : cases) {
    for (const bool repeatPlanned : {false, true}) {
      SCOPED_TRACE(std::string(k.name) + (repeatPlanned ? ", after a timeout" : ", while waiting"));
      Line b;
      b.connect();
      RaiseThrottle(b.c().SldPower, 30);
      b.s().lastThrottle = 30;
      const Ticks sent = b.nextFrame();
      ASSERT_EQ(b.line.writes().back().bytes, (Bytes{0x41, 0x53, 0x05}));
      b.clock.runUntil(sent + (repeatPlanned ? Ms(305) : Ms(200)));
      if (k.bytes.empty()) {
        b.form.link().OnComm();
      } else {
        b.line.inject(k.bytes);
        b.clock.runFor(ByteTimes(static_cast<Ticks>(k.bytes.size())));
      }
      if (k.restarts) {
        EXPECT_FALSE(b.timer1.enabled());
        EXPECT_EQ(b.timer2.dueAt(), b.clock.now() + Ms(300));
      } else if (repeatPlanned) {
        EXPECT_EQ(b.timer1.dueAt(), sent + Ms(310));
        EXPECT_FALSE(b.timer2.enabled());
      } else {
        EXPECT_FALSE(b.timer1.enabled());
        EXPECT_EQ(b.timer2.dueAt(), sent + Ms(300));
      }
    }
  }
}

TEST(Receive, ThePollAsksForTheSpeedOnlyWhileConnectedAndRunning) {
  struct Case {
    bool connected;
    bool running;
    Bytes poll;
  };
  const Case cases[] = {
      {false, false, {0x41, 0x53, 0x00}},
      {false, true, {0x41, 0x53, 0x00}},  // no handler leaves it so; checked all the same
      {true, false, {0x41, 0x53, 0x00}},
      {true, true, {0x41, 0x53, 0x05}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.connected) + std::to_string(k.running));
    Line b;
    if (k.connected) b.connect();
    b.s().motorRunning = k.running;
    b.nextFrame();
    EXPECT_EQ(b.line.writes().back().bytes, k.poll);
  }
}

TEST(Receive, AnAbandonedVersionReplyNeverCompletesThePingThatReplacesIt) {
  Line b;
  b.line.setEcho(true);
  b.nextFrame();
  b.clock.runFor(ByteTimes(3));  // past the echo
  b.line.inject({0x59});         // the ping answered: version request next
  const Ticks versionSent = b.nextFrame();
  ASSERT_EQ(b.line.writes().back().bytes, (Bytes{0x41, 0x53, 0x01}));
  b.clock.runUntil(versionSent + ByteTimes(3));
  b.line.inject({0x59, 0x1F});  // two of five bytes, then silence
  b.clock.runUntil(versionSent + ByteTimes(5) + Ms(300));
  ASSERT_EQ(Head(b.s()).tx[0], CMD_PING);  // the timeout put a ping in its place
  // The rest of the old reply turns up before the ping is sent: not a reply to the ping.
  b.line.inject({0x25, 0x59, 0x59});
  b.clock.runFor(ByteTimes(3));
  EXPECT_EQ(PendingCount(b.s()), 1);
  EXPECT_EQ(Head(b.s()).tx[0], CMD_PING);
  // The ping goes out on time; its echo alone does not answer it either.
  const Ticks pingSent = b.nextFrame();
  b.clock.runUntil(pingSent + ByteTimes(3));
  EXPECT_EQ(PendingCount(b.s()), 1);
  EXPECT_TRUE(b.timer2.enabled());
  EXPECT_EQ(b.conn(), "Unconnected");
  EXPECT_EQ(b.form.link().parser().replyCount, 0);
}

TEST(Receive, ANotificationWithNothingAwaitedChangesNothing) {
  Line b;
  b.connect();
  b.s().deviceValue = b.s().wantedValue;
  b.nextFrame();
  b.line.inject({0x59});
  b.clock.runFor(ByteTimes(1));
  ASSERT_TRUE(QueueEmpty(b.s()));
  b.line.inject({0x59, 0x13});  // stray, after the reply: nobody is told
  b.clock.runFor(ByteTimes(2));
  const Ticks due = b.timer1.dueAt();
  const int head = b.s().sendIndex;

  b.form.link().OnComm();
  EXPECT_EQ(b.line.inBufferCount(), 2);  // left for the next frame to drop
  EXPECT_EQ(b.s().sendIndex, head);
  EXPECT_TRUE(QueueEmpty(b.s()));
  EXPECT_EQ(b.timer1.dueAt(), due);
  EXPECT_FALSE(b.timer2.enabled());
}

}  // namespace
}  // namespace morvane::test
