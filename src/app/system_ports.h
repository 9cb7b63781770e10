// What the operating system reports about its serial ports, for the port table.
#pragma once

#include <string>
#include <vector>

#include "port_table.h"

namespace morvane {

// Every serial port the system lists, with its adapter's description.
std::vector<SerialDevice> SystemSerialPorts();

// A description of a device named in MORVANE_ESC_PORTS: the adapter when the system lists
// it, what the path links to, or that it does not exist.
std::string DescribeDevice(const std::string& path, const std::vector<SerialDevice>& systemPorts);

}  // namespace morvane
