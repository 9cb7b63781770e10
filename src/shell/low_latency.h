// SPDX-License-Identifier: GPL-3.0-or-later
// USB-serial adapters hold received bytes back for up to 16 ms unless asked not to.
#pragma once

namespace morvane {

// Asks the driver of an open serial device for low-latency mode. Returns false where the
// driver or the system refuses or has no such mode; the port works either way.
bool RequestLowLatency(int fd);

}  // namespace morvane
