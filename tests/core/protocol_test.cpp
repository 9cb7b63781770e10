// SPDX-License-Identifier: GPL-3.0-or-later
// What each reply means, one reply at a time.
#include <gtest/gtest.h>

#include "bench.h"
#include "protocol/process_reply.h"
#include "raise_throttle.h"

namespace morvane::test {
namespace {

// The window with no port: the test puts a command and its reply at the head and hands
// it to ProcessReply, as the receiver does.
struct Replies : Bench {
  Replies() { form.Load(); }
  void connect() { c().TxtConnState.setText("Connected"); }
  // Handles one reply and returns the commands it queued.
  std::vector<Bytes> handle(const Bytes& tx, const Bytes& reply) {
    EXPECT_TRUE(QueueEmpty(s()));
    QueueCommand(s(), tx, static_cast<int>(reply.size()));
    std::copy(reply.begin(), reply.end(), Head(s()).reply.begin());
    ProcessReply(s(), c());
    AdvanceHead(s());
    std::vector<Bytes> queued;
    replyLengths.clear();
    while (!QueueEmpty(s())) {
      const CommandSlot& slot = Head(s());
      queued.emplace_back(slot.tx.begin(), slot.tx.begin() + slot.txLength);
      replyLengths.push_back(slot.replyLength);
      AdvanceHead(s());
    }
    return queued;
  }
  std::vector<int> replyLengths;  // of the commands the last reply queued
};

TEST(Protocol, APingWhileUnconnectedAsksForTheVersionOnlyAndForgetsTheDevice) {
  Replies r;
  r.s().deviceValue = {0, 0, 0, 0, 0};
  r.s().speedSamples[3] = 999;
  r.s().speedSamplePos = 4;
  r.s().lastThrottle = 0;
  r.c().TxtRev.setText("123");
  EXPECT_EQ(r.handle({CMD_PING}, {0x59}), std::vector<Bytes>{{CMD_GET_VERSION}});
  EXPECT_EQ(r.replyLengths, std::vector<int>{5});
  EXPECT_EQ(r.s().deviceValue, (std::array<std::int32_t, 5>{-1, -1, -1, -1, -1}));
  // Nor does it trust what the ESC holds: the connection will command the throttle.
  EXPECT_EQ(r.s().lastThrottle, -1);
  EXPECT_EQ(r.s().speedSamples[3], 0);
  EXPECT_EQ(r.s().speedSamplePos, 0);
  EXPECT_EQ(r.c().TxtRev.text(), "123");
}

TEST(Protocol, AConnectedPingReadsUnknownSettingsWritesChangedOnesThenTheThrottle) {
  Replies r;
  r.connect();
  r.s().deviceValue = r.s().wantedValue;
  EXPECT_TRUE(r.handle({CMD_PING}, {0x59}).empty());

  r.s().deviceValue[1] = -1;               // cutoff type not read
  r.c().CombDir.setListIndex(1);           // direction changed
  r.c().SldPower.setValue(5);
  const std::vector<Bytes> expected = {{CMD_READ_PARAM, PARAM_CUTOFF_TYPE},
                                       {CMD_WRITE_PARAM, PARAM_DIRECTION, 2},
                                       {CMD_SET_THROTTLE, 5}};
  EXPECT_EQ(r.handle({CMD_PING}, {0x59}), expected);

  r.s().deviceValue = {-1, -1, -1, -1, -1};
  const std::vector<Bytes> reads = {{2, 0}, {2, 3}, {2, 1}, {2, 2}, {2, 4}, {4, 5}};
  EXPECT_EQ(r.handle({CMD_PING}, {0x59}), reads);
}

TEST(Protocol, ParameterRepliesSetTheDeviceValueAndShowItWhenItIsInTheList) {
  struct Case {
    std::uint8_t code, id, valueByte;
    int setting;       // index in deviceValue
    int device;        // expected device value
    int shownIndex;    // expected selection in the box afterwards
  };
  const Case cases[] = {
      {CMD_READ_PARAM, PARAM_TIMING, 3, 3, 2, 2},
      {CMD_READ_PARAM, PARAM_BRAKE, 2, 2, 1, 1},
      {CMD_READ_PARAM, PARAM_CUTOFF_VOLTAGE, 0, 0, -1, 1},  // 0: not a value; box kept
      {CMD_READ_PARAM, PARAM_CUTOFF_VOLTAGE, 9, 0, 8, 1},   // past "12.0V"; box kept
      {CMD_READ_PARAM, PARAM_DIRECTION, 255, 4, 254, 0},
      {CMD_WRITE_PARAM, PARAM_CUTOFF_TYPE, 1, 1, 0, 0},     // the ESC refused: shown
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "id " << int(k.id) << " byte " << int(k.valueByte));
    Replies r;
    r.connect();
    const Bytes tx = k.code == CMD_READ_PARAM ? Bytes{CMD_READ_PARAM, k.id}
                                              : Bytes{CMD_WRITE_PARAM, k.id, 2};
    EXPECT_TRUE(r.handle(tx, {0x59, k.valueByte}).empty());
    EXPECT_EQ(r.s().deviceValue[k.setting], k.device);
    EXPECT_EQ(r.c().setting(k.setting).listIndex(), k.shownIndex);
    EXPECT_EQ(r.s().wantedValue[k.setting], k.shownIndex);
  }
}

TEST(Protocol, AWriteConfirmedAfterTheUserPickedAgainKeepsTheNewerPick) {
  Replies r;
  r.connect();
  r.c().CombCutOffV.setListIndex(4);  // picked "8.4V" while "7.2V" was being written
  EXPECT_TRUE(r.handle({CMD_WRITE_PARAM, PARAM_CUTOFF_VOLTAGE, 4}, {0x59, 4}).empty());
  EXPECT_EQ(r.s().deviceValue[0], 3);
  EXPECT_EQ(r.c().CombCutOffV.listIndex(), 4);
  EXPECT_EQ(r.s().wantedValue[0], 4);
  r.s().deviceValue = {3, 1, 0, 1, 0};
  EXPECT_EQ(r.handle({CMD_PING}, {0x59}), (std::vector<Bytes>{{CMD_WRITE_PARAM, 0, 5}}));
}

TEST(Protocol, AnUnknownParameterIdOrCommandCodeChangesNothing) {
  Replies r;
  r.connect();
  const auto before = r.s().deviceValue;
  EXPECT_TRUE(r.handle({CMD_READ_PARAM, 5}, {0x59, 2}).empty());
  EXPECT_TRUE(r.handle({6}, {0x59}).empty());
  EXPECT_TRUE(r.handle({0xFF}, {0x59, 1, 2, 3, 4}).empty());
  EXPECT_EQ(r.s().deviceValue, before);
  EXPECT_EQ(r.conn(), "Connected");
}

TEST(Protocol, AThrottleReplyAcknowledgesTheThrottleThatWasSent) {
  Replies r;
  r.connect();
  r.s().speedSamples[0] = 500;
  RaiseThrottle(r.c().SldPower, 40);
  EXPECT_TRUE(r.handle({CMD_SET_THROTTLE, 35}, {0x59}).empty());
  EXPECT_EQ(r.s().lastThrottle, 35);
  EXPECT_EQ(r.s().speedSamples[0], 500);
  // The slider moved on while the command was under way: the next poll sends it.
  r.s().deviceValue = r.s().wantedValue;
  EXPECT_EQ(r.handle({CMD_PING}, {0x59}), (std::vector<Bytes>{{CMD_SET_THROTTLE, 40}}));

  // Throttle 0 acknowledged: the speed average starts afresh.
  r.c().SldPower.setValue(0);
  EXPECT_TRUE(r.handle({CMD_SET_THROTTLE, 0}, {0x59}).empty());
  EXPECT_EQ(r.s().lastThrottle, 0);
  EXPECT_EQ(r.s().speedSamples[0], 0);
}

Bytes VersionReply(unsigned hardware, unsigned firmware) {
  return {0x59, static_cast<std::uint8_t>(hardware & 0xFF), static_cast<std::uint8_t>(hardware >> 8),
          static_cast<std::uint8_t>(firmware & 0xFF), static_cast<std::uint8_t>(firmware >> 8)};
}

TEST(Protocol, TheHardwareNumberNamesTheModelAndItsRevision) {
  struct Case {
    unsigned hardware;
    const char* text;  // "" = no model
  };
  const Case cases[] = {
      {7499, ""},
      {7500, "MORVANE QR-5A V1.000"},
      {7999, "MORVANE QR-5A V1.499"},
      {8000, ""},
      {8499, ""},
      {8500, "MORVANE QR-10A V1.000"},
      {9503, "MORVANE QR-18A V1.003"},
      {10777, "MORVANE QR-25A V1.277"},
      {11500, "MORVANE QR-35A V1.000"},
      {12999, "MORVANE QR-50A V1.499"},
      {13000, ""},
      {0, ""},
      {32767, ""},
      {32768 + 9503, ""},  // high byte 0xA5: no model, however its low bits look
      {65535, ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.hardware);
    Replies r;
    r.s().deviceValue = {-1, -1, -1, -1, -1};
    r.c().TxtFirmVer.setText("V7.777");  // whatever it showed before
    QueueCommand(r.s(), {CMD_GET_VERSION}, 5);
    QueueCommand(r.s(), {CMD_READ_PARAM, 0}, 2);  // queued behind it
    QueueCommand(r.s(), {CMD_READ_PARAM, 1}, 2);
    const Bytes reply = VersionReply(k.hardware, 1234);
    std::copy(reply.begin(), reply.end(), Head(r.s()).reply.begin());
    ProcessReply(r.s(), r.c());
    AdvanceHead(r.s());
    if (*k.text) {
      EXPECT_EQ(r.c().TxtHardVer.text(), k.text);
      EXPECT_EQ(r.conn(), "Connected");
      EXPECT_EQ(r.c().TxtFirmVer.text(), "V1.234");
      EXPECT_TRUE(QueueEmpty(r.s()));  // what waited behind is dropped
    } else {
      EXPECT_EQ(r.c().TxtHardVer.text(), "Unknown");
      EXPECT_EQ(r.conn(), "Unconnected");
      EXPECT_EQ(r.c().TxtFirmVer.text(), "V7.777");
      EXPECT_EQ(PendingCount(r.s()), 2);  // and kept
    }
  }
}

TEST(Protocol, FirmwareTextIsThousandthsWithAPoint) {
  const std::pair<unsigned, const char*> cases[] = {
      {0, "V0.000"},   {5, "V0.005"},       {25, "V0.025"},       {1000, "V1.000"},
      {1234, "V1.234"}, {10000, "V10.000"}, {32768, "V32.768"}, {65535, "V65.535"},
  };
  for (const auto& [n, text] : cases) {
    Replies r;
    r.handle({CMD_GET_VERSION}, VersionReply(7500, n));
    EXPECT_EQ(r.c().TxtFirmVer.text(), text);
  }
}

TEST(Protocol, IdentificationInSlot19EmptiesTheQueue) {
  Replies r;
  r.s().sendIndex = r.s().addIndex = 19;
  EXPECT_TRUE(r.handle({CMD_GET_VERSION}, VersionReply(9503, 1)).empty());
  EXPECT_EQ(r.s().sendIndex, 0);
  EXPECT_EQ(r.s().addIndex, 0);
}

TEST(Protocol, SpeedSamplesFollowThePeriodAndPoleCount) {
  struct Case {
    std::int32_t period;
    int poles;
    std::int32_t sample;  // -1: no sample
  };
  const Case cases[] = {
      {400, 14, 42857}, {1000, 12, 20000},  {400, 2, 300000}, {301, 2, 398671},
      {300, 2, -1},     {1, 2, -1},         {0, 2, -1},       {16777215, 24, 0},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(SpeedSample(k.period, k.poles), k.sample) << k.period << " " << k.poles;
  }
}

TEST(Protocol, SpeedRepliesAverageTenSamplesAndFollowTheThrottle) {
  Replies r;
  r.connect();
  r.c().VSlPole.setValue(14);
  std::vector<std::string> shown;
  for (int i = 0; i < 11; ++i) {
    EXPECT_TRUE(r.handle({CMD_GET_SPEED}, {0x59, 0x90, 0x01, 0x00}).empty());
    shown.push_back(r.c().TxtRev.text());
  }
  EXPECT_EQ(shown[0], "4285");
  EXPECT_EQ(shown[1], "8571");
  EXPECT_EQ(shown[9], "42857");
  EXPECT_EQ(shown[10], "42857");
  EXPECT_EQ(r.s().speedSamplePos, 1);  // the eleventh overwrote entry 0

  // 1..300: ignored; 0: a standing motor.
  EXPECT_TRUE(r.handle({CMD_GET_SPEED}, {0x59, 0x2C, 0x01, 0x00}).empty());
  EXPECT_EQ(r.c().TxtRev.text(), "42857");
  EXPECT_TRUE(r.handle({CMD_GET_SPEED}, {0x59, 0, 0, 0}).empty());
  EXPECT_EQ(r.c().TxtRev.text(), "0");
  EXPECT_EQ(r.s().speedSamplePos, 0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(r.s().speedSamples[i], 0);
  r.c().SldPower.setValue(5);
  EXPECT_EQ(r.handle({CMD_GET_SPEED}, {0x59, 0, 0, 0}), (std::vector<Bytes>{{CMD_SET_THROTTLE, 5}}));
}

}  // namespace
}  // namespace morvane::test
