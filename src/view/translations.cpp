// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace morvane {
namespace {

// Kept by the application for as long as it runs.
bool Install(const QLocale& locale, const QString& name, const QString& folder,
             QStringList& loaded) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(locale, name, QStringLiteral("_"), folder) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  loaded << translator->filePath();
  return true;
}

}  // namespace

QStringList InstallTranslations(const QStringList& languages) {
  QStringList loaded;
  // The first one shipped wins, and English, the language the texts are written in, ends the
  // search (Qt's dialogs stay English too).
  for (const QString& name : languages) {
    const QLocale language(name);
    if (language.language() == QLocale::C || language.language() == QLocale::English) break;
    if (Install(language, QStringLiteral("morvane"), QStringLiteral(":/i18n"), loaded)) {
      // Qt's own texts (file dialogs, message boxes), where the system has them.
      Install(language, QStringLiteral("qtbase"),
              QLibraryInfo::path(QLibraryInfo::TranslationsPath), loaded);
      break;
    }
  }
  return loaded;
}

}  // namespace morvane
