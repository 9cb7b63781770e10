// SPDX-License-Identifier: GPL-3.0-or-later
// The window in the user's language: this program's translation and Qt's own for its
// dialogs. Under English or the C locale nothing is loaded and every text stays as written.
#pragma once

#include <QLocale>
#include <QStringList>

namespace morvane {

// Installs the translations for `locale` on the running application; returns the files
// loaded, none when no translation is shipped for the language.
QStringList InstallTranslations(const QLocale& locale);

}  // namespace morvane
