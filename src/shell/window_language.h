// SPDX-License-Identifier: GPL-3.0-or-later
// The texts the core marks, in the window's language: what the window and its commands pass
// the core as its TranslateText. As written where no translation is loaded; the command line
// passes none and stays English.
#pragma once

#include <QCoreApplication>
#include <string>

namespace morvane {

inline std::string InWindowLanguage(const char* context, const char* english) {
  return QCoreApplication::translate(context, english).toStdString();
}

}  // namespace morvane
