// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's thrust stand on its own pseudo-terminal: its lines, read as the window reads
// them, follow the simulated motor, and it falls silent when told.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "motortest/thrust_stand.h"
#include "sim_session.h"
#include "temp_dir.h"

namespace morvane::e2e {
namespace {

// A terminal opened raw, as the window's serial port opens it.
class RawTerminal {
 public:
  explicit RawTerminal(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
    termios t{};
    if (fd_ >= 0 && ::tcgetattr(fd_, &t) == 0) {
      ::cfmakeraw(&t);
      ::tcsetattr(fd_, TCSANOW, &t);
    }
  }
  ~RawTerminal() {
    if (fd_ >= 0) ::close(fd_);
  }
  RawTerminal(const RawTerminal&) = delete;
  RawTerminal& operator=(const RawTerminal&) = delete;
  int fd() const { return fd_; }

  // Whole lines until `most` have come or none for quietMs.
  std::vector<std::string> lines(std::size_t most, int quietMs) {
    std::vector<std::string> out;
    while (out.size() < most) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, quietMs) <= 0) break;
      char buf[256];
      const ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n <= 0) break;
      for (ssize_t i = 0; i < n; ++i) {
        if (buf[i] != '\n') {
          partial_ += buf[i];
          continue;
        }
        if (!partial_.empty() && partial_.back() == '\r') partial_.pop_back();
        out.push_back(partial_);
        partial_.clear();
      }
    }
    return out;
  }
  void write(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

 private:
  int fd_;
  std::string partial_;
};

ParsedLine::Kind KindOf(const std::string& line) {
  return ParseStandLine(line, kDefaultColumns).kind;
}

TEST(SimStand, ItsLinesFollowTheMotorAndReadAsTheWindowReadsThem) {
  test::TempDir dir("morvane-stand");
  const std::string standPath = dir.path() + "/stand";
  SimSession sim({"--thrust-stand", standPath, "--stand-rate", "50"});
  ASSERT_TRUE(sim.ready());
  RawTerminal stand(standPath);
  ASSERT_GE(stand.fd(), 0);
  const std::vector<std::string> standing = stand.lines(20, 2000);
  ASSERT_EQ(standing.size(), 20u);
  for (const std::string& line : standing) {
    ASSERT_NE(KindOf(line), ParsedLine::Kind::Junk) << line;
  }

  // The throttle at 120 straight on the ESC's line: the thrust follows the motor up.
  RawTerminal esc(sim.link());
  esc.write({0x41, 0x53, 0x04, 120});
  stand.lines(100, 2000);  // two seconds: eight time constants of the motor
  const std::vector<std::string> running = stand.lines(10, 2000);
  esc.write({0x41, 0x53, 0x04, 0x00});
  ASSERT_EQ(running.size(), 10u);
  for (const std::string& line : running) {
    const ParsedLine parsed = ParseStandLine(line, kDefaultColumns);
    if (parsed.kind == ParsedLine::Kind::Header) continue;
    ASSERT_EQ(parsed.kind, ParsedLine::Kind::Reading) << line;
    // 120 of the straight-line motor: 450 g on the 35 g mount, from about 8 A.
    EXPECT_NEAR(*parsed.reading.thrustG, 485, 15) << line;
    EXPECT_NEAR(*parsed.reading.currentA, 8.0, 0.3) << line;
  }
}

TEST(SimStand, EachLineFormGarbageAndSilenceAsAsked) {
  struct Case {
    std::vector<std::string> options;
    const char* first;  // the first line with its digits as 9s
  };
  const Case cases[] = {{{"--stand-form", "plain"}, "99.9"},
                        {{"--stand-form", "labelled"},
                         "thrust: 99.9 g, current: 9.99 A, voltage: 99.99 V"},
                        {{"--stand-no-header"}, "99.9,9.99,99.99"},
                        {{}, "thrust_g,current_a,voltage_v"}};
  for (const Case& c : cases) {
    test::TempDir dir("morvane-stand");
    std::vector<std::string> options = {"--thrust-stand", dir.path() + "/stand",
                                        "--stand-garbage-every", "4", "--stand-silent-after",
                                        "1000"};
    options.insert(options.end(), c.options.begin(), c.options.end());
    SimSession sim(options);
    ASSERT_TRUE(sim.ready());
    RawTerminal stand(dir.path() + "/stand");
    // Everything it sends before it falls silent: a second of 40 lines.
    const std::vector<std::string> lines = stand.lines(1000, 1500);
    ASSERT_GE(lines.size(), 8u) << c.first;
    EXPECT_LE(lines.size(), 42u) << c.first;
    std::string shape = lines[0];
    for (char& ch : shape) ch = ch >= '0' && ch <= '9' ? '9' : ch;
    EXPECT_EQ(shape, c.first);
    int junk = 0;
    for (const std::string& line : lines) junk += KindOf(line) == ParsedLine::Kind::Junk;
    EXPECT_GE(junk, static_cast<int>(lines.size()) / 5) << c.first;
    EXPECT_LE(junk, static_cast<int>(lines.size()) / 4 + 1) << c.first;
  }
}

}  // namespace
}  // namespace morvane::e2e
