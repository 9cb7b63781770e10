// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc-config on an X server of the test's own, driven through the keyboard as a user
// drives it: a motor left running by a program that ended without its shutdown is stopped,
// and no signal ends the window with its motor running.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "signal_cases.h"
#include "sim_session.h"

namespace morvane::e2e {
namespace {

#if defined(MORVANE_XVFB) && defined(MORVANE_XDOTOOL)

// Xvfb picks a free display number itself, so tests running side by side never share one.
class PrivateDisplay {
 public:
  PrivateDisplay()
      : server_(MORVANE_XVFB,
                {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"}) {
    if (const auto number = server_.firstLine(10000)) name_ = ":" + *number;
  }
  bool ready() const { return !name_.empty(); }
  const std::string& name() const { return name_; }
  ChildProcess& server() { return server_; }

 private:
  ChildProcess server_;
  std::string name_;
};

std::optional<std::string> Xdotool(const PrivateDisplay& display,
                                   const std::vector<std::string>& args) {
  ChildProcess tool(MORVANE_XDOTOOL, args, {{"DISPLAY", display.name()}});
  if (tool.wait(10000) != 0) return std::nullopt;
  return tool.standardOutput();
}

std::unique_ptr<ChildProcess> StartWindow(const PrivateDisplay& display, const SimSession& sim,
                                          const EnvChanges& more = {},
                                          const std::vector<std::string>& args = {}) {
  // A session bus address where none listens: with none set, Qt's D-Bus library would start
  // one through dbus-launch where dbus-x11 is installed, and it would outlive the test.
  EnvChanges env = {{"DISPLAY", display.name()},
                    {"WAYLAND_DISPLAY", std::nullopt},
                    {"QT_QPA_PLATFORM", "xcb"},
                    {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + sim.dir() + "/no-session-bus"},
                    {"MORVANE_ESC_PORTS", sim.link()}};
  for (const auto& [name, value] : more) env[name] = value;
  return std::make_unique<ChildProcess>(ConfigProgram(), args, env);
}

// exit() from inside the event loop leaves Qt and the libraries under it allocated: under
// LeakSanitizer that is no leak of ours to report.
EnvChanges WithoutLeakCheck() {
  const char* options = std::getenv("ASAN_OPTIONS");
  return {{"ASAN_OPTIONS", std::string(options == nullptr ? "" : options) + ":detect_leaks=0"}};
}

std::string ThrottleFrame(int throttle) {
  char frame[16];
  std::snprintf(frame, sizeof frame, "41 53 04 %02x", throttle);
  return frame;
}

std::vector<std::string> FramesFrom(const SimSession& sim, std::size_t first) {
  const std::vector<std::string> all = sim.frames();
  return first < all.size()
             ? std::vector<std::string>(all.begin() + static_cast<long>(first), all.end())
             : std::vector<std::string>{};
}

// Where `frame` first appears after position `after`; frames.size() when it does not.
std::size_t FindAfter(const std::vector<std::string>& frames, const std::string& frame,
                      std::size_t after) {
  for (std::size_t i = after + 1; i < frames.size(); ++i) {
    if (frames[i] == frame) return i;
  }
  return frames.size();
}

// The frames for a failure message, a run of repeats (idle polls) as one line.
std::string Joined(const std::vector<std::string>& frames) {
  std::string text;
  for (std::size_t i = 0; i < frames.size();) {
    std::size_t end = i + 1;
    while (end < frames.size() && frames[end] == frames[i]) ++end;
    text += "\n  " + frames[i] + (end - i > 1 ? " (x" + std::to_string(end - i) + ")" : "");
    i = end;
  }
  return text;
}

bool FiveReadsSeen(const SimSession& sim) {
  return sim.framesStartingWith("41 53 02").size() == 5;
}

// Alt+R shows the Run tab and puts the keyboard on the throttle slider; each Page Up raises
// the throttle by 5. Every step is seen on the line before the next key.
::testing::AssertionResult RunMotorAt40(const PrivateDisplay& display, const SimSession& sim) {
  std::string window;
  WaitFor(
      [&] {
        const auto found =
            Xdotool(display, {"search", "--onlyvisible", "--name", "Morvane ESC Config"});
        if (found && !found->empty()) window = found->substr(0, found->find('\n'));
        return !window.empty();
      },
      10000);
  if (window.empty()) return ::testing::AssertionFailure() << "no window to drive";
  if (!Xdotool(display, {"windowfocus", "--sync", window}) || !Xdotool(display, {"key", "alt+r"})) {
    return ::testing::AssertionFailure() << "xdotool could not reach the window";
  }
  for (int throttle = 5; throttle <= 40; throttle += 5) {
    Xdotool(display, {"key", "Page_Up"});
    if (!WaitFor([&] { return !sim.framesStartingWith(ThrottleFrame(throttle)).empty(); }, 5000)) {
      return ::testing::AssertionFailure() << "the slider never sent throttle " << throttle
                                           << "; frames:" << Joined(sim.frames());
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(WindowOnADisplay, AfterAKillTheNextStartStopsTheMotorOnceTheSettingsAreRead) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  PrivateDisplay display;
  ASSERT_TRUE(display.ready()) << display.server().errorOutput();
  {
    const auto killed = StartWindow(display, sim);
    ASSERT_TRUE(WaitFor([&] { return FiveReadsSeen(sim); }, 10000)) << killed->errorOutput();
    ASSERT_TRUE(RunMotorAt40(display, sim));
    killed->signal(SIGKILL);
    killed->wait(5000);
    ASSERT_EQ(killed->endingSignal(), SIGKILL);
  }

  // Nothing can stop the motor as a program is killed: the ESC still runs at 40.
  const std::size_t seen = sim.frames().size();
  const auto next = StartWindow(display, sim);
  const auto stopAfterFiveReads = [&] {
    const std::vector<std::string> frames = FramesFrom(sim, seen);
    std::size_t reads = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
      if (frames[i].rfind("41 53 02", 0) == 0 && ++reads == 5) {
        return FindAfter(frames, ThrottleFrame(0), i) < frames.size();
      }
    }
    return false;
  };
  EXPECT_TRUE(WaitFor(stopAfterFiveReads, 10000)) << "frames:" << Joined(FramesFrom(sim, seen));
}

TEST(WindowOnADisplay, AnEndWithoutShutdownStopsTheRunningMotorFirst) {
  struct Case {
    const char* what;
    std::function<void(PrivateDisplay&, ChildProcess&)> end;
    int endingSignal;  // 0: it exits
    EnvChanges env;
  };
  const std::vector<Case> cases = {
      {"the X server ends", [](PrivateDisplay& d, ChildProcess&) { d.server().signal(SIGTERM); }, 0,
       WithoutLeakCheck()},
      {"a crash (SIGABRT)",
       [](PrivateDisplay&, ChildProcess& app) { app.signal(SIGABRT); },
       SIGABRT,
       {}},
  };
  for (const Case& c : cases) {
    SimSession sim;
    ASSERT_TRUE(sim.ready());
    PrivateDisplay display;
    ASSERT_TRUE(display.ready()) << display.server().errorOutput();
    const auto app = StartWindow(display, sim, c.env);
    ASSERT_TRUE(WaitFor([&] { return FiveReadsSeen(sim); }, 10000)) << app->errorOutput();
    ASSERT_TRUE(RunMotorAt40(display, sim)) << c.what;

    c.end(display, *app);
    const std::optional<int> status = app->wait(10000);
    EXPECT_TRUE(status || app->endingSignal() != 0) << c.what << ": still running";
    EXPECT_EQ(app->endingSignal(), c.endingSignal) << c.what;
    const auto stopAfter40 = [&] {
      const std::vector<std::string> frames = sim.frames();
      std::size_t at40 = frames.size();
      for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i] == ThrottleFrame(40)) at40 = i;
      }
      return at40 < frames.size() && FindAfter(frames, ThrottleFrame(0), at40) < frames.size();
    };
    EXPECT_TRUE(WaitFor(stopAfter40, 2000)) << c.what << "; frames:" << Joined(sim.frames()) << "\n"
                                            << app->errorOutput();
  }
}

bool StopFrameIsLast(const SimSession& sim) {
  const std::vector<std::string> frames = sim.frames();
  return !frames.empty() && frames.back() == ThrottleFrame(0);
}

// Qt 6.8's X11 plugin leaves its desktop services allocated at exit: no leak of ours.
EnvChanges ForSignals() {
  return {{"ASAN_OPTIONS", SanitizerOptionsForSignals() + ":detect_leaks=0"}};
}

class WindowSignal : public ::testing::TestWithParam<SignalCase> {};

TEST_P(WindowSignal, LeavesTheStopFrameLastOnTheWire) {
  const SignalCase& c = GetParam();
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  PrivateDisplay display;
  ASSERT_TRUE(display.ready()) << display.server().errorOutput();
  const auto app = StartWindow(display, sim, ForSignals());
  ASSERT_TRUE(WaitFor([&] { return FiveReadsSeen(sim); }, 10000)) << app->errorOutput();
  ASSERT_TRUE(RunMotorAt40(display, sim));

  app->signal(c.number);
  switch (c.outcome) {
    case SignalOutcome::GoesOn:
      // Still the user's window: the next step of the throttle reaches the wire.
      Xdotool(display, {"key", "Page_Up"});
      ASSERT_TRUE(WaitFor([&] { return !sim.framesStartingWith(ThrottleFrame(45)).empty(); }, 5000))
          << "frames:" << Joined(sim.frames()) << "\n"
          << app->errorOutput();
      app->signal(SIGTERM);
      [[fallthrough]];
    case SignalOutcome::Closes:
      EXPECT_EQ(app->wait(10000), 0) << "ended by signal " << app->endingSignal() << "\n"
                                     << app->errorOutput();
      break;
    case SignalOutcome::StopsThenDies:
      app->wait(10000);
      EXPECT_EQ(app->endingSignal(), c.number) << app->errorOutput();
      break;
  }
  EXPECT_TRUE(WaitFor([&] { return StopFrameIsLast(sim); }, 2000))
      << "frames:" << Joined(sim.frames()) << "\n"
      << app->errorOutput();
}

INSTANTIATE_TEST_SUITE_P(EveryEndingSignal, WindowSignal, ::testing::ValuesIn(SignalCases()),
                         [](const auto& info) { return info.param.name; });

// `--log` into a pipe whose reader goes away while the motor runs: a failed log, not an end.
TEST(WindowOnADisplay, ALogWhoseReaderGoesAwayIsToldOnceAndTheWindowGoesOn) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  const std::string fifo = sim.dir() + "/log";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  // Room for every line until the reader goes, as nothing reads them.
  ::fcntl(reader, F_SETPIPE_SZ, 1 << 20);
  PrivateDisplay display;
  ASSERT_TRUE(display.ready()) << display.server().errorOutput();
  const auto app = StartWindow(display, sim, ForSignals(), {"--log", fifo});
  ASSERT_TRUE(WaitFor([&] { return FiveReadsSeen(sim); }, 10000)) << app->errorOutput();
  ASSERT_TRUE(RunMotorAt40(display, sim));

  ::close(reader);
  const std::string told = "morvane-esc-config: the support log " + fifo + " cannot be written";
  ASSERT_TRUE(WaitFor([&] { return app->errorOutput().find(told) != std::string::npos; }, 5000))
      << app->errorOutput();
  Xdotool(display, {"key", "Page_Up"});
  ASSERT_TRUE(WaitFor([&] { return !sim.framesStartingWith(ThrottleFrame(45)).empty(); }, 5000))
      << "frames:" << Joined(sim.frames());
  app->signal(SIGTERM);
  EXPECT_EQ(app->wait(10000), 0) << app->errorOutput();
  EXPECT_TRUE(WaitFor([&] { return StopFrameIsLast(sim); }, 2000))
      << "frames:" << Joined(sim.frames());
  const std::string error = app->errorOutput();
  EXPECT_EQ(error.find(told), error.rfind(told)) << error;
}

// The processes whose environment holds `entry` ("NAME=value"), as their children inherit it.
std::vector<std::string> ProcessesWith(const std::string& entry) {
  const std::string nul(1, '\0');
  std::vector<std::string> found;
  std::error_code error;
  for (const auto& process : std::filesystem::directory_iterator("/proc", error)) {
    std::ifstream in(process.path() / "environ", std::ios::binary);
    const std::string variables = nul + std::string(std::istreambuf_iterator<char>(in), {});
    if (variables.find(nul + entry + nul) == std::string::npos) continue;
    std::ifstream args(process.path() / "cmdline", std::ios::binary);
    std::string line = process.path().filename().string();
    line.append(1, ' ').append(std::istreambuf_iterator<char>(args), {});
    std::replace(line.begin(), line.end(), '\0', ' ');
    found.push_back(line);
  }
  return found;
}

TEST(WindowOnADisplay, LeavesNothingRunningOnceItHasClosed) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  PrivateDisplay display;
  ASSERT_TRUE(display.ready()) << display.server().errorOutput();
  const auto app = StartWindow(display, sim, ForSignals());
  ASSERT_TRUE(WaitFor([&] { return FiveReadsSeen(sim); }, 10000)) << app->errorOutput();
  app->signal(SIGTERM);
  ASSERT_EQ(app->wait(10000), 0) << app->errorOutput();
  EXPECT_EQ(ProcessesWith("MORVANE_ESC_PORTS=" + sim.link()), std::vector<std::string>());
}

#else

TEST(WindowOnADisplay, NeedsXvfbAndXdotool) {
  GTEST_SKIP() << "Xvfb or xdotool is not installed (scripts/setup-deps.sh installs both)";
}

#endif

}  // namespace
}  // namespace morvane::e2e
