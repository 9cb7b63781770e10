// SPDX-License-Identifier: GPL-3.0-or-later
// What the operating system reports about its serial ports, for the port table.
#pragma once

#include <string>
#include <vector>

#include "port_follower.h"
#include "port_table.h"

namespace morvane {

// Every serial port the system lists, with its adapter's description.
std::vector<SerialDevice> SystemSerialPorts();

// The devices present now, as the port follower compares them: each listed path that leads
// somewhere, keyed by the path as listed; or the system's ports, keyed by their adapter, each
// described as the start-up table describes it.
std::vector<PresentDevice> ListedDevices(const std::vector<std::string>& paths,
                                         const std::vector<SerialDevice>& systemPorts);
std::vector<PresentDevice> SystemDevices(const std::vector<SerialDevice>& systemPorts,
                                         Platform platform);

// What a device path names, found without opening it: the device a link leads to, the adapter
// when the system lists it, and what is wrong with it ("does not exist now", "a regular file,
// not a serial port", "permission denied").
DeviceDescription DescribeDevice(const std::string& path,
                                 const std::vector<SerialDevice>& systemPorts);

}  // namespace morvane
