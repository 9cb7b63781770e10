// SPDX-License-Identifier: GPL-3.0-or-later
// A program started with a standard stream closed (`2>&-`) would hand that number to the
// next file it opens, such as the serial port, and its messages would go to the ESC.
#pragma once

namespace morvane {

// Call before any file is opened: a closed standard stream is filled with /dev/null.
// Returns a bit (1 << fd) for each stream that was closed.
int GuardStandardStreams();

}  // namespace morvane
