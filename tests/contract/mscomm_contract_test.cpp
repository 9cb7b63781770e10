// SPDX-License-Identifier: GPL-3.0-or-later
// What the core relies on from a serial port, checked on both the virtual line and the
// real port: COM1 has a device whose far end the test plays, COM2 has none.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/serial_comm.h"
#include "sim/virtual_clock.h"
#include "sim/virtual_line.h"

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct VirtualPort {
  sim::VirtualClock clock;
  sim::VirtualSerialLine line{clock};
  VirtualPort() { line.addPort(1); }
  MSComm& comm() { return line; }
  void farEndSends(const Bytes& bytes) { line.inject(bytes); }
  void settle() { clock.runFor(sim::Ms(50)); }
};

// The far end is the master side of a pseudo-terminal.
struct RealPort {
  int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  PortTable table{{{master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0
                        ? ::ptsname(master)
                        : "",
                    "pseudo-terminal"}}};
  SerialComm port{table};
  ~RealPort() {
    port.setPortOpen(false);
    if (master >= 0) ::close(master);
  }
  MSComm& comm() { return port; }
  void farEndSends(const Bytes& bytes) {
    ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  void settle() { QTest::qWait(50); }
};

template <class Port>
class MSCommContract : public ::testing::Test {
 protected:
  Port p;
  MSComm& comm() { return p.comm(); }
  void openCom1() {
    comm().setCommPort(1);
    ASSERT_TRUE(comm().setPortOpen(true));
    ASSERT_TRUE(comm().portOpen());
  }
};

using Ports = ::testing::Types<VirtualPort, RealPort>;
class PortNames {
 public:
  template <class T>
  static std::string GetName(int) {
    return std::is_same_v<T, VirtualPort> ? "VirtualLine" : "QSerialPortOnPty";
  }
};
TYPED_TEST_SUITE(MSCommContract, Ports, PortNames);

TYPED_TEST(MSCommContract, ANumberWithoutADeviceFailsToOpen) {
  this->comm().setCommPort(2);
  EXPECT_FALSE(this->comm().setPortOpen(true));
  EXPECT_FALSE(this->comm().portOpen());
}

TYPED_TEST(MSCommContract, OpeningAnOpenPortAgainReportsItOpenAndChangesNothing) {
  this->openCom1();
  this->p.farEndSends({0x59, 0x13});
  this->p.settle();
  ASSERT_EQ(this->comm().inBufferCount(), 2);
  EXPECT_TRUE(this->comm().setPortOpen(true));
  EXPECT_TRUE(this->comm().portOpen());
  EXPECT_EQ(this->comm().inBufferCount(), 2);  // not reopened: nothing received was lost
}

TYPED_TEST(MSCommContract, TheNumberOfAnOpenPortDoesNotChange) {
  this->openCom1();
  this->comm().setCommPort(2);
  EXPECT_EQ(this->comm().commPort(), 1);
  this->p.farEndSends({0x59});
  this->p.settle();
  EXPECT_EQ(this->comm().inBufferCount(), 1);  // still the same line
  this->comm().setPortOpen(false);
  this->comm().setCommPort(2);
  EXPECT_EQ(this->comm().commPort(), 2);
  EXPECT_FALSE(this->comm().setPortOpen(true));
}

TYPED_TEST(MSCommContract, NotificationsFollowTheThresholdAndClearingDropsWhatWaits) {
  int notified = 0;
  this->comm().setOnComm([&] { ++notified; });
  this->openCom1();
  this->p.farEndSends({0x41, 0x53});
  this->p.settle();
  EXPECT_EQ(notified, 0);
  EXPECT_EQ(this->comm().inBufferCount(), 2);
  this->comm().setInBufferCount(0);
  EXPECT_EQ(this->comm().inBufferCount(), 0);

  this->comm().setRThreshold(1);
  this->p.farEndSends({0x59});
  this->p.settle();
  EXPECT_GE(notified, 1);
  EXPECT_EQ(this->comm().commEvent(), MSComm::comEvReceive);
  ASSERT_EQ(this->comm().inBufferCount(), 1);
  EXPECT_EQ(this->comm().input(), 0x59);
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
