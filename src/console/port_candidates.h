// SPDX-License-Identifier: GPL-3.0-or-later
// The port table of morvane-esc's `ports` command as JSON; which ports it may open is in
// port_choice.h.
#pragma once

#include <QByteArray>

#include "cli/port_choice.h"

namespace morvane::cli {

// An array of objects with port, device and description.
QByteArray PortsJson(const PortTable& table);

}  // namespace morvane::cli
