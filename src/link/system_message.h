// SPDX-License-Identifier: GPL-3.0-or-later
// The system's words for an error number. The command line, the logs and the files speak
// English whatever the user's language settings say (LANGUAGE, LANG, LC_ALL); the window
// speaks the user's language, and the system's words in it follow.
#pragma once

#include <string>

#include "link/translatable.h"

namespace morvane {

// "No such file or directory" for ENOENT: in English when `translate` is empty, else in the
// language the system gives the user ("Datei oder Verzeichnis nicht gefunden").
std::string SystemMessage(int error, const TranslateText& translate = {});

}  // namespace morvane
