// SPDX-License-Identifier: GPL-3.0-or-later
// Windows names its serial ports COM1, COM2, ...: a program opens COM10 and above only through
// the device namespace ("\\.\COM10"), and the system shows a friendly name with the number in
// it ("USB Serial Port (COM3)").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ports/port_table.h"

namespace morvane {

// What opens COM n on Windows: "COM1" to "COM9" as they are, "\\.\COM10" from ten on.
std::string WindowsDevicePath(int n);

// The number a Windows port name stands for: "COM3", "com3" and "\\.\COM12" give 3 and 12;
// 0 for any other name.
int ComNumberOf(std::string_view name);

// The number a friendly name ends with: "USB Serial Port (COM3)" gives 3; 0 when none.
int ComNumberOfFriendlyName(std::string_view friendlyName);

// One port as the system lists it: its name ("COM3") and, where Plug and Play has one, its
// friendly name ("USB Serial Port (COM3)").
struct SystemComName {
  std::string name;
  std::string friendlyName;
};

// The system's ports for the port table: each one's path is its COM name, its description the
// friendly name without the "(COMn)" that every entry already says. Names that are no COM
// port are left out; a friendly name goes to the port its number names.
std::vector<SerialDevice> SystemComPorts(const std::vector<SystemComName>& listed,
                                         const std::vector<std::string>& friendlyNames);

#if defined(_WIN32)
// The ports this Windows lists: the names under a registry key shaped like
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, with Plug and Play's friendly names.
// `key` under HKEY_CURRENT_USER when `ownKey` (a test's own), else under HKEY_LOCAL_MACHINE.
std::vector<SerialDevice> ListedComPorts(const std::string& key = "HARDWARE\\DEVICEMAP\\SERIALCOMM",
                                         bool ownKey = false);
#endif

}  // namespace morvane
