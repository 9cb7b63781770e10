// SPDX-License-Identifier: GPL-3.0-or-later
// What doctor reads of the system, from a sysfs, /dev, udev database and /proc of the test's
// own making (the device node is made, never opened); and a port that brltty takes as it comes,
// told by the port follower.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/port_checks.h"
#include "ports/device_check.h"
#include "ports/port_follower.h"
#include "temp_dir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

class TempRoot : public test::TempDir {
 public:
  TempRoot() : TempDir("morvane-survey") {}
  // Writes a file, making its folders.
  void write(const std::string& file, const std::string& text) const {
    fs::create_directories(fs::path(path() + "/" + file).parent_path());
    std::ofstream(path() + "/" + file) << text;
  }
  void link(const std::string& target, const std::string& at) const {
    fs::create_directories(fs::path(path() + "/" + at).parent_path());
    fs::create_directory_symlink(target, path() + "/" + at);
  }
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A CH340 adapter as Linux shows it: the USB device with its ids, its interface, the
// usb-serial port bound to its driver, the terminal below; /dev/ttyUSB0 and its by-id link;
// udev's record; the package's rule; ModemManager and brltty running.
TEST(PortSurvey, ReadsTheAdapterItsRecordTheRuleAndTheTwoServicesFromTheirFolders) {
  if (::geteuid() != 0) GTEST_SKIP() << "not root: the device node cannot be made";
  TempRoot root;
  ASSERT_FALSE(root.path().empty());
  const std::string usb = "sys/devices/pci0000:00/0000:00:14.0/usb1/1-2";
  root.write(usb + "/idVendor", "1a86\n");
  root.write(usb + "/idProduct", "7523\n");
  root.write(usb + "/product", "USB Serial\n");
  const std::string port = usb + "/1-2:1.0/ttyUSB0";
  root.write(port + "/tty/ttyUSB0/dev", "188:0\n");
  fs::create_directories(root.path() + "/sys/bus/usb-serial/drivers/ch341-uart");
  root.link("../../../../../../../bus/usb-serial/drivers/ch341-uart", port + "/driver");
  root.link("../../../ttyUSB0", port + "/tty/ttyUSB0/device");
  root.link("../../devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB0/tty/ttyUSB0",
            "sys/dev/char/188:0");
  fs::create_directories(root.path() + "/dev/serial/by-id");
  const std::string node = root.path() + "/dev/ttyUSB0";
  ASSERT_EQ(::mknod(node.c_str(), S_IFCHR | 0660, makedev(188, 0)), 0);
  fs::create_symlink("../../ttyUSB0", root.path() + "/dev/serial/by-id/usb-1a86_USB_Serial-if00");
  root.write("udev/c188:0",
             "S:serial/by-id/usb-1a86_USB_Serial-if00\nG:uaccess\nQ:uaccess\n"
             "E:ID_MM_DEVICE_IGNORE=1\n");
  root.write("rules/60-morvane-esc-config.rules", ReadAll(MORVANE_RULE_FILE));
  root.write("proc/812/comm", "ModemManager\n");
  root.write("proc/640/comm", "brltty\n");
  root.write("proc/locks", "");

  SystemRoots roots;
  roots.proc = root.path() + "/proc";
  roots.sys = root.path() + "/sys";
  roots.dev = root.path() + "/dev";
  roots.udevData = root.path() + "/udev";
  roots.ruleFolders = {root.path() + "/etc-rules", root.path() + "/rules"};
  roots.lockFolders = {};
  const SystemFacts facts = SurveyPorts({{"COM1 (ttyUSB0)", node}}, false, roots);

  EXPECT_EQ(facts.rulePath, root.path() + "/rules/60-morvane-esc-config.rules");
  ASSERT_TRUE(facts.modemManager);
  EXPECT_EQ(facts.modemManager->pid, 812);
  ASSERT_TRUE(facts.brltty);
  EXPECT_EQ(facts.brltty->pid, 640);
  ASSERT_EQ(facts.ports.size(), 1u);
  const PortFacts& p = facts.ports[0];
  EXPECT_EQ(p.device, node);
  EXPECT_FALSE(p.pseudoTerminal);
  ASSERT_TRUE(p.usb);
  EXPECT_EQ(p.usb->vendorProduct, "1a86:7523");
  EXPECT_EQ(p.usb->product, "USB Serial");
  EXPECT_EQ(p.usb->driver, "ch341-uart");
  EXPECT_EQ(p.byId, root.path() + "/dev/serial/by-id/usb-1a86_USB_Serial-if00");
  EXPECT_TRUE(p.udev.known);
  EXPECT_TRUE(p.udev.uaccess);
  EXPECT_TRUE(p.udev.mmIgnore);
  EXPECT_TRUE(p.holders.empty());

  std::vector<std::string> lines;
  for (const Finding& f : Diagnose(facts)) lines.push_back(FindingLine(f));
  const auto has = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("ok      COM1 (ttyUSB0): " + node +
                  ", USB serial adapter 1a86:7523 (WCH CH340/CH341, USB Serial), driver "
                  "ch341-uart, " +
                  p.byId + "."));
  EXPECT_TRUE(has("ok      COM1 (ttyUSB0): ModemManager leaves it alone (ID_MM_DEVICE_IGNORE)."));
  EXPECT_TRUE(
      has("problem COM1 (ttyUSB0): brltty claims adapters of this chip as braille "
          "displays: its serial port may vanish at once. Remedy: " +
          BrlttyRemedy()));
}

// The window's clock, set by the test.
struct SetClock : Clock {
  std::int64_t ms = 0;
  std::int64_t elapsedMs() const override { return ms; }
};

struct VanishCase {
  const char* name;
  std::int64_t presentMs;  // from appearing to vanishing
  const char* chip;
  int brlttyPid;  // 0: brltty does not run
  bool told;
};

void PrintTo(const VanishCase& c, std::ostream* os) {
  *os << c.name;
}

class QuickVanishTest : public ::testing::TestWithParam<VanishCase> {};

// An adapter plugged in comes and goes as the port follower sees the system's devices.
TEST_P(QuickVanishTest, OnlyAClaimedChipGoneWithinASecondWhileBrlttyRunsIsPutOnBrltty) {
  const VanishCase& c = GetParam();
  std::vector<PresentDevice> now;
  PortTable table;
  SetClock clock;
  std::vector<std::string> logged;
  BrlttyNotes notes(table, clock,
                    {[&](const std::string& line) { logged.push_back(line); },
                     [] { return std::string("12:03:41"); },
                     [&](const std::string& path) {
                       return path == "/dev/ttyUSB0" ? std::string(c.chip) : std::string();
                     },
                     [&] { return c.brlttyPid; }});
  PortFollower follower(
      table, PortNumbers({}, false), [&] { return now; }, now);
  follower.setOnAppeared([&](int n) { notes.portChanged(n, true); });
  follower.setOnVanished([&](int n) { notes.portChanged(n, false); });

  clock.ms = 5000;
  now = {{"usb:" + std::string(c.chip) + " serial 1", "/dev/ttyUSB0", {"/dev/ttyUSB0", ""}}};
  follower.update();
  clock.ms += c.presentMs;
  now.clear();
  follower.update();

  const std::string port = "COM1 (/dev/ttyUSB0) came and went within a second";
  const std::string what = ": brltty (process " + std::to_string(c.brlttyPid) +
                           ") runs and claims adapters of this chip (" + c.chip +
                           ") as braille displays, which takes their serial port away. " +
                           BrlttyRemedy();
  if (!c.told) {
    EXPECT_TRUE(logged.empty()) << logged.front();
    EXPECT_EQ(notes.statusNote(), "");
    return;
  }
  EXPECT_EQ(logged, std::vector<std::string>{port + what});
  EXPECT_EQ(notes.statusNote(), port + " at 12:03:41" + what);
  // Back, and staying: the note has done its work.
  now = {{"usb:" + std::string(c.chip) + " serial 1", "/dev/ttyUSB0", {"/dev/ttyUSB0", ""}}};
  follower.update();
  EXPECT_EQ(notes.statusNote(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuickVanishTest,
    ::testing::Values(VanishCase{"Ch340GoneAfter300msWhileBrlttyRuns", 300, "1a86:7523", 640, true},
                      VanishCase{"GoneAfterTwoSeconds", 2000, "1a86:7523", 640, false},
                      VanishCase{"AChipBrlttyLeavesAlone", 300, "0403:6001", 640, false},
                      VanishCase{"BrlttyDoesNotRun", 300, "1a86:7523", 0, false}),
    [](const ::testing::TestParamInfo<VanishCase>& info) { return info.param.name; });

}  // namespace
}  // namespace morvane
