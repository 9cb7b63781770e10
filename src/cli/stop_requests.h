// SPDX-License-Identifier: GPL-3.0-or-later
// Ctrl+C, SIGTERM and SIGHUP end the command line's work the ordinary way, on the event
// loop, so the port is closed by the window's shutdown; a closed output pipe ends nothing.
#pragma once

#include <functional>

namespace morvane::cli {

// Call once, after start-up. Where there are no such signals it does nothing.
void OnStopRequests(std::function<void()> stop);

}  // namespace morvane::cli
