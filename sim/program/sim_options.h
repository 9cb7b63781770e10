// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of morvane-esc-sim: what the simulated ESC is and how its line
// behaves. Parsing never exits; the caller prints the error and chooses the status.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/esc_model.h"
#include "sim/reply_faults.h"
#include "sim/thrust_stand_model.h"

namespace morvane::sim {

struct SimOptions {
  EscConfig esc;
  FaultOptions faults;
  bool echo = false;
  std::string linkPath;  // empty: no symlink
  std::string logPath;   // empty: no log
  // A thrust stand on a second pseudo-terminal; standLinkPath as linkPath, for it.
  std::optional<StandConfig> stand;
  std::string standLinkPath;
  bool help = false;
};

struct ParseResult {
  std::optional<SimOptions> options;
  std::string error;  // one line, set when options is empty
};

ParseResult ParseSimOptions(const std::vector<std::string>& args);

// The text of --help.
std::string SimUsage();

}  // namespace morvane::sim
