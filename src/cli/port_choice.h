// SPDX-License-Identifier: GPL-3.0-or-later
// Which serial ports morvane-esc may open, and the port table its `ports` command lists.
// Opening a serial port can reset the board behind it, so only ports the user names, or
// else USB serial adapters, are ever tried.
#pragma once

#include <string>
#include <vector>

#include "ports/port_table.h"

namespace morvane::cli {

struct Candidates {
  std::vector<SerialDevice> devices;  // tried in this order, as COM1, COM2, ... of the flow
  std::vector<std::string> names;     // each as the user knows it
  std::string error;                  // set when there is nothing to try
  int status = 0;                     // the exit status that goes with the error
};

// A USB serial adapter, by its device name (or, on Windows, its description).
bool IsUsbAdapter(const SerialDevice& device, Platform platform);

// portOption: COMn of the window's table, or a device path; empty: the ports the environment
// lists (listed is true), or else the table's USB adapters. On Windows each is named by its
// COM number alone, the system's own name for it.
Candidates ChooseCandidates(const std::string& portOption, const PortTable& table, bool listed,
                            Platform platform);

// One line per port with a device: "COM1", the device and its description, tab-separated.
std::string PortsText(const PortTable& table);

}  // namespace morvane::cli
