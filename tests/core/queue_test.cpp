// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/app_state.h"

namespace morvane {
namespace {

AppState NewState() {
  AppState s;
  CreateQueue(s);
  return s;
}

TEST(Queue, StartsEmptyAndWrapsFrom19To0) {
  AppState s = NewState();
  EXPECT_TRUE(QueueEmpty(s));
  s.sendIndex = s.addIndex = 19;
  ASSERT_TRUE(QueueCommand(s, {CMD_READ_PARAM, PARAM_TIMING}, 2));
  EXPECT_EQ(s.addIndex, 0);
  EXPECT_EQ(s.queue[19].tx[0], CMD_READ_PARAM);
  EXPECT_EQ(s.queue[19].tx[1], PARAM_TIMING);
  EXPECT_EQ(s.queue[19].txLength, 2);
  EXPECT_EQ(s.queue[19].replyLength, 2);
  ASSERT_TRUE(QueueCommand(s, {CMD_PING}, 1));
  EXPECT_EQ(s.addIndex, 1);
  EXPECT_EQ(PendingCount(s), 2);
  AdvanceHead(s);
  EXPECT_EQ(s.sendIndex, 0);
}

TEST(Queue, A20thCommandIsRefusedAndNothingPendingIsLost) {
  AppState s = NewState();
  s.sendIndex = s.addIndex = 7;
  for (int i = 0; i < 19; ++i) ASSERT_TRUE(QueueCommand(s, {CMD_SET_THROTTLE, static_cast<std::uint8_t>(i)}, 1));
  EXPECT_FALSE(QueueCommand(s, {CMD_PING}, 1));
  EXPECT_EQ(PendingCount(s), 19);
  EXPECT_FALSE(QueueEmpty(s));
  for (int i = 0; i < 19; ++i) {
    EXPECT_EQ(Head(s).tx[1], i);
    AdvanceHead(s);
  }
  EXPECT_TRUE(QueueEmpty(s));
}

TEST(Queue, CommandsThatCannotBeFramedAreRefused) {
  AppState s = NewState();
  EXPECT_FALSE(QueueCommand(s, {}, 1));
  EXPECT_FALSE(QueueCommand(s, {1, 2, 3, 4, 5, 6, 7}, 1));
  EXPECT_FALSE(QueueCommand(s, {CMD_PING}, 0));
  EXPECT_FALSE(QueueCommand(s, {CMD_PING}, 6));
  EXPECT_TRUE(QueueEmpty(s));
}

TEST(Queue, FramesAreASThenTheCommandBytes) {
  CommandSlot ping;
  ping.tx[0] = CMD_PING;
  ping.txLength = 1;
  EXPECT_EQ(BuildFrame(ping), (std::vector<std::uint8_t>{0x41, 0x53, 0x00}));
  CommandSlot write;
  write.tx = {3, 0, 4, 9, 9, 9};
  write.txLength = 3;
  EXPECT_EQ(BuildFrame(write), (std::vector<std::uint8_t>{0x41, 0x53, 0x03, 0x00, 0x04}));
}

TEST(Queue, RestartWithPingAtSlot19LeavesExactlyThePing) {
  AppState s = NewState();
  s.sendIndex = s.addIndex = 19;
  QueueCommand(s, {CMD_GET_VERSION}, 5);
  QueueCommand(s, {CMD_READ_PARAM, 0}, 2);
  QueueCommand(s, {CMD_READ_PARAM, 1}, 2);
  RestartWithPing(s);
  EXPECT_EQ(s.addIndex, 0);
  EXPECT_EQ(PendingCount(s), 1);
  EXPECT_EQ(Head(s).tx[0], CMD_PING);
  EXPECT_EQ(Head(s).txLength, 1);
  EXPECT_EQ(Head(s).replyLength, 1);
}

TEST(Queue, ReusingASlotKeepsItsOldReplyUntilANewOneArrives) {
  AppState s = NewState();
  s.queue[0].reply = {0x59, 1, 2, 3, 4};
  QueueCommand(s, {CMD_PING}, 1);
  EXPECT_EQ(s.queue[0].reply, (std::array<std::uint8_t, 5>{0x59, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace morvane
