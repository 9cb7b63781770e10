// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc's flows on the virtual clock, line and ESC: what each command prints, writes
// and ends with, and the batch of --each.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "cli_bench.h"

namespace morvane::test {
namespace {

const Bytes kStop = {0x41, 0x53, 0x04, 0x00};

TEST(CliFlow, ReadPrintsModelFirmwareAndTheSettingsInThePanelsOrder) {
  CliBench b;
  b.esc = sim::EscModel({9503, 1234, {4, 2, 3, 1, 2}});
  b.line.attachEsc(1, b.esc);
  b.start(Request({"read"}));
  ASSERT_TRUE(b.finished());
  EXPECT_EQ(b.host.status, 0);
  EXPECT_EQ(b.host.out, (std::vector<std::string>{
                            "model: MORVANE QR-18A V1.003", "firmware: V1.234",
                            "cutoffVoltage: 7.2V", "brake: Enable", "timingAdvance: 20-30\u00b0",
                            "cutoffType: Hard Cutoff", "rotationDirection: Reverse"}));
  EXPECT_EQ(b.host.err, std::vector<std::string>());
  EXPECT_EQ(b.frames(CMD_WRITE_PARAM), std::vector<Bytes>());
}

TEST(CliFlow, ReadAsJsonAndSaveGiveTheSettingsAndTheEscsTexts) {
  for (const char* command : {"read", "save"}) {
    CliBench b;
    b.esc.setSetting(PARAM_CUTOFF_VOLTAGE, 9);  // no entry of the list: left out, said so
    b.esc.setSetting(PARAM_TIMING, 1);
    b.line.attachEsc(1, b.esc);
    b.start(Request(command == std::string("read") ? std::vector<std::string>{"read", "--json"}
                                                   : std::vector<std::string>{"save", "q.json"}));
    ASSERT_TRUE(b.finished()) << command;
    EXPECT_EQ(b.host.status, 0) << command;
    const std::optional<SettingsDocument>& doc =
        command == std::string("read") ? b.host.printed : b.host.saved;
    ASSERT_TRUE(doc) << command;
    EXPECT_EQ(doc->values, (SettingValues{kNotGiven, 1, 0, 0, 0})) << command;
    EXPECT_EQ(doc->model, "MORVANE QR-18A V1.003");
    EXPECT_EQ(doc->firmware, "V1.234");
    EXPECT_EQ(b.host.err, (std::vector<std::string>{"cutoffVoltage: the ESC reports value byte 9, "
                                                    "which is not in the list; left out"}));
  }
}

TEST(CliFlow, ASaveThatCannotWriteItsFileEndsWithStatusThree) {
  CliBench b;
  b.line.attachEsc(1, b.esc);
  b.host.saveError = "q.json: cannot write: No space left on device";
  b.start(Request({"save", "q.json"}));
  ASSERT_TRUE(b.finished());
  EXPECT_EQ(b.host.status, 3);
  EXPECT_EQ(b.host.err, std::vector<std::string>{b.host.saveError});
}

TEST(CliFlow, WriteSendsOneWritePerChangedSettingAndPrintsEachConfirmed) {
  CliBench b;
  b.line.attachEsc(1, b.esc);
  b.start(Request({"write", "brake=Enable", "cutoffType=soft cutoff", "timingAdvance=20-30"}));
  ASSERT_TRUE(b.finished());
  EXPECT_EQ(b.host.status, 0);
  EXPECT_EQ(b.host.out, (std::vector<std::string>{"brake: Disable -> Enable",
                                                  "cutoffType: Soft Cutoff (unchanged)",
                                                  "timingAdvance: 10-20\u00b0 -> 20-30\u00b0"}));
  EXPECT_EQ(b.frames(CMD_WRITE_PARAM),
            (std::vector<Bytes>{{0x41, 0x53, 0x03, 0x01, 0x02}, {0x41, 0x53, 0x03, 0x02, 0x03}}));
  EXPECT_EQ(b.esc.settings(), (std::array<std::uint8_t, 5>{2, 2, 3, 2, 1}));
}

TEST(CliFlow, ResetWritesTheDefaultsTheEscDoesNotHold) {
  CliBench b;
  b.esc = sim::EscModel({9503, 1234, {2, 2, 2, 1, 1}});
  b.line.attachEsc(1, b.esc);
  b.start(Request({"reset"}));
  ASSERT_TRUE(b.finished());
  EXPECT_EQ(b.host.status, 0);
  EXPECT_EQ(b.host.out,
            (std::vector<std::string>{"cutoffVoltage: 5.6V (unchanged)", "brake: Enable -> Disable",
                                      "timingAdvance: 10-20\u00b0 (unchanged)",
                                      "cutoffType: Hard Cutoff -> Soft Cutoff",
                                      "rotationDirection: Forward (unchanged)"}));
  EXPECT_EQ(b.frames(CMD_WRITE_PARAM).size(), 2u);
  EXPECT_EQ(b.esc.settings(), sim::kFactorySettings);
}

// The command line never runs a motor: the only throttle it sends is 0, and the port is
// closed by the window's shutdown, which stops a connected ESC first.
TEST(CliFlow, TheOnlyThrottleIsZeroAndAConnectedEscGetsAStopBeforeTheClose) {
  const std::vector<std::vector<std::string>> commands = {
      {"read"},  {"read", "--json"},          {"save", "q.json"}, {"write", "brake=Enable"},
      {"reset"}, {"load", "q.json", "--each"}};
  for (const auto& args : commands) {
    CliBench b;
    b.line.attachEsc(1, b.esc);
    CliRequest request = Request(args);
    request.targets = {3, kNotGiven, 1, kNotGiven, kNotGiven};
    b.start(request);
    if (request.each) {
      ASSERT_TRUE(b.printed("ESC 1: MORVANE QR-18A V1.003, 2 settings written, confirmed"));
      b.clock.runFor(Ms(2000));
      b.flow->interrupt();
    }
    ASSERT_TRUE(b.finished()) << args[0];
    EXPECT_EQ(b.host.status, 0) << args[0];
    for (const Bytes& f : b.frames(CMD_SET_THROTTLE)) EXPECT_EQ(f, kStop) << args[0];
    EXPECT_EQ(b.esc.throttle(), 0) << args[0];
    ASSERT_FALSE(b.line.writes().empty());
    EXPECT_EQ(b.line.writes().back().bytes, kStop) << args[0];
    EXPECT_FALSE(b.line.portOpen()) << args[0];
  }
}

TEST(CliFlow, AWriteTheEscDoesNotConfirmEndsWithStatusFour) {
  CliBench b;
  b.line.attachEsc(1, b.esc);
  b.start(Request({"write", "cutoffVoltage=4.8V", "brake=Enable"}));
  ASSERT_TRUE(b.connectAndRead());
  b.refuseWrites();
  ASSERT_TRUE(b.finished());
  EXPECT_EQ(b.host.status, 4);
  EXPECT_EQ(b.host.out, std::vector<std::string>{"cutoffVoltage: 5.6V -> 4.8V"});
  EXPECT_EQ(b.host.err,
            std::vector<std::string>{"brake: the ESC did not confirm Enable, it reports Disable"});
  EXPECT_EQ(b.frames(CMD_WRITE_PARAM).size(), 2u);  // no second try
}

TEST(CliFlow, AnEscWithAValueOutsideItsListGetsNoWriteAtAll) {
  CliBench b;
  b.esc.setSetting(PARAM_DIRECTION, 7);
  b.line.attachEsc(1, b.esc);
  b.start(Request({"write", "brake=Enable"}));
  ASSERT_TRUE(b.finished());
  b.clock.runFor(Ms(2000));
  EXPECT_EQ(b.host.status, 4);
  EXPECT_EQ(b.host.err, std::vector<std::string>{"rotationDirection reads value byte 7, which "
                                                 "is not in the list; nothing written"});
  EXPECT_EQ(b.frames(CMD_WRITE_PARAM), std::vector<Bytes>());
  EXPECT_EQ(b.esc.setting(PARAM_DIRECTION), 7);
}

TEST(CliFlow, AConnectionLostDuringTheWorkEndsWithStatusFour) {
  CliBench b;
  b.line.attachEsc(1, b.esc);
  b.start(Request({"write", "brake=Enable"}));
  ASSERT_TRUE(b.connectAndRead());
  b.line.unplug();
  ASSERT_TRUE(b.finished());
  EXPECT_EQ(b.host.status, 4);
  EXPECT_EQ(b.host.err, std::vector<std::string>{
                            "connection lost before its settings were confirmed; not confirmed: brake"});
}

TEST(CliFlow, AFileThatAsksForNothingOpensNoPort) {
  CliBench b;
  b.line.attachEsc(1, b.esc);
  CliRequest request = Request({"load", "empty.json"});
  b.start(request);
  ASSERT_TRUE(b.finished(Ms(0)));
  EXPECT_EQ(b.host.status, 0);
  EXPECT_EQ(b.host.out, std::vector<std::string>{"nothing to write: empty.json holds no setting"});
  EXPECT_TRUE(b.line.writes().empty());
}

// Hardware number 1 answers every ping but belongs to no model: it is named as such, never
// mistaken for silence, and a batch counts it.
TEST(CliFlow, AnEscOfAnUnknownModelIsToldAndCountedNotMistakenForSilence) {
  const std::string what =
      "an ESC of an unknown model (hardware number 1) answered on /dev/esc1; it cannot be "
      "configured";
  for (const bool each : {false, true}) {
    CliBench b;
    b.esc = sim::EscModel({1, 1234, {2, 2, 2, 2, 1}});
    b.line.attachEsc(1, b.esc);
    CliRequest request = Request({"load", "quad.json"});
    request.each = each;
    request.targets = {kNotGiven, kNotGiven, 1, kNotGiven, kNotGiven};
    b.start(request);
    if (!each) {
      ASSERT_TRUE(b.finished(Ms(2000)));
      EXPECT_EQ(b.host.status, 4);
      EXPECT_EQ(b.host.err, std::vector<std::string>{what});
      continue;
    }
    ASSERT_TRUE(b.printed("ESC 1: " + what + ", skipped"));
    b.clock.runFor(Ms(5000));  // still answering: told once
    EXPECT_EQ(b.host.out.size(), 1u);
    b.line.detachEsc(1);
    b.clock.runFor(Ms(2000));
    b.line.attachEsc(1, b.esc);  // another of its kind is another ESC
    ASSERT_TRUE(b.printed("ESC 2: " + what + ", skipped"));
    b.flow->interrupt();
    ASSERT_TRUE(b.finished(Ms(100)));
    EXPECT_EQ(b.host.out.back(), "2 ESCs: 0 confirmed, 2 of an unknown model");
    EXPECT_EQ(b.host.status, 4);
  }
}

TEST(CliFlow, WithoutAnEscTheSearchEndsAfterTheTimeoutWithStatusOne) {
  CliBench b;
  b.line.addPort(1);
  b.start(Request({"read", "--timeout", "1.5"}));
  ASSERT_TRUE(b.finished());
  EXPECT_EQ(b.host.status, 1);
  EXPECT_EQ(b.host.err, std::vector<std::string>{"no ESC answered on /dev/esc1 within 1.5 s"});
  EXPECT_GE(b.clock.nowMs(), 1500);
  EXPECT_LT(b.clock.nowMs(), 1700);
}

TEST(CliFlow, APortThatDoesNotOpenEndsWithStatusFiveAndTheReason) {
  CliBench b;
  b.host.failures[1] = "Permission denied";
  b.start(Request({"read"}));
  ASSERT_TRUE(b.finished(Ms(100)));
  EXPECT_EQ(b.host.status, 5);
  EXPECT_EQ(b.host.err, std::vector<std::string>{"cannot open /dev/esc1: Permission denied"});
}

TEST(CliFlow, TheFirstPortWhereAnEscAnswersIsUsed) {
  CliBench b;
  b.line.addPort(1);  // an adapter with nothing on it
  b.line.attachEsc(3, b.esc);
  b.line.addPort(2);
  b.start(Request({"write", "brake=Enable"}), 3);
  ASSERT_TRUE(b.finished());
  EXPECT_EQ(b.host.status, 0);
  const auto writes = b.frames(CMD_WRITE_PARAM);
  ASSERT_EQ(writes.size(), 1u);
  for (const auto& w : b.line.writes()) {
    if (w.bytes == writes[0]) {
      EXPECT_EQ(w.port, 3);
    }
  }
}

TEST(CliFlow, CtrlCEndsTheWorkWithStatusOneBeforeAnEscAnsweredAndFourAfter) {
  for (const bool escAnswered : {false, true}) {
    CliBench b;
    b.line.addPort(1);
    if (escAnswered) b.line.attachEsc(1, b.esc);
    b.start(Request({"write", "brake=Enable"}));
    ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Connected" || !escAnswered; }, Ms(2000)));
    b.flow->interrupt();
    ASSERT_TRUE(b.finished(Ms(100)));
    EXPECT_EQ(b.host.status, escAnswered ? 4 : 1);
    EXPECT_EQ(b.host.err, std::vector<std::string>{"interrupted"});
    EXPECT_FALSE(b.line.portOpen());
  }
}

// After each ESC the batch waits until it is gone, however it goes, before the next counts.
TEST(CliFlow, EachConfiguresOneEscAfterAnotherAndEndsWithASummary) {
  for (const bool unplugged : {false, true}) {
    CliBench b;
    sim::EscModel second({10503, 1100, {2, 2, 2, 2, 1}});
    b.line.attachEsc(1, b.esc);
    CliRequest request = Request({"load", "quad.json", "--each"});
    request.targets = {kNotGiven, kNotGiven, 1, kNotGiven, 1};
    b.start(request);
    EXPECT_EQ(b.host.err,
              std::vector<std::string>{"waiting for an ESC on /dev/esc1; Ctrl+C ends the batch"});
    ASSERT_TRUE(b.printed("ESC 1: MORVANE QR-18A V1.003, 2 settings written, confirmed"));
    b.clock.runFor(Ms(5000));  // the same ESC, still answering, is not taken again
    EXPECT_EQ(b.host.out.size(), 1u);

    if (unplugged) {
      b.line.unplug();
    } else {
      b.line.detachEsc(1);  // silent: three replies missed
    }
    b.clock.runFor(Ms(2000));
    b.line.addPort(1);
    b.line.attachEsc(1, second);
    ASSERT_TRUE(b.printed("ESC 2: MORVANE QR-25A V1.003, 1 setting written, confirmed"))
        << unplugged;
    EXPECT_EQ(second.settings(), (std::array<std::uint8_t, 5>{2, 2, 2, 2, 2}));
    b.flow->interrupt();
    ASSERT_TRUE(b.finished(Ms(100)));
    EXPECT_EQ(b.host.out.back(), "2 ESCs configured, all confirmed");
    EXPECT_EQ(b.host.status, 0);
  }
}

TEST(CliFlow, EachCountsAnEscThatDidNotConfirmAndThenEndsWithStatusFour) {
  CliBench b;
  b.line.attachEsc(1, b.esc);
  CliRequest request = Request({"load", "quad.json", "--each"});
  request.targets = {kNotGiven, kNotGiven, 1, kNotGiven, kNotGiven};
  b.start(request);
  ASSERT_TRUE(b.connectAndRead());
  b.refuseWrites();
  ASSERT_TRUE(b.printed(
      "ESC 1: MORVANE QR-18A V1.003, brake: the ESC did not confirm Enable, it reports Disable"));
  b.flow->interrupt();
  ASSERT_TRUE(b.finished(Ms(100)));
  EXPECT_EQ(b.host.out.back(), "1 ESC: 0 confirmed, 1 not confirmed");
  EXPECT_EQ(b.host.status, 4);
}

// diff reads and compares: not a byte of a write, whatever the ESC holds.
TEST(CliFlow, DiffPrintsEachSettingOfTheFileWritesNothingAndEndsWithSixWhenItDiffers) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    SettingValues file;
    int status;
    std::vector<std::string> out;
  };
  const Case cases[] = {
      {"differs", {"diff", "q.json"}, {5, kNotGiven, 0, kNotGiven, kNotGiven}, 6,
       {"! cutoffVoltage: ESC 5.6V, file 9.0V", "= brake: Disable"}},
      {"equal", {"diff", "q.json"}, {kNotGiven, 1, 0, 1, kNotGiven}, 0,
       {"= brake: Disable", "= timingAdvance: 10-20\u00b0", "= cutoffType: Soft Cutoff"}},
      {"json", {"diff", "q.json", "--json"}, {kNotGiven, kNotGiven, 1, kNotGiven, kNotGiven}, 6,
       {"{\"equal\":false,\"settings\":[{\"name\":\"brake\",\"esc\":\"Disable\","
        "\"file\":\"Enable\",\"equal\":false}]}"}},
  };
  for (const Case& c : cases) {
    CliBench b;
    b.line.attachEsc(1, b.esc);
    CliRequest request = Request(c.args);
    request.targets = c.file;
    b.start(request);
    ASSERT_TRUE(b.finished()) << c.name;
    EXPECT_EQ(b.host.status, c.status) << c.name;
    EXPECT_EQ(b.host.out, c.out) << c.name;
    EXPECT_EQ(b.frames(CMD_WRITE_PARAM), std::vector<Bytes>()) << c.name;
    for (const Bytes& frame : b.frames(CMD_SET_THROTTLE)) EXPECT_EQ(frame, kStop) << c.name;
    EXPECT_EQ(b.esc.settings(), (std::array<std::uint8_t, 5>{2, 1, 2, 2, 1})) << c.name;
  }
}

// The record keeps a row per ESC as it ends: the second goes silent while its write is out,
// so what it holds after is not known and its row says lost.
TEST(CliFlow, RecordHasARowPerEscAndAnEscSilentMidWriteIsLostWithItsAfterUnknown) {
  CliBench b;
  sim::EscModel second({10503, 1100, {2, 2, 2, 2, 1}});
  b.line.attachEsc(1, b.esc);
  CliRequest request = Request({"load", "quad.json", "--each", "--record", "r.csv"});
  request.targets = {kNotGiven, kNotGiven, 1, kNotGiven, 1};
  b.start(request);
  ASSERT_TRUE(b.printed("ESC 1: MORVANE QR-18A V1.003, 2 settings written, confirmed"));
  ASSERT_EQ(b.host.rows.size(), 1u);  // written as it happened, not at the end
  b.line.detachEsc(1);
  b.clock.runFor(Ms(2000));
  b.line.attachEsc(1, second);
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Connected" && b.readDone(); }, Ms(5000)));
  b.line.setShaper([](const std::vector<std::uint8_t>&) { return std::vector<sim::ReplyChunk>{}; });
  ASSERT_TRUE(b.runUntil([&] { return b.host.rows.size() == 2; }, Ms(5000)));
  EXPECT_EQ(b.frames(CMD_WRITE_PARAM).back(), (Bytes{0x41, 0x53, 0x03, 0x04, 0x02}));
  EXPECT_EQ(b.host.rows,
            (std::vector<std::string>{
                "2026-05-01T10:00:00Z,1,MORVANE QR-18A V1.003,V1.234,5.6V,5.6V,Disable,Enable,"
                "10-20\u00b0,10-20\u00b0,Soft Cutoff,Soft Cutoff,Forward,Reverse,confirmed,\n",
                "2026-05-01T10:00:00Z,2,MORVANE QR-25A V1.003,V1.100,5.6V,5.6V,Enable,Enable,"
                "10-20\u00b0,10-20\u00b0,Soft Cutoff,Soft Cutoff,Forward,,lost,connection lost "
                "before its settings were confirmed; not confirmed: rotationDirection\n"}));
  EXPECT_EQ(second.settings()[4], 1);
}

}  // namespace
}  // namespace morvane::test
