// SPDX-License-Identifier: GPL-3.0-or-later
// File names Windows refuses or changes: a device's name (CON, aux.json), a character it
// keeps for itself (":", "?"), a trailing dot or space it drops. Checked before anything is
// written, so a save fails with a reason instead of writing to a device or another file.
#pragma once

#include <string>
#include <string_view>

#include "link/translatable.h"

namespace morvane {

// Why the last part of `path` cannot name a file on Windows; "" when it can. Both "/" and "\"
// separate folders, and a drive ("C:") goes before them. In the language `translate` gives
// (empty: English), context "FileName".
std::string WindowsFileNameTrouble(std::string_view path, const TranslateText& translate = {});

// The same where this program runs on Windows; "" elsewhere, where any such name is a file.
std::string FileNameTrouble(std::string_view path, const TranslateText& translate = {});

}  // namespace morvane
