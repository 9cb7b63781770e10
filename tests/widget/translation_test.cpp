// SPDX-License-Identifier: GPL-3.0-or-later
// The window in each language shipped: translated where it is shown, whole in its controls,
// with the core's texts left in English; and the language chosen at start-up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTranslator>
#include <QXmlStreamReader>
#include <memory>
#include <ostream>
#include <string>

#include "view/translations.h"
#include "window_bench.h"

namespace morvane::test {
namespace {

// Takes every translation off the application again, whoever installed it.
void RemoveTranslations() {
  for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(t);
    delete t;
  }
}

struct Language {
  const char* name;
  // What a few controls show in it.
  const char* settingLabel;  // Label5
  const char* brakeDefault;  // CombBrake's entry 0
  const char* unconnected;
  const char* connected;
  const char* unknown;
  const char* resetButton;
  const char* runTab;
  const char* noPortTip;  // the connection state's tooltip with no port open
};

void PrintTo(const Language& language, std::ostream* os) {
  *os << language.name;
}

class Translated : public testing::TestWithParam<Language> {
 protected:
  void SetUp() override {
    translator_ = std::make_unique<QTranslator>();
    ASSERT_TRUE(translator_->load(
        QStringLiteral(":/i18n/morvane_%1.qm").arg(QLatin1String(GetParam().name))));
    QCoreApplication::installTranslator(translator_.get());
  }
  void TearDown() override { QCoreApplication::removeTranslator(translator_.get()); }

 private:
  std::unique_ptr<QTranslator> translator_;
};

TEST_P(Translated, TheViewShowsTheCoresEnglishTextsTranslated) {
  const Language& l = GetParam();
  WindowBench b;
  b.form.Load();
  EXPECT_EQ(b.find<QLabel>("Label5")->text(), QString::fromUtf8(l.settingLabel));
  EXPECT_EQ(b.find<QComboBox>("CombBrake")->itemText(0), QString::fromUtf8(l.brakeDefault));
  EXPECT_EQ(b.find<QPushButton>("CmdReset")->text(), QString::fromUtf8(l.resetButton));
  EXPECT_EQ(b.find<QTabWidget>("TabStrip1")->tabText(1), QString::fromUtf8(l.runTab));
  EXPECT_EQ(b.find<QLabel>("TxtHardVer")->text(), QString::fromUtf8(l.unknown));
  // The core keeps comparing its own English texts.
  EXPECT_EQ(b.c().TxtConnState.text(), "Unconnected");
  EXPECT_EQ(b.find<QLabel>("TxtConnState")->text(), QString::fromUtf8(l.unconnected));
  b.c().TxtConnState.setText("Connected");
  EXPECT_EQ(b.find<QLabel>("TxtConnState")->text(), QString::fromUtf8(l.connected));
  // A pick made in the translated list reaches the core as its index.
  b.find<QComboBox>("CombBrake")->activated(1);
  EXPECT_EQ(b.c().CombBrake.listIndex(), 1);
  EXPECT_EQ(b.c().CombBrake.list(1), "Enable");
}

TEST_P(Translated, TheConnectionStatesTooltipSpeaksTheLanguage) {
  WindowBench b;
  b.view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.view));
  QWidget* state = b.find("TxtConnState");
  QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), state->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(state, &ask);
  EXPECT_EQ(QToolTip::text(), QString::fromUtf8(GetParam().noPortTip));
  QToolTip::hideText();
}

TEST_P(Translated, EveryTextFitsItsControlWhole) {
  WindowBench b;
  for (int n = 1; n <= 16; ++n) b.line.addPort(n);
  b.form.Load();
  b.view.show();
  b.find("FrameRun")->show();
  ExpectAllTextsFit(b);
  // The states the logic writes, in their widest words.
  for (const char* state : {"Unconnected", "Connected"}) {
    b.c().TxtConnState.setText(state);
    ExpectAllTextsFit(b);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, Translated,
    testing::Values(Language{"de", "1.Abschaltspannung", "Aus *", "Getrennt", "Verbunden",
                             "Unbekannt", "Stan&dardwerte", " &Betrieb",
                             "Kein Port ist offen: wählen Sie einen in der Port-Liste."},
                    Language{"es", "1.Voltaje de corte", "Desactivado *", "Sin conexión",
                             "Conectado", "Desconocido", "R&establecer", " &Marcha",
                             "Ningún puerto abierto: elija uno en la lista Puerto."}),
    [](const testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

TEST(StartUpLanguage, TheFirstShippedLanguageBeforeEnglishAndQtsOwnWithIt) {
  const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  struct Case {
    QStringList languages;  // the user's, most preferred first
    QString shipped;        // the one loaded; empty: none, the window stays English
  };
  const Case cases[] = {
      {{"de-DE", "de"}, "de"},
      {{"de-AT"}, "de"},
      {{"es-MX", "es"}, "es"},
      {{"fr-FR", "es-ES"}, "es"},  // the first shipped one
      {{"en-US", "de-DE"}, ""},    // English before German: English
      {{"en-GB"}, ""},
      {{"C"}, ""},
      {{"fr-FR"}, ""},  // none shipped: English, also in Qt's dialogs
      {{}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.languages.join(u',').toStdString());
    const QStringList loaded = InstallTranslations(c.languages);
    if (c.shipped.isEmpty()) {
      EXPECT_EQ(loaded, QStringList());
      EXPECT_EQ(QCoreApplication::translate("FormView", "Unconnected"), "Unconnected");
    } else {
      QStringList expected{":/i18n/morvane_" + c.shipped + ".qm"};
      // Qt's dialogs in the same language, where the system's Qt has them.
      const QString qt = qtFolder + "/qtbase_" + c.shipped + ".qm";
      if (QFileInfo::exists(qt)) expected << qt;
      EXPECT_EQ(loaded, expected);
      EXPECT_NE(QCoreApplication::translate("FormView", "Unconnected"), "Unconnected");
    }
    RemoveTranslations();
  }
}

// What a translation must keep of its source: one access key where the source has one,
// and the same placeholders.
QString Flaw(const QString& source, const QString& translation) {
  if (translation.isEmpty()) return QStringLiteral("no translation");
  const auto keys = [](QString text) { return text.remove(QStringLiteral("&&")).count(u'&'); };
  if (keys(source) != keys(translation)) return QStringLiteral("access keys differ");
  const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
  const auto holders = [&placeholder](const QString& text) {
    QStringList found;
    for (const auto& m : placeholder.globalMatch(text)) found << m.captured();
    found.sort();
    return found;
  };
  if (holders(source) != holders(translation)) return QStringLiteral("placeholders differ");
  return {};
}

// Each message of a .ts file that has no finished, sound translation, as "context: source
// (why)".
QStringList Untranslated(const QString& tsFile) {
  QFile file(tsFile);
  if (!file.open(QIODevice::ReadOnly)) return {tsFile + QStringLiteral(": cannot be read")};
  QStringList found;
  QXmlStreamReader xml(&file);
  QString context, source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (xml.name() == QLatin1String("source")) {
      source = xml.readElementText();
    } else if (xml.name() == QLatin1String("translation")) {
      const bool unfinished = !xml.attributes().value(QLatin1String("type")).isEmpty();
      // A message with a count holds one form per plural: each must be sound.
      QString text;
      QStringList forms;
      while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::Characters) {
          text += xml.text();
        } else if (token == QXmlStreamReader::StartElement) {
          forms << xml.readElementText();
        } else if (token == QXmlStreamReader::EndElement) {
          break;
        }
      }
      if (forms.isEmpty()) forms << text;
      QString flaw = unfinished ? QStringLiteral("unfinished") : QString();
      for (const QString& form : forms) {
        if (flaw.isEmpty()) flaw = Flaw(source, form);
      }
      if (!flaw.isEmpty()) found << context + QStringLiteral(": ") + source + " (" + flaw + ")";
    }
  }
  if (xml.hasError()) found << tsFile + QStringLiteral(": ") + xml.errorString();
  return found;
}

TEST(TranslationFiles, EveryTextTheSourcesMarkHasATranslationInEveryShippedLanguage) {
  // The shipped files brought up to date with the sources, as update_translations does,
  // in a folder of their own: a text marked since and not yet translated shows unfinished.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QStringList arguments =
      QString::fromUtf8(MORVANE_LUPDATE_OPTIONS).split(u'|', Qt::SkipEmptyParts);
  arguments << QStringLiteral(MORVANE_SOURCES_DIR) << QStringLiteral("-ts");
  QStringList copies;
  for (const QString& ts : QString::fromUtf8(MORVANE_TS_FILES).split(u'|')) {
    copies << dir.filePath(QFileInfo(ts).fileName());
    ASSERT_TRUE(QFile::copy(ts, copies.back()));
  }
  ASSERT_EQ(copies.size(), 2);  // German and Spanish
  QProcess lupdate;
  lupdate.start(QStringLiteral(MORVANE_LUPDATE), arguments << copies);
  ASSERT_TRUE(lupdate.waitForFinished(-1));
  ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
  for (const QString& copy : copies) {
    SCOPED_TRACE(copy.toStdString());
    EXPECT_EQ(Untranslated(copy), QStringList());
  }
}

}  // namespace
}  // namespace morvane::test
