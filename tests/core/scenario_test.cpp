// SPDX-License-Identifier: GPL-3.0-or-later
// Whole sessions at the bench, on the virtual clock: exact times and exact bytes.
#include <gtest/gtest.h>

#include "bench.h"
#include "two_escs.h"
#include "raise_throttle.h"

namespace morvane::test {
namespace {

const Bytes kPing = {0x41, 0x53, 0x00};
const Bytes kGetVersion = {0x41, 0x53, 0x01};

Bytes Read(std::uint8_t id) { return {0x41, 0x53, 0x02, id}; }
Bytes Write(std::uint8_t id, std::uint8_t v) { return {0x41, 0x53, 0x03, id, v}; }
Bytes Throttle(std::uint8_t v) { return {0x41, 0x53, 0x04, v}; }

// The line's default latency from the end of a frame to the start of its reply.
constexpr Ticks kLatency = Ms(1);

TEST(Scenario, NoEscSendsAPingEvery310MsAndNothingElse) {
  Bench b;
  b.line.addPort(1);
  b.form.Load();
  b.clock.runUntil(Ms(100) + Ms(310) * 20 + Ms(1));
  const auto& writes = b.line.writes();
  ASSERT_EQ(writes.size(), 21u);
  for (std::size_t i = 0; i < writes.size(); ++i) {
    EXPECT_EQ(writes[i].bytes, kPing);
    EXPECT_EQ(writes[i].at, Ms(100) + Ms(310) * static_cast<Ticks>(i)) << i;
  }
  EXPECT_EQ(b.conn(), "Unconnected");
  EXPECT_EQ(b.c().TxtHardVer.text(), "Unknown");
  EXPECT_EQ(b.s().missCount, 0);
}

TEST(Scenario, PlugInConnectsAndReadsTheFiveSettingsAtTheTimesTheWireDictates) {
  Bench b;
  b.esc.setSetting(0, 4);  // 7.2V
  b.esc.setSetting(1, 2);  // brake on
  b.esc.setSetting(2, 3);  // timing 20-30
  b.esc.setSetting(3, 1);  // hard cutoff
  b.esc.setSetting(4, 2);  // reverse
  b.esc.answer({CMD_SET_THROTTLE, 40}, 0);  // left turning by a program that crashed
  b.line.attachEsc(1, b.esc);
  b.form.Load();

  Ticks connectedAt = -1;
  Ticks lastReadAt = -1;
  b.c().TxtConnState.changed.connect([&] {
    if (b.conn() == "Connected") connectedAt = b.clock.now();
  });
  b.c().CombDir.changed.connect([&] { lastReadAt = b.clock.now(); });
  ASSERT_TRUE(b.connectAndRead());

  // Ping at 100 ms: 3 bytes out, latency, 'Y' back. Version 10 ms later: 3 out, 5 back.
  const Ticks pingDone = Ms(100) + ByteTimes(3) + kLatency + ByteTimes(1);
  const Ticks versionDone = pingDone + Ms(10) + ByteTimes(3) + kLatency + ByteTimes(5);
  EXPECT_EQ(connectedAt, versionDone);
  // Idle poll 100 ms later queues the five reads; each is 4 bytes out and 2 back.
  const Ticks secondPingDone = versionDone + Ms(100) + ByteTimes(3) + kLatency + ByteTimes(1);
  EXPECT_EQ(lastReadAt, secondPingDone + 5 * (Ms(10) + ByteTimes(4) + kLatency + ByteTimes(2)));

  // Every connection ends its start by commanding the slider's throttle.
  std::vector<Bytes> frames = b.takeFrames();
  const std::vector<Bytes> expected = {kPing,   kGetVersion, kPing,   Read(0),    Read(3),
                                       Read(1), Read(2),     Read(4), Throttle(0)};
  EXPECT_EQ(frames, expected);
  EXPECT_EQ(b.esc.throttle(), 0);
  EXPECT_EQ(b.c().TxtHardVer.text(), "MORVANE QR-18A V1.003");
  EXPECT_EQ(b.c().TxtFirmVer.text(), "V1.234");
  EXPECT_EQ(b.c().CombCutOffV.listIndex(), 3);
  EXPECT_EQ(b.c().CombCutOffT.listIndex(), 0);
  EXPECT_EQ(b.c().CombBrake.listIndex(), 1);
  EXPECT_EQ(b.c().CombTiming.listIndex(), 2);
  EXPECT_EQ(b.c().CombDir.listIndex(), 1);
  EXPECT_EQ(b.s().wantedValue, (std::array<std::int32_t, 5>{3, 0, 1, 2, 1}));

  // Then idle polls, 100 ms after each reply, and nothing is written back.
  b.clock.runFor(Ms(1000));
  frames = b.takeFrames();
  ASSERT_GE(frames.size(), 9u);
  for (const Bytes& f : frames) EXPECT_EQ(f, kPing);
}

TEST(Scenario, EchoingLineConnectsAndReadsLikeAQuietOne) {
  Bench b;
  b.line.setEcho(true);
  b.esc.setSetting(PARAM_TIMING, 3);
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_EQ(b.c().TxtHardVer.text(), "MORVANE QR-18A V1.003");
  EXPECT_EQ(b.c().CombTiming.listIndex(), 2);
  b.takeFrames();
  // With the echo the receiver drops the 5 frame bytes, then takes 'Y' 0x04.
  b.c().CombCutOffV.setListIndex(3);
  ASSERT_TRUE(b.runUntil([&] { return b.s().deviceValue[0] == 3; }, Ms(500)));
  EXPECT_EQ(b.takeFrames().back(), Write(PARAM_CUTOFF_VOLTAGE, 4));
  EXPECT_EQ(b.esc.setting(PARAM_CUTOFF_VOLTAGE), 4);
  EXPECT_EQ(b.c().CombCutOffV.listIndex(), 3);
}

TEST(Scenario, NoiseBeforeRepliesAndRepliesSplitInTwoStillConnect) {
  Bench b;
  sim::FaultOptions faults;
  faults.noiseBytes = 3;
  faults.splitAfter = 2;
  faults.splitGapMs = 40;
  b.line.setFaults(faults);
  b.esc.setSetting(PARAM_BRAKE, 2);
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_EQ(b.c().TxtFirmVer.text(), "V1.234");
  EXPECT_EQ(b.c().CombBrake.listIndex(), 1);
  EXPECT_EQ(b.s().missCount, 0);
}

TEST(Scenario, AUserChangeIsWrittenOnceThenTheLineIsQuiet) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.takeFrames();

  b.c().CombCutOffV.setListIndex(3);  // "7.2V"
  EXPECT_EQ(b.s().wantedValue[0], 3);
  b.clock.runFor(Ms(2000));
  std::vector<Bytes> frames = b.takeFrames();
  int writes = 0;
  for (const Bytes& f : frames) {
    if (f != kPing) {
      EXPECT_EQ(f, Write(PARAM_CUTOFF_VOLTAGE, 4));
      ++writes;
    }
  }
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(b.esc.setting(PARAM_CUTOFF_VOLTAGE), 4);
  EXPECT_EQ(b.s().deviceValue[0], 3);
  EXPECT_EQ(b.c().CombCutOffV.listIndex(), 3);
}

TEST(Scenario, RestoreDefaultsWritesOnlyTheSettingsThatDiffer) {
  Bench b;
  b.esc.setSetting(PARAM_CUTOFF_VOLTAGE, 6);
  b.esc.setSetting(PARAM_DIRECTION, 2);
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_EQ(b.c().CombCutOffV.listIndex(), 5);
  b.takeFrames();

  b.c().CmdReset.click();
  ASSERT_TRUE(b.runUntil([&] { return b.s().deviceValue == b.s().wantedValue; }, Ms(1000)));
  std::vector<Bytes> writes;
  for (const Bytes& f : b.takeFrames())
    if (f != kPing) writes.push_back(f);
  EXPECT_EQ(writes, (std::vector<Bytes>{Write(PARAM_CUTOFF_VOLTAGE, 2), Write(PARAM_DIRECTION, 1)}));
  EXPECT_EQ(b.esc.settings(), sim::kFactorySettings);
}

TEST(Scenario, RestoreDefaultsWhileUnconnectedIsReplacedByTheEscValuesOnConnection) {
  Bench b;
  b.esc.setSetting(PARAM_BRAKE, 2);
  b.line.addPort(1);
  b.form.Load();
  b.c().CombBrake.setListIndex(1);
  b.c().CmdReset.click();
  EXPECT_EQ(b.s().wantedValue[2], 0);
  b.line.attachEsc(1, b.esc);
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_EQ(b.c().CombBrake.listIndex(), 1);
  EXPECT_EQ(b.esc.setting(PARAM_BRAKE), 2);
}

TEST(Scenario, ValuesOutsideTheListsAreAskedAgainOrOverwrittenAtEveryPoll) {
  Bench b;
  b.esc.setSetting(PARAM_CUTOFF_VOLTAGE, 9);  // one past "12.0V"
  b.esc.setSetting(PARAM_DIRECTION, 0);       // maps to -1: never read
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Connected"; }, Ms(500)));
  // Let the reads happen; the ESC now holds what the panel showed for the cutoff voltage,
  // and direction keeps being read because it keeps answering 0.
  b.clock.runFor(Ms(600));
  EXPECT_EQ(b.esc.setting(PARAM_CUTOFF_VOLTAGE), 2);
  EXPECT_EQ(b.c().CombCutOffV.listIndex(), 1);
  EXPECT_EQ(b.s().deviceValue[4], -1);
  b.takeFrames();
  b.clock.runFor(Ms(1000));
  int directionReads = 0;
  for (const Bytes& f : b.takeFrames()) {
    if (f == Read(PARAM_DIRECTION)) ++directionReads;
    EXPECT_NE(f[2], CMD_WRITE_PARAM);
  }
  EXPECT_GE(directionReads, 8);
  EXPECT_EQ(b.c().CombDir.listIndex(), 0);
}

TEST(Scenario, AnUnknownModelIsAskedForItsVersionAfterEveryPing) {
  Bench b;
  b.esc.setHardware(8200);
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  b.clock.runFor(Ms(1000));
  const std::vector<Bytes> frames = b.takeFrames();
  ASSERT_GE(frames.size(), 8u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i], i % 2 == 0 ? kPing : kGetVersion) << i;
  }
  EXPECT_EQ(b.conn(), "Unconnected");
  EXPECT_EQ(b.c().TxtHardVer.text(), "Unknown");
  EXPECT_EQ(b.c().TxtFirmVer.text(), "Unknown");
}

TEST(Scenario, ThreeTimeoutsInARowLoseTheEscAndItIsFoundAgain) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.c().SldPower.setValue(5);
  b.clock.runFor(Ms(300));
  ASSERT_EQ(b.esc.throttle(), 5);

  // The ESC goes silent right after a reply: three timeouts of 300 ms, each followed by
  // the same ping 10 ms later.
  b.line.detachEsc(1);
  Ticks lostAt = -1;
  b.c().TxtConnState.changed.connect([&] {
    if (b.conn() == "Unconnected" && lostAt < 0) lostAt = b.clock.now();
  });
  b.takeFrames();
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Unconnected"; }, Ms(2000)));
  const auto& w = b.line.writes();
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[1].at - w[0].at, Ms(310));
  EXPECT_EQ(w[2].at - w[1].at, Ms(310));
  EXPECT_EQ(lostAt, w[2].at + Ms(300));
  EXPECT_EQ(w[3].at, lostAt);
  EXPECT_EQ(w[3].bytes, Throttle(0));
  EXPECT_EQ(b.c().TxtHardVer.text(), "Unknown");
  EXPECT_EQ(b.c().SldPower.value(), 0);
  EXPECT_EQ(b.s().missCount, 0);

  b.line.attachEsc(1, b.esc);
  ASSERT_TRUE(b.connectAndRead());
  // The slider fell to 0 when the ESC was lost: the new connection stops the motor.
  ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 0; }, Ms(500)));
}

TEST(Scenario, AnEscThatStillHearsUsWhenItIsLostIsToldToStop) {
  Bench b;
  bool silent = false;  // its replies stop reaching us; our frames still reach it
  b.line.setShaper([&](const Bytes& reply) -> std::vector<sim::ReplyChunk> {
    if (silent) return {};
    return {{1.0, reply}};
  });
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 100);
  ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 100; }, Ms(500)));

  silent = true;
  b.takeFrames();
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Unconnected"; }, Ms(2000)));
  const Ticks lostAt = b.clock.now();
  b.clock.runFor(Ms(60000));
  const auto& w = b.line.writes();
  ASSERT_GE(w.size(), 5u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(w[i].bytes, (Bytes{0x41, 0x53, 0x05})) << i;
  EXPECT_EQ(w[3].bytes, Throttle(0));
  EXPECT_EQ(w[3].at, lostAt);
  EXPECT_EQ(w[4].bytes, kPing);
  EXPECT_EQ(w[4].at, lostAt + Ms(10));
  for (std::size_t i = 4; i < w.size(); ++i) EXPECT_EQ(w[i].bytes, kPing) << i;
  EXPECT_EQ(b.esc.throttle(), 0);
}

TEST(Scenario, StrayBytesDoNotKeepASilentEscConnected) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.line.detachEsc(1);
  b.takeFrames();
  // A noisy line: one stray byte every 100 ms.
  for (int i = 1; i <= 30; ++i) {
    b.clock.scheduleIn(Ms(100) * i, [&] { b.line.inject({0x00}); });
  }
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Unconnected"; }, Ms(3000)));
  const auto& w = b.line.writes();
  ASSERT_GE(w.size(), 3u);
  EXPECT_EQ(w[1].at - w[0].at, Ms(310));
  EXPECT_EQ(w[2].at - w[1].at, Ms(310));
  EXPECT_EQ(b.clock.now(), w[2].at + Ms(300));
}

TEST(Scenario, AThrottleRaisedBeforeTheEscIsFoundNeverReachesIt) {
  Bench b;
  b.line.addPort(1);
  b.form.Load();
  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 100);
  EXPECT_EQ(b.c().SldPower.value(), 0);
  EXPECT_FALSE(b.s().motorRunning);

  b.line.attachEsc(1, b.esc);
  ASSERT_TRUE(b.connectAndRead());
  for (const Bytes& f : b.takeFrames()) {
    if (f[2] == CMD_SET_THROTTLE) {
      EXPECT_EQ(f, Throttle(0));
    }
  }
  EXPECT_EQ(b.esc.throttle(), 0);
  // Found, the ESC takes the throttle the user sets now.
  EXPECT_TRUE(b.c().SldPower.enabled());
  b.c().SldPower.setValue(5);
  EXPECT_TRUE(b.runUntil([&] { return b.esc.throttle() == 5; }, Ms(500)));
}

TEST(Scenario, SporadicMissesOverALongSessionNeverLoseTheEsc) {
  Bench b;
  sim::FaultOptions faults;
  faults.dropEvery = 7;
  b.line.setFaults(faults);
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead(Ms(5000)));
  int lost = 0;
  b.c().TxtConnState.changed.connect([&] { lost += b.conn() == "Unconnected"; });
  b.line.setRecording(false);
  b.clock.runFor(Ms(10 * 60 * 1000));
  EXPECT_EQ(lost, 0);
  EXPECT_EQ(b.conn(), "Connected");
  EXPECT_GT(b.line.notifications(), 3000u);  // the line kept talking all along
}

TEST(Scenario, RunningTheMotorPollsTheSpeedAndTheThrottleFollowsTheSlider) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.c().TabStrip1.clickTab(2);
  b.c().VSlPole.setValue(14);
  RaiseThrottle(b.c().SldPower, 100);
  ASSERT_TRUE(b.s().motorRunning);
  b.takeFrames();

  b.clock.runFor(Ms(3000));
  const std::vector<Bytes> frames = b.takeFrames();
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.front(), (Bytes{0x41, 0x53, 0x05}));  // polls turn to speed requests
  int throttles = 0;
  for (const Bytes& f : frames) {
    EXPECT_NE(f, kPing);
    if (f[2] == CMD_SET_THROTTLE) {
      EXPECT_EQ(f, Throttle(100));
      ++throttles;
    }
  }
  EXPECT_EQ(throttles, 1);
  EXPECT_EQ(b.esc.throttle(), 100);
  EXPECT_EQ(b.s().lastThrottle, 100);
  // After three seconds the motor has settled: the shown speed is the ten-sample mean of
  // what the ESC reports, within the motor's last small change.
  const double erps = b.esc.erps(b.clock.nowMs());
  const double rpm = erps / 7.0 * 60.0;
  EXPECT_NEAR(std::stod(b.c().TxtRev.text()), rpm, rpm * 0.01);

  // Back to the Config tab: throttle 0 is sent, the motor stops, speed polls end.
  b.c().TabStrip1.clickTab(1);
  EXPECT_EQ(b.c().TxtRev.text(), "0");
  ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 0; }, Ms(500)));
  b.clock.runFor(Ms(500));
  b.takeFrames();
  b.clock.runFor(Ms(500));
  for (const Bytes& f : b.takeFrames()) EXPECT_EQ(f, kPing);
}

TEST(Scenario, PortScanListsOnlyPortsThatOpenAndSelectionFailsOverDownTheList) {
  Bench b;
  for (int n : {2, 5, 9, 16}) b.line.addPort(n);
  b.line.attachEsc(9, b.esc);
  b.form.Load();
  ComboBox& box = b.c().CombPort;
  std::vector<std::string> texts;
  std::vector<std::int32_t> data;
  for (const auto& e : box.entries()) {
    texts.push_back(e.text);
    data.push_back(e.itemData);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"COM2", "COM5", "COM9", "COM16"}));
  EXPECT_EQ(data, (std::vector<std::int32_t>{2, 5, 9, 16}));
  EXPECT_EQ(box.listIndex(), 0);
  EXPECT_EQ(b.s().openPort, 2);
  EXPECT_EQ(b.line.writes().size(), 0u);  // the scan sends nothing

  // COM16 and then COM9 vanish; picking COM16 fails over to COM9, which fails over to
  // COM5, which opens.
  b.line.removePort(16);
  b.line.removePort(9);
  ASSERT_TRUE(b.runUntil([&] { return b.timer2.enabled(); }, Ms(200)));  // a ping awaits its reply
  box.setListIndex(3);
  EXPECT_EQ(b.line.rThreshold(), 0);  // nothing heard on the new port counts for the old ping
  texts.clear();
  for (const auto& e : box.entries()) texts.push_back(e.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"COM2", "COM5"}));
  EXPECT_EQ(box.listIndex(), 1);
  EXPECT_EQ(b.s().openPort, 5);
  EXPECT_TRUE(b.line.portOpen());
  EXPECT_EQ(b.line.commPort(), 5);

  // The first entry failing moves to the one that took its place.
  b.line.removePort(2);
  box.setListIndex(0);
  EXPECT_EQ(box.listCount(), 1);
  EXPECT_EQ(box.listIndex(), 0);
  EXPECT_EQ(b.s().openPort, 5);

  // The last one failing leaves an empty list and an idle link.
  b.line.removePort(5);
  b.c().TxtConnState.setText("Connected");
  b.form.OnPortFailed();
  box.setListIndex(0);
  EXPECT_EQ(box.listCount(), 0);
  EXPECT_EQ(b.s().openPort, 0);
  EXPECT_FALSE(b.timer1.enabled());
  EXPECT_FALSE(b.timer2.enabled());
  EXPECT_EQ(b.conn(), "Unconnected");
  b.clock.runFor(Ms(1000));
  EXPECT_EQ(b.clock.pendingEvents(), 0u);
}

TEST(Scenario, PickingTheOpenPortAgainChangesNothing) {
  Bench b;
  b.line.attachEsc(3, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  const int opens = b.line.openAttempts(3);
  b.c().CombPort.setListIndex(0);
  EXPECT_EQ(b.line.openAttempts(3), opens);
  EXPECT_EQ(b.conn(), "Connected");
}

TEST(Scenario, SwitchingPortsStopsTheMotorOnTheOldOneAndFindsTheEscOnTheNew) {
  TwoEscs<Bench> b;
  ASSERT_TRUE(b.connectAndRead());
  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 50);
  ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 50; }, Ms(500)));
  b.takeFrames();

  b.c().CombPort.setListIndex(1);
  EXPECT_EQ(b.esc.throttle(), 0);  // stopped before its port closed
  const auto& w = b.line.writes();
  ASSERT_EQ(w.size(), 1u);
  EXPECT_EQ(w[0].port, 1);
  EXPECT_EQ(w[0].bytes, Throttle(0));
  EXPECT_EQ(b.conn(), "Unconnected");
  EXPECT_EQ(b.c().SldPower.value(), 0);
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_EQ(b.s().openPort, 2);
}

TEST(Scenario, StartUpOpensTheFirstPortSelectsDefaultsAndShowsConfig) {
  Bench b;
  b.line.attachEsc(4, b.esc);
  b.form.Load();
  EXPECT_EQ(b.s().queue.size(), 20u);
  EXPECT_EQ(b.s().openPort, 4);
  EXPECT_TRUE(b.timer1.enabled());
  EXPECT_EQ(b.timer1.dueAt(), Ms(100));
  EXPECT_EQ(b.s().wantedValue, (std::array<std::int32_t, 5>{1, 1, 0, 1, 0}));
  EXPECT_EQ(b.c().CombCutOffV.list(b.c().CombCutOffV.listIndex()), "5.6V *");
  EXPECT_EQ(b.s().currentTab, 1);
  EXPECT_TRUE(b.c().FrameConfig.visible());
  EXPECT_FALSE(b.c().FrameRun.visible());
  EXPECT_EQ(b.c().caption.text(), "Morvane ESC Config V1.014");
  // The first poll already finds the defaults chosen.
  EXPECT_EQ(b.line.writes().size(), 0u);
}

TEST(Scenario, StartUpWithNoPortStaysIdle) {
  Bench b;
  b.form.Load();
  EXPECT_EQ(b.c().CombPort.listCount(), 0);
  EXPECT_EQ(b.c().CombPort.listIndex(), -1);
  EXPECT_FALSE(b.line.portOpen());
  EXPECT_EQ(b.s().wantedValue, (std::array<std::int32_t, 5>{1, 1, 0, 1, 0}));
  EXPECT_EQ(b.c().caption.text(), "Morvane ESC Config V1.014");
  EXPECT_TRUE(b.c().FrameConfig.visible());
  b.clock.runFor(Ms(5000));
  EXPECT_EQ(b.line.writes().size(), 0u);
  EXPECT_EQ(b.clock.pendingEvents(), 0u);
}

TEST(Scenario, ClosingTheWindowStopsARunningMotorThenClosesThePort) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.c().TabStrip1.clickTab(2);
  RaiseThrottle(b.c().SldPower, 60);
  ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 60; }, Ms(500)));
  b.takeFrames();

  b.form.Unload();
  EXPECT_EQ(b.takeFrames(), std::vector<Bytes>{Throttle(0)});
  EXPECT_EQ(b.esc.throttle(), 0);
  EXPECT_FALSE(b.line.portOpen());
  EXPECT_FALSE(b.timer1.enabled());
  EXPECT_FALSE(b.timer2.enabled());
  EXPECT_EQ(b.line.rThreshold(), 0);
}

TEST(Scenario, ClosingStopsWhateverAnsweredAndSendsNothingToASilentLine) {
  for (const bool answers : {false, true}) {
    SCOPED_TRACE(answers ? "an ESC of no known model answers" : "nothing answers");
    Bench b;
    b.esc.setHardware(8200);
    if (answers) {
      b.line.attachEsc(1, b.esc);
      b.esc.answer({CMD_SET_THROTTLE, 40}, 0);
    } else {
      b.line.addPort(1);
    }
    b.form.Load();
    b.clock.runFor(Ms(1000));
    ASSERT_EQ(b.conn(), "Unconnected");
    b.takeFrames();
    b.form.Unload();
    EXPECT_EQ(b.takeFrames(), answers ? std::vector<Bytes>{Throttle(0)} : std::vector<Bytes>{});
    if (answers) {
      EXPECT_EQ(b.esc.throttle(), 0);
    }
    EXPECT_FALSE(b.line.portOpen());
  }
}

TEST(Scenario, AnUnpluggedAdapterLeavesTheLinkQuietAndItsEntryCanBeChosenAgain) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.line.addPort(2);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.c().TabStrip1.clickTab(2);
  b.c().SldPower.setValue(5);
  ASSERT_TRUE(b.runUntil([&] { return b.timer2.enabled(); }, Ms(200)));  // a reply is awaited

  b.line.unplug();
  EXPECT_FALSE(b.line.portOpen());
  EXPECT_EQ(b.line.rThreshold(), 0);
  EXPECT_EQ(b.conn(), "Unconnected");
  EXPECT_EQ(b.c().TxtHardVer.text(), "Unknown");
  EXPECT_EQ(b.c().TxtFirmVer.text(), "Unknown");
  EXPECT_EQ(b.c().SldPower.value(), 0);
  EXPECT_EQ(b.c().CombPort.listCount(), 2);
  b.clock.runFor(Ms(5000));
  EXPECT_EQ(b.clock.pendingEvents(), 0u);  // nothing ticks, nothing spins

  b.line.attachEsc(1, b.esc);  // plugged back in
  b.c().CombPort.setListIndex(0);
  EXPECT_TRUE(b.line.portOpen());
  ASSERT_TRUE(b.connectAndRead());
}

}  // namespace
}  // namespace morvane::test

namespace morvane::test {
namespace {

TEST(Scenario, CommandsQueuedForTheOldPortNeverReachTheNewOne) {
  for (const bool unplugged : {false, true}) {
    SCOPED_TRACE(unplugged ? "adapter pulled, then another port" : "another port chosen");
    TwoEscs<Bench> b;
    ASSERT_TRUE(b.connectAndRead());
    b.c().TabStrip1.clickTab(2);
    b.c().SldPower.setValue(5);
    b.c().CombCutOffV.setListIndex(6);
    // The next poll reply queues a write and a throttle; the first of them goes out, the
    // other still waits when the user leaves the port.
    ASSERT_TRUE(b.runUntil([&] { return PendingCount(b.s()) >= 2 && !b.timer2.enabled(); }, Ms(500)));
    if (unplugged) b.line.unplug();
    b.takeFrames();
    b.c().CombPort.setListIndex(1);
    ASSERT_TRUE(b.connectAndRead());
    std::vector<Bytes> onNewPort;
    for (const auto& w : b.line.writes())
      if (w.port == 2) onNewPort.push_back(w.bytes);
    ASSERT_GE(onNewPort.size(), 2u);
    EXPECT_EQ(onNewPort[0], kPing);
    EXPECT_EQ(onNewPort[1], kGetVersion);
    EXPECT_EQ(b.other.throttle(), 0);
    EXPECT_EQ(b.other.settings(), sim::kFactorySettings);
  }
}

}  // namespace
}  // namespace morvane::test
