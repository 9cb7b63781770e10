// SPDX-License-Identifier: GPL-3.0-or-later
// Text from outside (a file's values, a name, an argument) put into a message: control
// characters and bytes that are no UTF-8 are shown escaped, so nothing reaches a terminal
// as an escape sequence and no NUL cuts a message short.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// C0 controls and DEL as \xNN, C1 controls as \uNNNN, invalid UTF-8 bytes as \xNN, a
// backslash as it is; everything else as it is.
std::string Printable(std::string_view text);

}  // namespace morvane
