// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc ended by a signal while it holds a port of morvane-esc-sim: a batch ends with its
// summary and the stop frame last, a fault still sends the stop frame, and a subcommand stopped
// from outside says "interrupted" and exits with 128 + the signal.
#include <signal.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "signal_cases.h"
#include "sim_session.h"

namespace morvane::e2e {
namespace {

std::string CliProgram() {
  return MORVANE_ESC;
}

EnvChanges CliEnvironment() {
  return {{"MORVANE_ESC_PORTS", std::nullopt}, {"ASAN_OPTIONS", SanitizerOptionsForSignals()}};
}

bool StopFrameIsLast(const SimSession& sim) {
  const std::vector<std::string> frames = sim.frames();
  return !frames.empty() && frames.back() == "41 53 04 00";
}

std::string LastLine(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text.substr(text.rfind('\n') + 1);
}

class BatchSignal : public ::testing::TestWithParam<SignalCase> {};

TEST_P(BatchSignal, EndsTheBatchWithTheStopFrameLast) {
  const SignalCase& c = GetParam();
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  const std::string file = sim.dir() + "/quad.json";
  std::ofstream(file)
      << R"({"format": "morvane-esc-settings", "version": 1, "settings": {"brake": "Enable"}})";
  ChildProcess cli(CliProgram(), {"load", file, "--each", "--port", sim.link()}, CliEnvironment());
  // The ESC is done; the batch holds its port until it goes.
  ASSERT_TRUE(
      WaitFor([&] { return cli.standardOutput().find("confirmed\n") != std::string::npos; }, 15000))
      << cli.standardOutput() << cli.errorOutput();

  cli.signal(c.number);
  // An ignored signal leaves the batch to be ended by Ctrl+C as usual.
  if (c.outcome == SignalOutcome::GoesOn) cli.signal(SIGINT);
  const std::optional<int> status = cli.wait(10000);
  if (c.outcome == SignalOutcome::StopsThenDies) {
    EXPECT_EQ(cli.endingSignal(), c.number) << cli.errorOutput();
  } else {
    // Ctrl+C is how a batch ends on purpose; any other request from outside is told.
    const int expected =
        c.number == SIGINT || c.outcome == SignalOutcome::GoesOn ? 0 : 128 + c.number;
    EXPECT_EQ(status, expected) << "ended by signal " << cli.endingSignal() << "\n"
                                << cli.errorOutput();
    EXPECT_EQ(LastLine(cli.standardOutput()), "1 ESC configured, all confirmed");
  }
  EXPECT_TRUE(WaitFor([&] { return StopFrameIsLast(sim); }, 2000)) << sim.frames().size();
}

INSTANTIATE_TEST_SUITE_P(EveryEndingSignal, BatchSignal, ::testing::ValuesIn(SignalCases()),
                         [](const auto& info) { return info.param.name; });

TEST(CliSignals, ACommandStoppedFromOutsideSaysInterruptedWith128AndTheSignal) {
  struct Case {
    int signal;
    int status;
  };
  for (const Case c : {Case{SIGINT, 130}, Case{SIGTERM, 143}}) {
    SimSession sim({"--silent"});
    ASSERT_TRUE(sim.ready());
    ChildProcess cli(CliProgram(), {"read", "--timeout", "60", "--port", sim.link()},
                     CliEnvironment());
    // The second ping comes from the running program, whose stop requests are heard by then.
    ASSERT_TRUE(WaitFor([&] { return sim.frames().size() >= 2; }, 5000)) << cli.errorOutput();
    cli.signal(c.signal);
    EXPECT_EQ(cli.wait(5000), c.status) << c.signal;
    EXPECT_EQ(cli.errorOutput(), "morvane-esc: interrupted\n") << c.signal;
  }
}

}  // namespace
}  // namespace morvane::e2e
