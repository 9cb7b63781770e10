// SPDX-License-Identifier: GPL-3.0-or-later
// The window's texts as the user sees them: the core's UTF-8 strings, and the English ones
// in the user's language.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>
#include <string_view>

#include "link/settings_table.h"

namespace morvane {

inline QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

// A text of the window in the user's language; a text that no translation knows (a number,
// a model's name, any text under English) is shown as it is.
inline QString Shown(const char* english, const char* context = "FormView") {
  return QCoreApplication::translate(context, english);
}

inline QString Shown(const std::string& english) {
  return Shown(english.c_str());
}

// A settings list's entry: its words translated, the default's mark kept after them.
inline QString ShownEntry(const std::string& english) {
  const std::string_view mark = kDefaultMark;
  if (english.size() > mark.size() && english.ends_with(mark)) {
    return Shown(english.substr(0, english.size() - mark.size()).c_str(), "Settings") +
           QString::fromLatin1(mark.data(), static_cast<int>(mark.size()));
  }
  return Shown(english.c_str(), "Settings");
}

}  // namespace morvane
