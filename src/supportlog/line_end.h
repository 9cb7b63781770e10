// SPDX-License-Identifier: GPL-3.0-or-later
// How a text file the user reads ends its lines: as the system's own editor expects. Windows's
// Notepad showed a file of bare LFs as one long line until 2018, and many of its tools still
// do, so a support log saved there ends its lines with CR LF.
#pragma once

#include <string>
#include <string_view>

#include "ports/port_table.h"

namespace morvane {

// "\r\n" on Windows, "\n" elsewhere.
std::string_view TextLineEnd(Platform platform = CurrentPlatform());

// `text`, whose lines end in "\n", with each of those ends as `platform` wants it.
std::string WithLineEnds(std::string_view text, Platform platform = CurrentPlatform());

}  // namespace morvane
