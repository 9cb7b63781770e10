// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc ended by a signal while it holds a port of morvane-esc-sim: a batch ends with its
// summary and the stop frame last, a fault still sends the stop frame, and a subcommand stopped
// from outside says "interrupted" and exits with 128 + the signal.
#include <signal.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
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

// `load --each` of one setting, on the simulator's port.
std::unique_ptr<ChildProcess> StartBatch(const SimSession& sim) {
  const std::string file = sim.dir() + "/quad.json";
  std::ofstream(file)
      << R"({"format": "morvane-esc-settings", "version": 1, "settings": {"brake": "Enable"}})";
  return std::make_unique<ChildProcess>(
      CliProgram(), std::vector<std::string>{"load", file, "--each", "--port", sim.link()},
      CliEnvironment());
}

// The ESC is configured; the batch holds its port until the ESC goes.
bool EscDone(ChildProcess& cli) {
  return WaitFor([&] { return cli.standardOutput().find("confirmed\n") != std::string::npos; },
                 15000);
}

class BatchSignal : public ::testing::TestWithParam<SignalCase> {};

TEST_P(BatchSignal, EndsTheBatchWithTheStopFrameLast) {
  const SignalCase& c = GetParam();
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  const auto batch = StartBatch(sim);
  ChildProcess& cli = *batch;
  ASSERT_TRUE(EscDone(cli)) << cli.standardOutput() << cli.errorOutput();

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

// A script's background job starts with SIGQUIT ignored. Once the stop frame is out the
// program must not go on without its last resort.
TEST(CliSignals, AFaultSignalIgnoredSinceTheStartStillEndsAfterTheStopFrame) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  struct sigaction ignore {};
  struct sigaction previous {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGQUIT, &ignore, &previous);
  const auto batch = StartBatch(sim);
  ::sigaction(SIGQUIT, &previous, nullptr);
  ASSERT_TRUE(EscDone(*batch)) << batch->standardOutput() << batch->errorOutput();

  batch->signal(SIGQUIT);
  batch->wait(10000);
  EXPECT_EQ(batch->endingSignal(), SIGQUIT);
  EXPECT_TRUE(WaitFor([&] { return StopFrameIsLast(sim); }, 2000)) << sim.frames().size();
}

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
