// What the operating system reports about its serial ports, for the port table.
#pragma once

#include <string>
#include <vector>

#include "port_table.h"

namespace morvane {

// Every serial port the system lists, with its adapter's description.
std::vector<SerialDevice> SystemSerialPorts();

// What a device path names, found without opening it: the device a link leads to, the adapter
// when the system lists it, and what is wrong with it ("does not exist now", "a regular file,
// not a serial port", "permission denied").
DeviceDescription DescribeDevice(const std::string& path,
                                 const std::vector<SerialDevice>& systemPorts);

}  // namespace morvane
