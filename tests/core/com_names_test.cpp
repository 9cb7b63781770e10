// SPDX-License-Identifier: GPL-3.0-or-later
// Windows' names for serial ports: COM1 to COM16 in the table, "\\.\COM10" from ten on, and
// the friendly names the system shows.
#include "ports/com_names.h"

#include <gtest/gtest.h>

#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace morvane {
namespace {

TEST(ComNames, TheDevicePathNeedsTheDeviceNamespaceFromTenOn) {
  EXPECT_EQ(WindowsDevicePath(1), "COM1");
  EXPECT_EQ(WindowsDevicePath(9), "COM9");
  EXPECT_EQ(WindowsDevicePath(10), R"(\\.\COM10)");
  EXPECT_EQ(WindowsDevicePath(16), R"(\\.\COM16)");
}

struct NumberCase {
  const char* name;
  int number;
};

class ComNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ComNumber, IsReadFromTheName) {
  EXPECT_EQ(ComNumberOf(GetParam().name), GetParam().number) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Names, ComNumber,
                         ::testing::Values(NumberCase{"COM1", 1}, NumberCase{"com3", 3},
                                           NumberCase{R"(\\.\COM10)", 10},
                                           NumberCase{R"(\\.\com16)", 16},
                                           NumberCase{"COM256", 256}, NumberCase{"COM", 0},
                                           NumberCase{"COM01", 0}, NumberCase{"COM1a", 0},
                                           NumberCase{"LPT1", 0}, NumberCase{"/dev/ttyS0", 0},
                                           NumberCase{R"(\\.\COM)", 0}));

TEST(ComNames, TheFriendlyNameEndsWithThePortsName) {
  EXPECT_EQ(ComNumberOfFriendlyName("USB Serial Port (COM3)"), 3);
  EXPECT_EQ(ComNumberOfFriendlyName("USB-SERIAL CH340 (COM12)"), 12);
  EXPECT_EQ(ComNumberOfFriendlyName("Communications Port"), 0);
  EXPECT_EQ(ComNumberOfFriendlyName("Bluetooth link (COM4) spare"), 0);
  EXPECT_EQ(ComNumberOfFriendlyName("Modem (LPT1)"), 0);
}

TEST(ComNames, SystemPortsTakeTheirFriendlyNamesWithoutTheNumber) {
  const std::vector<SerialDevice> ports =
      SystemComPorts({{"COM12", ""}, {"COM3", ""}, {R"(\\.\COM10)", ""}, {"Serial0", ""}},
                     {"USB Serial Port (COM3)", "USB-SERIAL CH340 (COM12)", "Printer (LPT1)"});
  ASSERT_EQ(ports.size(), 3u);
  EXPECT_EQ(ports[0].path, "COM3");
  EXPECT_EQ(ports[0].description, "USB Serial Port");
  EXPECT_EQ(ports[1].path, "COM10");
  EXPECT_EQ(ports[1].description, "");
  EXPECT_EQ(ports[2].path, "COM12");
  EXPECT_EQ(ports[2].description, "USB-SERIAL CH340");
}

TEST(ComNames, ThePortTableOpensTenAndAboveThroughTheDeviceNamespace) {
  const PortTable table = BuildPortTable(
      std::nullopt, SystemComPorts({{"COM3", ""}, {"COM11", ""}}, {"USB Serial Port (COM11)"}),
      Platform::Windows, [](const std::string&) { return DeviceDescription{}; });
  EXPECT_EQ(table.deviceCount(), 16);
  EXPECT_EQ(table.device(3)->path, "COM3");
  EXPECT_EQ(table.device(11)->path, R"(\\.\COM11)");
  EXPECT_EQ(EntryTip(table, 11), "\\\\.\\COM11\nUSB Serial Port");
  EXPECT_EQ(EntryTip(table, 9), "COM9");
  EXPECT_EQ(table.device(17), nullptr);
}

#if defined(_WIN32)
// The registry's list of ports, read from a key of the test's own, never the machine's.
TEST(ComNames, TheSystemsListIsReadFromTheRegistry) {
  const std::string key = "Software\\MorvaneComNamesTest" + std::to_string(GetCurrentProcessId());
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &handle, nullptr),
            ERROR_SUCCESS);
  const auto put = [&](const char* device, const char* name) {
    RegSetValueExA(handle, device, 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                   static_cast<DWORD>(strlen(name) + 1));
  };
  put("\\Device\\VCP0", "COM12");
  put("\\Device\\Serial0", "COM1");
  const std::vector<SerialDevice> ports = ListedComPorts(key, true);
  RegCloseKey(handle);
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  ASSERT_EQ(ports.size(), 2u);
  EXPECT_EQ(ports[0].path, "COM1");
  EXPECT_EQ(ports[1].path, "COM12");
}
#endif

}  // namespace
}  // namespace morvane
