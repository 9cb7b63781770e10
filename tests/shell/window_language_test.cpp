// SPDX-License-Identifier: GPL-3.0-or-later
// The core's port, sweep, Check ports, settings file and file texts: in German through the window's
// translator, whole sentences in German order; without a translator the English of the command line
// and the logs, unchanged.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <functional>
#include <string>

#include "ports/doctor.h"
#include "motortest/sweep_plan.h"
#include "ports/device_trouble.h"
#include "ports/port_holders.h"
#include "ports/port_table.h"
#include "shell/safe_file.h"
#include "shell/settings_json.h"
#include "shell/window_language.h"

namespace morvane::test {
namespace {

OpenFailure HeldBy(std::vector<PortHolder> holders) {
  OpenFailure failure{OpenFailure::Kind::InUse, {}};
  DescribeHolders(failure, std::move(holders));
  return failure;
}

// ModemManager runs, no udev rule, nothing plugged in.
std::string FindingOf(std::size_t index, const TranslateText& translate) {
  SystemFacts facts;
  facts.modemManager = RunningProgram{"ModemManager", 812};
  return FindingLine(Diagnose(facts, translate).at(index), translate);
}

// A recording whose file is deleted after its first line: the next line is refused.
std::string DeletedRecording(const TranslateText& translate) {
  QTemporaryDir dir;
  const std::string path = QFile::encodeName(dir.filePath(QStringLiteral("run.csv"))).toStdString();
  GrowingFile file;
  if (!file.open(path, translate).empty() || !file.append("a\n").empty()) return "not started";
  QFile::remove(dir.filePath(QStringLiteral("run.csv")));
  return file.append("b\n");
}

struct Case {
  const char* name;
  std::function<std::string(const TranslateText&)> text;
  const char* english;
  const char* german;
};

TEST(WindowLanguage, CoreTextsComeInGermanAndStayEnglishWithoutATranslator) {
  const Case cases[] = {
      {"held port's remedy",
       [](const TranslateText& t) {
         return InUseReason(HeldBy({{"minicom", 412, true}}), Retry::PickThePort, t);
       },
       "in use by another program (minicom, process 412). Close it, then pick the port again.",
       "von einem anderen Programm belegt (minicom, Prozess 412). Schließen Sie es, dann wählen "
       "Sie den Port erneut."},
      {"holders, one guessed, one more",
       [](const TranslateText& t) {
         return InUseWords(HeldBy({{"minicom", 412, true},
                                   {"ModemManager", 812, false, true},
                                   {"picocom", 9},
                                   {"cat", 1000}}),
                           t);
       },
       "in use by other programs (minicom, process 412; picocom, process 9; perhaps "
       "ModemManager, process 812 and 1 more)",
       "von anderen Programmen belegt (minicom, Prozess 412; picocom, Prozess 9; vielleicht "
       "ModemManager, Prozess 812 und 1 weitere)"},
      {"what a listed path is instead",
       [](const TranslateText& t) {
         return TroubleText({OpenFailure::Kind::NotSerial, "a regular file"}, t);
       },
       "a regular file, not a serial port", "eine gewöhnliche Datei, keine serielle Schnittstelle"},
      {"entry's tip",
       [](const TranslateText& t) {
         DeviceWords words{DeviceWords::What::SerialDevice, {}, "/dev/ttyUSB0", true, false};
         const OpenFailure denied{OpenFailure::Kind::PermissionDenied, "dialout"};
         SerialDevice device{"/dev/esc", DescriptionText(words, denied), denied};
         device.words = words;
         return EntryTip(PortTable({device}), 1, t);
       },
       "/dev/esc\nlink to /dev/ttyUSB0, serial device, permission denied",
       "/dev/esc\nVerknüpfung auf /dev/ttyUSB0, serielles Gerät, Zugriff verweigert"},
      {"empty list's tip",
       [](const TranslateText& t) { return EmptyListTip(PortTable(), Platform::Linux, t); },
       "No serial port was found.\nConnect the adapter: it appears here by itself.",
       "Keine serielle Schnittstelle gefunden.\nSchließen Sie den Adapter an: er erscheint hier "
       "von selbst."},
      {"sweep refused",
       [](const TranslateText& t) {
         SweepPlan plan;
         plan.to = 180;
         return CheckPlan(plan, 200, t).note;
       },
       "To (180) lies above the maximum (160).", "Gas bis (180) liegt über dem Maximum (160)."},
      {"Check ports finding", [](const TranslateText& t) { return FindingOf(1, t); },
       "note    ModemManager: runs, ModemManager (process 812): it probes serial adapters that "
       "are not marked ID_MM_DEVICE_IGNORE.",
       "Hinweis ModemManager: läuft, ModemManager (Prozess 812): es prüft serielle Adapter, die "
       "nicht mit ID_MM_DEVICE_IGNORE markiert sind."},
      {"Check ports remedy", [](const TranslateText& t) { return FindingOf(3, t); },
       "problem adapters: no USB serial adapter is plugged in. Remedy: Plug the adapter in, or "
       "name a port with --port or MORVANE_ESC_PORTS.",
       "Problem Adapter: kein USB-Seriell-Adapter ist eingesteckt. Abhilfe: Stecken Sie den "
       "Adapter ein, oder nennen Sie einen Port mit --port oder MORVANE_ESC_PORTS."},
      {"refused settings file",
       [](const TranslateText& t) {
         return ParseSettingsJson(R"({"format": "morvane-esc-settings", "version": 1,
                                      "settings": {"brake": "Maybe"}})",
                                  "esc.json", t)
             .error;
       },
       "esc.json: brake: \"Maybe\" is not allowed; allowed: Disable, Enable",
       "esc.json: brake: „Maybe“ ist nicht erlaubt; erlaubt: Disable, Enable"},
      {"settings file of another version",
       [](const TranslateText& t) {
         return ParseSettingsJson(R"({"format": "morvane-esc-settings", "version": 7})", "a.json",
                                  t)
             .error;
       },
       "a.json: version 7 is not supported; this program reads version 1",
       "a.json: Version 7 wird nicht unterstützt; dieses Programm liest Version 1"},
      {"save over a folder",
       [](const TranslateText& t) {
         QTemporaryDir dir;
         return WriteWholeFile(QFile::encodeName(dir.path()).toStdString(), "x", t);
       },
       "not a file but a folder; left as it is",
       "keine Datei, sondern ein Ordner; bleibt unverändert"},
      {"ESC's value outside the list",
       [](const TranslateText& t) { return ChoiceText(SettingByName("brake"), 8, t); },
       "value byte 9", "Wertbyte 9"},
      {"recording's file deleted", DeletedRecording, "the file was deleted",
       "die Datei wurde gelöscht"},
  };
  QTranslator german;
  ASSERT_TRUE(german.load(QStringLiteral(":/i18n/morvane_de.qm")));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.text({}), c.english);
    // Loaded but not asked: what the command line and the logs get.
    QCoreApplication::installTranslator(&german);
    EXPECT_EQ(c.text({}), c.english);
    EXPECT_EQ(c.text(InWindowLanguage), c.german);
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(c.text(InWindowLanguage), c.english);
  }
}

}  // namespace
}  // namespace morvane::test
