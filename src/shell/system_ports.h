// SPDX-License-Identifier: GPL-3.0-or-later
// What the operating system reports about its serial ports, for the port table.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ports/port_follower.h"
#include "ports/port_table.h"

namespace morvane {

// Every serial port the system lists, with its adapter's description.
std::vector<SerialDevice> SystemSerialPorts();

// The system's ports, listed when first asked for and kept: walking the system's device tree
// costs more than the rest of a start whose table holds only listed pseudo-terminals.
class SystemPortList {
 public:
  using Lister = std::function<std::vector<SerialDevice>()>;
  SystemPortList() : list_(SystemSerialPorts) {}
  explicit SystemPortList(Lister list) : list_(std::move(list)) {}

  const std::vector<SerialDevice>& get();

 private:
  Lister list_;
  std::optional<std::vector<SerialDevice>> ports_;
};

// The table at start (BuildPortTable) from MORVANE_ESC_PORTS or the system's ports, each
// device described; the system is asked for its list only where the table or a description
// needs it.
PortTable BuildStartTable(const std::optional<std::string>& portList, Platform platform,
                          SystemPortList& systemPorts);

// The devices present now, as the port follower compares them: each listed path that leads
// somewhere, keyed by the path as listed; or the system's ports, keyed by their adapter, each
// described as the start-up table describes it.
std::vector<PresentDevice> ListedDevices(const std::vector<std::string>& paths,
                                         SystemPortList& systemPorts);
std::vector<PresentDevice> SystemDevices(const std::vector<SerialDevice>& systemPorts,
                                         Platform platform);

// What a device path names, found without opening it: the device a link leads to, the adapter
// when the system lists it, and what is wrong with it ("does not exist now", "a regular file,
// not a serial port", "permission denied"). The system's list is wanted only for a serial
// device that is no pseudo-terminal.
DeviceDescription DescribeDevice(const std::string& path, SystemPortList& systemPorts);
DeviceDescription DescribeDevice(const std::string& path,
                                 const std::vector<SerialDevice>& systemPorts);

}  // namespace morvane
