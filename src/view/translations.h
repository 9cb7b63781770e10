// SPDX-License-Identifier: GPL-3.0-or-later
// The window in the user's language: this program's translation and Qt's own for its
// dialogs. Under English or the C locale nothing is loaded and every text stays as written.
#pragma once

#include <QStringList>
#include <string>

namespace morvane {

// Installs the translations for the first of the user's languages (most preferred first, as
// QLocale::uiLanguages() gives them) that is shipped, unless English comes before it; returns
// the files loaded, none when the window stays English.
QStringList InstallTranslations(const QStringList& languages);

}  // namespace morvane
