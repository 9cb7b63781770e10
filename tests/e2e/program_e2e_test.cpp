// SPDX-License-Identifier: GPL-3.0-or-later
// The installed programs as a user starts them: morvane-esc-config against the simulator,
// and morvane-esc-sim's command line.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "child_process.h"
#include "sim_session.h"
#include "temp_dir.h"

namespace morvane::e2e {
namespace {

using Bytes = std::vector<std::uint8_t>;

int CountLines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ConfigProgram, RunsAgainstTheSimulatorAndStopsTheMotorWhenTerminated) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  ChildProcess app(ConfigProgram(), {},
                   {{"MORVANE_ESC_PORTS", sim.link()}, {"QT_QPA_PLATFORM", "offscreen"}});
  ASSERT_TRUE(app.started());
  ASSERT_TRUE(WaitFor([&] { return sim.framesStartingWith("41 53 02").size() == 5; }, 10000))
      << app.errorOutput();

  // SIGTERM closes the window the ordinary way: the connected ESC gets throttle 0 first.
  app.signal(SIGTERM);
  EXPECT_EQ(app.wait(5000), 0);
  ASSERT_TRUE(WaitFor([&] { return sim.frames().back() == "41 53 04 00"; }, 2000))
      << sim.frames().back();
}

// The environment of a machine with no desktop at all.
const EnvChanges kNoDisplay = {{"DISPLAY", std::nullopt},
                               {"WAYLAND_DISPLAY", std::nullopt},
                               {"QT_QPA_PLATFORM", std::nullopt}};

EnvChanges NoDisplayWith(const EnvChanges& more) {
  EnvChanges env = kNoDisplay;
  for (const auto& [name, value] : more) env[name] = value;
  return env;
}

// An X display number that nothing serves.
std::string UnusedDisplay() {
  int n = 5000 + static_cast<int>(::getpid() % 1000);
  while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n))) ++n;
  return ":" + std::to_string(n);
}

TEST(ConfigProgram, AnswersHelpAndRefusesUnknownArgumentsWithoutADisplay) {
  ChildProcess help(ConfigProgram(), {"--help"}, kNoDisplay);
  EXPECT_EQ(help.wait(10000), 0) << help.errorOutput();
  EXPECT_NE(help.standardOutput().find("MORVANE_ESC_PORTS"), std::string::npos);

  ChildProcess bad(ConfigProgram(), {"--frobnicate"}, kNoDisplay);
  EXPECT_EQ(bad.wait(10000), 2);
  const std::string error = bad.errorOutput();
  EXPECT_EQ(CountLines(error), 1) << error;
  EXPECT_NE(error.find("--frobnicate"), std::string::npos) << error;
}

TEST(ConfigProgram, WithoutAUsableDisplaySaysWhatToDoInOneLine) {
  for (const EnvChanges& env : {kNoDisplay, NoDisplayWith({{"DISPLAY", UnusedDisplay()}})}) {
    ChildProcess app(ConfigProgram(), {}, env);
    EXPECT_EQ(app.wait(10000), 1) << app.errorOutput();
    const std::string error = app.errorOutput();
    EXPECT_EQ(CountLines(error), 1) << error;
    EXPECT_NE(error.find("QT_QPA_PLATFORM=offscreen"), std::string::npos) << error;
  }
}

TEST(ConfigProgram, TakesQtsOwnOptionsInEitherForm) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-platform", "offscreen"}, {"--platform=offscreen"}}) {
    SimSession sim;
    ASSERT_TRUE(sim.ready());
    ChildProcess app(ConfigProgram(), args, NoDisplayWith({{"MORVANE_ESC_PORTS", sim.link()}}));
    EXPECT_TRUE(WaitFor([&] { return sim.framesStartingWith("41 53 02").size() == 5; }, 10000))
        << args[0] << ": " << app.errorOutput();
    app.signal(SIGTERM);
    EXPECT_EQ(app.wait(5000), 0) << args[0];
  }
}

TEST(SimProgram, BadOptionsGiveOneLineAndStatusTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},
      {"stray"},
      {"--latency"},
      {"--latency", "soon"},
      {"--latency", "-1"},
      {"--latency", "nan"},
      {"--split", "60001"},
      {"--hardware", "65536"},
      {"--firmware", "1.5"},
      {"--settings", "1,2,3,4"},
      {"--settings", "1,2,3,4,256"},
      {"--settings", "1,2,,4,5"},
      {"--drop-every", "0"},
      {"--echo=yes"},
      {"--link", ""},
      {"--log"},
  };
  for (const auto& args : cases) {
    ChildProcess sim(SimProgram(), args);
    EXPECT_EQ(sim.wait(5000), 2) << args[0];
    EXPECT_EQ(sim.standardOutput(), "") << args[0];
    const std::string error = sim.errorOutput();
    EXPECT_EQ(CountLines(error), 1) << error;
    EXPECT_EQ(error.rfind("morvane-esc-sim: ", 0), 0u) << error;
  }
}

TEST(SimProgram, HelpExplainsEveryOption) {
  ChildProcess sim(SimProgram(), {"--help"});
  EXPECT_EQ(sim.wait(5000), 0);
  const std::string help = sim.standardOutput();
  for (const char* option :
       {"--echo", "--latency", "--hardware", "--firmware", "--settings", "--drop-every", "--noise",
        "--split", "--silent", "--log", "--link", "--help"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
}

TEST(SimProgram, StopsOnSignalWithStatusZeroAndRemovesItsLink) {
  for (int sig : {SIGINT, SIGTERM}) {
    SimSession sim;
    ASSERT_TRUE(sim.ready());
    EXPECT_TRUE(std::filesystem::is_symlink(sim.link()));
    sim.process().signal(sig);
    EXPECT_EQ(sim.process().wait(5000), 0) << sig;
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.link()))) << sig;
  }
}

// A folder of the test's own, removed with what is in it.
struct ScratchDir : test::TempDir {
  ScratchDir() : test::TempDir("morvane-e2e-link") {}
};

std::string Target(const std::string& link) {
  std::error_code error;
  return std::filesystem::read_symlink(link, error).string();
}

// What the user had at the link's path, and whether it is still there as it was.
struct Occupant {
  const char* name;
  void (*make)(const std::string& path);
  bool (*intact)(const std::string& path);
};

TEST(SimProgram, RefusesToMakeItsLinkOverAnythingAndLeavesItAsItWas) {
  const std::vector<Occupant> occupants = {
      {"a file", [](const std::string& p) { std::ofstream(p) << "keep me\n"; },
       [](const std::string& p) {
         std::string content;
         std::getline(std::ifstream(p), content);
         return content == "keep me";
       }},
      {"a folder", [](const std::string& p) { std::filesystem::create_directory(p); },
       [](const std::string& p) { return std::filesystem::is_directory(p); }},
      {"a link of the user's",
       [](const std::string& p) { std::filesystem::create_symlink("/dev/null", p); },
       [](const std::string& p) { return Target(p) == "/dev/null"; }},
      {"a dangling link not into /dev/pts",
       [](const std::string& p) { std::filesystem::create_symlink(p + ".gone", p); },
       [](const std::string& p) { return Target(p) == p + ".gone"; }},
  };
  for (const Occupant& o : occupants) {
    ScratchDir dir;
    const std::string path = dir.path() + "/esc";
    o.make(path);
    ChildProcess sim(SimProgram(), {"--link", path});
    EXPECT_EQ(sim.wait(5000), 1) << o.name;
    EXPECT_EQ(sim.standardOutput(), "") << o.name;
    const std::string error = sim.errorOutput();
    EXPECT_EQ(CountLines(error), 1) << o.name << ": " << error;
    EXPECT_EQ(error.rfind("morvane-esc-sim: --link " + path + ": ", 0), 0u) << error;
    EXPECT_TRUE(o.intact(path)) << o.name;
  }
}

TEST(SimProgram, LeavesTheLinkOfARunningSimulatorToIt) {
  SimSession first;
  ASSERT_TRUE(first.ready());
  const std::string device = Target(first.link());
  ChildProcess second(SimProgram(), {"--link", first.link()});
  EXPECT_EQ(second.wait(5000), 1);
  const std::string error = second.errorOutput();
  EXPECT_EQ(CountLines(error), 1) << error;
  EXPECT_NE(error.find("another simulator"), std::string::npos) << error;
  EXPECT_EQ(Target(first.link()), device);
}

// One a killed simulator left: its terminal is gone.
TEST(SimProgram, TakesOverALinkALostSimulatorLeftBehind) {
  ScratchDir dir;
  int unused = 9000;
  while (std::filesystem::exists("/dev/pts/" + std::to_string(unused))) ++unused;
  const std::string path = dir.path() + "/esc";
  std::filesystem::create_symlink("/dev/pts/" + std::to_string(unused), path);

  ChildProcess sim(SimProgram(), {"--link", path});
  const std::optional<std::string> device = sim.firstLine(5000);
  ASSERT_TRUE(device) << sim.errorOutput();
  EXPECT_EQ(Target(path), *device);
  sim.signal(SIGTERM);
  EXPECT_EQ(sim.wait(5000), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path)));
}

// The user put a link of their own where the simulator's was, even one to the same terminal.
TEST(SimProgram, OnExitRemovesOnlyTheLinkItMade) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  const std::string device = Target(sim.link());
  std::filesystem::remove(sim.link());
  std::filesystem::create_symlink(device, sim.link());

  sim.process().signal(SIGTERM);
  EXPECT_EQ(sim.process().wait(5000), 0);
  EXPECT_EQ(Target(sim.link()), device);
}

// A client on the simulator's line, as raw as the real port.
Bytes Exchange(const std::string& device, const Bytes& frame, std::size_t expect, int timeoutMs) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  termios tio{};
  ::tcgetattr(fd, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(fd, TCSANOW, &tio);
  ::tcflush(fd, TCIFLUSH);
  Bytes got;
  if (::write(fd, frame.data(), frame.size()) == static_cast<ssize_t>(frame.size())) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < expect && std::chrono::steady_clock::now() < deadline) {
      pollfd pfd{fd, POLLIN, 0};
      if (::poll(&pfd, 1, 20) <= 0) continue;
      std::uint8_t buf[64];
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n > 0) got.insert(got.end(), buf, buf + n);
    }
  }
  ::close(fd);
  return got;
}

TEST(SimProgram, TheOptionsShapeWhatTheLineCarries) {
  const Bytes version = {0x41, 0x53, 0x01};
  struct Case {
    std::vector<std::string> options;
    Bytes expected;  // for the version frame; noise bytes are checked by count
    std::size_t noise;
    std::size_t pieces;  // reply writes in the log
  };
  const std::vector<Case> cases = {
      {{}, {0x59, 0x1F, 0x25, 0xD2, 0x04}, 0, 1},
      {{"--echo"}, {0x41, 0x53, 0x01, 0x59, 0x1F, 0x25, 0xD2, 0x04}, 0, 1},
      {{"--hardware", "12999", "--firmware", "10000"}, {0x59, 0xC7, 0x32, 0x10, 0x27}, 0, 1},
      {{"--split", "20", "--latency", "5"}, {0x59, 0x1F, 0x25, 0xD2, 0x04}, 0, 2},
      {{"--noise"}, {0x59, 0x1F, 0x25, 0xD2, 0x04}, 2, 1},
      {{"--silent"}, {}, 0, 0},
      {{"--drop-every", "1"}, {}, 0, 0},
  };
  for (const Case& c : cases) {
    SimSession sim(c.options);
    ASSERT_TRUE(sim.ready());
    const std::size_t want = c.expected.size() + c.noise;
    // Silence is checked by waiting a while for a reply that must not come.
    const Bytes got = Exchange(sim.link(), version, want == 0 ? 1 : want, want == 0 ? 300 : 3000);
    ASSERT_EQ(got.size(), want) << c.options.size();
    EXPECT_EQ(Bytes(got.begin() + static_cast<long>(c.noise), got.end()), c.expected);
    for (std::size_t i = 0; i < c.noise; ++i) {
      EXPECT_NE(got[i], 0x41);
      EXPECT_NE(got[i], 0x59);
    }
    EXPECT_EQ(sim.frames(), std::vector<std::string>{"41 53 01"});
    EXPECT_EQ(sim.replies().size(), c.pieces);
  }
}

TEST(SimProgram, ALogThatCannotBeWrittenIsReportedOnceWhileTheEscGoesOnAnswering) {
  ScratchDir dir;
  const std::string link = dir.path() + "/esc";
  ChildProcess sim(SimProgram(), {"--link", link, "--log", "/dev/full"});
  ASSERT_TRUE(sim.firstLine(5000)) << sim.errorOutput();
  const Bytes version = {0x59, 0x1F, 0x25, 0xD2, 0x04};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Exchange(link, {0x41, 0x53, 0x01}, 5, 3000), version);

  sim.signal(SIGTERM);
  EXPECT_EQ(sim.wait(5000), 1);
  const std::string error = sim.errorOutput();
  std::size_t reports = 0;
  for (std::size_t at = error.find("/dev/full"); at != std::string::npos;
       at = error.find("/dev/full", at + 1)) {
    ++reports;
  }
  EXPECT_EQ(reports, 1u) << error;
  EXPECT_NE(error.find("morvane-esc-sim: cannot write the log /dev/full: "), std::string::npos)
      << error;
}

}  // namespace
}  // namespace morvane::e2e
