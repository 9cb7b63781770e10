// SPDX-License-Identifier: GPL-3.0-or-later
// The head of a saved support log: the program and Qt versions, the operating system, how
// times are given and the port table with each device and its adapter.
#pragma once

#include <string>

#include "ports/port_table.h"

namespace morvane {

// `what` says which log this is ("Saved from the window", "Written as it happens").
std::string SupportLogHeader(const PortTable& table, const std::string& what);

}  // namespace morvane
