// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/serial_comm.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <string>
#include <vector>

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The far end of the line: the master side of a pseudo-terminal.
class FarEnd {
 public:
  FarEnd() {
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ >= 0 && ::grantpt(fd_) == 0 && ::unlockpt(fd_) == 0) path_ = ::ptsname(fd_);
  }
  ~FarEnd() { close(); }
  FarEnd(const FarEnd&) = delete;
  FarEnd& operator=(const FarEnd&) = delete;

  const std::string& path() const { return path_; }
  void close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  void send(const Bytes& bytes) const {
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // Everything the port sent, waiting at most timeoutMs for `count` bytes.
  Bytes receive(std::size_t count, int timeoutMs = 2000) const {
    Bytes got;
    for (int waited = 0; got.size() < count && waited < timeoutMs; waited += 10) {
      pollfd pfd{fd_, POLLIN, 0};
      if (::poll(&pfd, 1, 10) <= 0) continue;
      std::uint8_t buf[64];
      const ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n > 0) got.insert(got.end(), buf, buf + n);
    }
    return got;
  }

 private:
  int fd_ = -1;
  std::string path_;
};

class SerialCommTest : public ::testing::Test {
 protected:
  SerialCommTest()
      : table_({{far_.path(), "pseudo-terminal"}, {}, {"/nonexistent/ttyUSB9", "gone"}}),
        comm_(table_) {
    comm_.setOnComm([this] { ++notifications_; });
    comm_.setOnPortFailed([this] { ++failures_; });
  }
  ~SerialCommTest() override { comm_.setPortOpen(false); }

  void open() {
    ASSERT_FALSE(far_.path().empty());
    comm_.setCommPort(1);
    ASSERT_TRUE(comm_.setPortOpen(true));
  }
  Bytes readAll() {
    Bytes got;
    while (comm_.inBufferCount() > 0) got.push_back(comm_.input());
    return got;
  }

  FarEnd far_;
  PortTable table_;
  SerialComm comm_;
  int notifications_ = 0;
  int failures_ = 0;
};

TEST_F(SerialCommTest, OpensThePseudoTerminalAsA38400Baud8N1RawLine) {
  open();
  EXPECT_TRUE(comm_.portOpen());
  EXPECT_EQ(comm_.commPort(), 1);

  termios tio{};
  ASSERT_EQ(::tcgetattr(static_cast<int>(comm_.device().handle()), &tio), 0);
  EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B38400));
  EXPECT_EQ(::cfgetispeed(&tio), static_cast<speed_t>(B38400));
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);

  // The pseudo-terminal refused DTR and RTS; that is not a failed open.
  QTest::qWait(50);
  EXPECT_TRUE(comm_.portOpen());
  EXPECT_EQ(failures_, 0);

  // Closed, the number may change; a port that was closed opens again.
  comm_.setCommPort(3);
  EXPECT_EQ(comm_.commPort(), 1);
  EXPECT_TRUE(comm_.setPortOpen(false));
  EXPECT_FALSE(comm_.portOpen());
  open();
  EXPECT_TRUE(comm_.portOpen());
}

TEST_F(SerialCommTest, NumbersWithoutAWorkingDeviceFailToOpen) {
  for (int n : {2, 3, 4, 16, 17, 0}) {
    comm_.setCommPort(n);
    EXPECT_FALSE(comm_.setPortOpen(true)) << "COM" << n;
    EXPECT_FALSE(comm_.portOpen()) << "COM" << n;
  }
  EXPECT_EQ(failures_, 0);
}

// The start-up scan's open holds the device as any open does, without Qt's lock file and line
// set-up; once the scan is over an open is a whole one again.
TEST_F(SerialCommTest, AScanOpenOnlyClaimsTheDevice) {
  comm_.setScanning(true);
  open();
  EXPECT_TRUE(comm_.portOpen());
  EXPECT_FALSE(comm_.device().isOpen());
  SerialComm other(table_);
  other.setCommPort(1);
  EXPECT_FALSE(other.setPortOpen(true));
  EXPECT_EQ(other.openFailure().kind, OpenFailure::Kind::InUse);
  comm_.setCommPort(3);  // not while open
  EXPECT_EQ(comm_.commPort(), 1);
  EXPECT_TRUE(comm_.setPortOpen(false));
  EXPECT_FALSE(comm_.portOpen());
  EXPECT_TRUE(other.setPortOpen(true));  // let go
  other.setPortOpen(false);

  comm_.setScanning(false);
  open();
  EXPECT_TRUE(comm_.device().isOpen());
  const Bytes frame = {0x41, 0x53, 0x00};
  comm_.setOutput(frame);
  EXPECT_EQ(far_.receive(frame.size()), frame);
}

TEST_F(SerialCommTest, BytesTravelBothWaysUnchanged) {
  open();
  comm_.setRThreshold(1);
  const Bytes frame = {0x41, 0x53, 0x03, 0x00, 0x0A};  // 0x0A must not become CR LF
  comm_.setOutput(frame);
  EXPECT_EQ(far_.receive(frame.size()), frame);

  const Bytes reply = {0x59, 0x0D, 0x00, 0x11, 0x13, 0xFF};  // CR, NUL, XON, XOFF pass as data
  far_.send(reply);
  ASSERT_TRUE(QTest::qWaitFor([&] { return comm_.inBufferCount() >= 6; }, 2000));
  EXPECT_GE(notifications_, 1);
  EXPECT_EQ(comm_.commEvent(), MSComm::comEvReceive);
  EXPECT_EQ(readAll(), reply);
}

TEST_F(SerialCommTest, NotificationsFollowTheThreshold) {
  open();
  comm_.setRThreshold(0);
  far_.send({0x59, 0x01});
  ASSERT_TRUE(QTest::qWaitFor([&] { return comm_.inBufferCount() == 2; }, 2000));
  QTest::qWait(50);
  EXPECT_EQ(notifications_, 0);

  comm_.setRThreshold(1);
  far_.send({0x02});
  ASSERT_TRUE(QTest::qWaitFor([&] { return notifications_ > 0; }, 2000));
  EXPECT_EQ(readAll(), (Bytes{0x59, 0x01, 0x02}));
}

TEST_F(SerialCommTest, ClearingTheInputDropsQtsBufferAndTheDrivers) {
  open();
  far_.send({0x11});
  ASSERT_TRUE(QTest::qWaitFor([&] { return comm_.inBufferCount() == 1; }, 2000));

  // A second byte reaches the driver while Qt, with no event processed, has not read it.
  far_.send({0x22});
  pollfd pfd{static_cast<int>(comm_.device().handle()), POLLIN, 0};
  ASSERT_EQ(::poll(&pfd, 1, 2000), 1);

  comm_.setInBufferCount(0);
  EXPECT_EQ(comm_.inBufferCount(), 0);
  QTest::qWait(50);
  EXPECT_EQ(comm_.inBufferCount(), 0);

  far_.send({0x33});
  ASSERT_TRUE(QTest::qWaitFor([&] { return comm_.inBufferCount() > 0; }, 2000));
  EXPECT_EQ(readAll(), Bytes{0x33});

  // Qt's buffer empty, a byte in the driver's alone.
  far_.send({0x44});
  ASSERT_EQ(::poll(&pfd, 1, 2000), 1);
  comm_.setInBufferCount(0);
  QTest::qWait(50);
  EXPECT_EQ(comm_.inBufferCount(), 0);
}

TEST_F(SerialCommTest, AFrameWrittenAndDrainedBeforeCloseReachesTheFarEnd) {
  open();
  const Bytes stop = {0x41, 0x53, 0x04, 0x00};
  comm_.setOutput(stop);
  comm_.drainOutput(50);
  comm_.setPortOpen(false);
  EXPECT_EQ(far_.receive(stop.size()), stop);
}

// Pulling an adapter out is seen at once whether or not the logic is reading: with the
// receive threshold at 0 nothing reads until the next poll.
class FarEndClosing : public ::testing::TestWithParam<int> {};

TEST_P(FarEndClosing, ClosesThePortAndReportsItOnce) {
  FarEnd far;
  const PortTable table({{far.path(), ""}});
  SerialComm comm(table);
  int failures = 0;
  comm.setOnPortFailed([&] { ++failures; });
  comm.setCommPort(1);
  ASSERT_TRUE(comm.setPortOpen(true));
  comm.setRThreshold(GetParam());
  int errors = 0;
  QObject::connect(&comm.device(), &QSerialPort::errorOccurred,
                   [&](QSerialPort::SerialPortError e) {
                     if (e != QSerialPort::NoError) ++errors;
                   });

  far.close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return failures > 0; }, 2000));
  EXPECT_FALSE(comm.portOpen());

  // Quiet afterwards: no second report and no stream of errors.
  QTest::qWait(300);
  EXPECT_EQ(failures, 1);
  EXPECT_LE(errors, 2);

  // The logic may still touch the dead port; nothing happens.
  comm.setOutput(Bytes{0x41, 0x53, 0x00});
  comm.setInBufferCount(0);
  EXPECT_EQ(comm.inBufferCount(), 0);
  EXPECT_EQ(failures, 1);
}

INSTANTIATE_TEST_SUITE_P(SerialComm, FarEndClosing, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Threshold" + std::to_string(info.param);
                         });

}  // namespace
}  // namespace morvane
