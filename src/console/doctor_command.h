// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc doctor: the findings of ports/doctor.h for the ports the command would try (the
// one --port names, those MORVANE_ESC_PORTS lists, or else the USB adapters), gathered without
// opening any; then whether an ESC answers there, by the read flow, whose only throttle is 0.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "ports/doctor.h"
#include "ports/port_table.h"

namespace morvane::cli {

// Prints a line per finding (or, with --json, an object holding them) and returns the exit
// status: 0 when a port opened and an ESC answered, else the status the read flow gives.
int RunDoctor(const CliRequest& request, const PortTable& table, bool listed, Platform platform);

// The findings as JSON: {"findings": [{"level", "subject", "text", "remedy"}...], "status"}.
std::string FindingsJson(const std::vector<Finding>& findings, int status);

}  // namespace morvane::cli
