// SPDX-License-Identifier: GPL-3.0-or-later
// Small readers of the system's files that the device checks share. Paths stay bytes.
#pragma once

#include <filesystem>
#include <string>

namespace morvane {

// The first line of a small system file (sysfs, /proc); "" when it cannot be read.
std::string FirstLine(const std::filesystem::path& file);
// "188:0" for a character device, as sysfs and udev name it; "" for anything else.
std::string CharDeviceNumbers(const std::string& device);
// A Unix98 pseudo-terminal (/dev/pts/N), by its numbers rather than its name.
bool IsPseudoTerminalDevice(const std::string& device);
// N of /dev/pts/N for a character device's numbers; -1 for any other device.
int PseudoTerminalNumber(unsigned major, unsigned minor);

}  // namespace morvane
