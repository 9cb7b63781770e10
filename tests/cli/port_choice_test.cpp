// SPDX-License-Identifier: GPL-3.0-or-later
// Which ports morvane-esc may open. Opening a serial port can reset the board behind it, so
// without --port only the listed ports, or else USB adapters, are ever tried.
#include <gtest/gtest.h>

#include "cli/port_choice.h"

namespace morvane::cli {
namespace {

std::vector<std::string> Paths(const Candidates& c) {
  std::vector<std::string> paths;
  for (const SerialDevice& d : c.devices) paths.push_back(d.path);
  return paths;
}

const PortTable kSystem({{"/dev/ttyUSB0", "CP2102"},
                         {"/dev/ttyACM1", "Arduino"},
                         {"/dev/ttyS0", "serial port"},
                         {"/dev/rfcomm0", "Bluetooth"}});

TEST(PortCandidates, ArePortsTheUserNamesOrElseUsbAdaptersOnly) {
  struct Case {
    const char* name;
    std::string option;
    PortTable table;
    bool listed;
    std::vector<std::string> paths;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"usb adapters, in table order",
       "",
       kSystem,
       false,
       {"/dev/ttyUSB0", "/dev/ttyACM1"},
       {"/dev/ttyUSB0", "/dev/ttyACM1"}},
      {"every listed port",
       "",
       PortTable({{"/dev/ttyS3", ""}, {"", ""}, {"/tmp/esc", ""}}),
       true,
       {"/dev/ttyS3", "/tmp/esc"},
       {"/dev/ttyS3", "/tmp/esc"}},
      {"COMn of the table", "com2", kSystem, false, {"/dev/ttyACM1"}, {"COM2 (/dev/ttyACM1)"}},
      {"a device path", "/dev/ttyS0", kSystem, false, {"/dev/ttyS0"}, {"/dev/ttyS0"}},
  };
  for (const Case& c : cases) {
    const Candidates chosen = ChooseCandidates(c.option, c.table, c.listed, Platform::Linux);
    EXPECT_EQ(chosen.error, "") << c.name;
    EXPECT_EQ(Paths(chosen), c.paths) << c.name;
    EXPECT_EQ(chosen.names, c.names) << c.name;
  }
}

TEST(PortCandidates, NothingToTryIsAnErrorWithItsStatus) {
  const PortTable noUsb(std::vector<SerialDevice>{{"/dev/ttyS0", "serial port"}});
  const Candidates none = ChooseCandidates("", noUsb, false, Platform::Linux);
  EXPECT_EQ(Paths(none), std::vector<std::string>());
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.error,
            "no USB serial adapter is plugged in; name the port with --port, or list ports in "
            "MORVANE_ESC_PORTS");
  const Candidates unknown = ChooseCandidates("COM9", kSystem, false, Platform::Linux);
  EXPECT_EQ(unknown.status, 5);
  EXPECT_EQ(unknown.error, "COM9 has no device; 'morvane-esc ports' lists the port table");
}

TEST(PortCandidates, UsbAdaptersAreKnownByTheirNamesOnEachSystem) {
  struct Case {
    SerialDevice device;
    Platform platform;
    bool usb;
  };
  const Case cases[] = {
      {{"/dev/ttyUSB12", ""}, Platform::Linux, true},
      {{"/dev/ttyACM0", ""}, Platform::Linux, true},
      {{"/dev/ttyS0", "USB? no"}, Platform::Linux, false},
      {{"/dev/ttyAMA0", ""}, Platform::Linux, false},
      {{"/dev/cu.usbserial-A50285BI", ""}, Platform::MacOS, true},
      {{"/dev/tty.usbserial-A50285BI", ""}, Platform::MacOS, false},
      {{"/dev/cu.Bluetooth-Incoming-Port", ""}, Platform::MacOS, false},
      {{"COM4", "USB-SERIAL CH340"}, Platform::Windows, true},
      {{"COM1", "Communications Port"}, Platform::Windows, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsUsbAdapter(c.device, c.platform), c.usb) << c.device.path;
}

TEST(PortCandidates, PortsListsEachNumberWithADevice) {
  const PortTable table({{"/dev/ttyUSB0", "CP2102"}, {"", ""}, {"/tmp/esc", "pseudo-terminal"}});
  EXPECT_EQ(PortsText(table), "COM1\t/dev/ttyUSB0\tCP2102\nCOM3\t/tmp/esc\tpseudo-terminal\n");
}

// Windows's table holds its own COM ports, COM10 and above by the device namespace.
const PortTable kWindows({{"COM1", "Communications Port"},
                          {"", ""},
                          {"COM3", "USB-SERIAL CH340"},
                          {"", ""},
                          {"", ""},
                          {"", ""},
                          {"", ""},
                          {"", ""},
                          {"", ""},
                          {"", ""},
                          {"", ""},
                          {R"(\\.\COM12)", "USB Serial Port"}});

TEST(PortCandidates, OnWindowsAreNamedByTheirComNumberAlone) {
  const Candidates adapters = ChooseCandidates("", kWindows, false, Platform::Windows);
  EXPECT_EQ(Paths(adapters), (std::vector<std::string>{"COM3", R"(\\.\COM12)"}));
  EXPECT_EQ(adapters.names, (std::vector<std::string>{"COM3", "COM12"}));
  const Candidates named = ChooseCandidates("com12", kWindows, false, Platform::Windows);
  EXPECT_EQ(Paths(named), std::vector<std::string>{R"(\\.\COM12)"});
  EXPECT_EQ(named.names, std::vector<std::string>{"COM12"});
}

TEST(PortCandidates, OnWindowsNothingToTryPointsOnlyToThePortOption) {
  const PortTable noUsb(std::vector<SerialDevice>{{"COM1", "Communications Port"}});
  const Candidates none = ChooseCandidates("", noUsb, false, Platform::Windows);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.error, "no USB serial adapter is plugged in; name the port with --port");
}

}  // namespace
}  // namespace morvane::cli
