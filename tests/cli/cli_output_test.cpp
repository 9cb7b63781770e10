// SPDX-License-Identifier: GPL-3.0-or-later
// What morvane-esc prints, whatever the user's language settings and whatever the names it is
// given: English, the system's words too; one JSON document under --json in every outcome;
// control characters escaped wherever a name is printed.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "cli_run.h"
#include "full_folder.h"
#include "sim_session.h"
#include "temp_dir.h"

namespace morvane::e2e {
namespace {

// A settings file that asks for one setting; and one that asks for none.
const char* const kBrakeOn =
    R"({"format": "morvane-esc-settings", "version": 1, "settings": {"brake": "Enable"}})";
const char* const kNothing = R"({"format": "morvane-esc-settings", "version": 1, "settings": {}})";

struct Language {
  std::string name;
  EnvChanges env;
};

// Whether the system itself speaks the language: the C library's words for a missing file, as
// cat shows them. Where it has no translations the test could not tell English from them.
bool SystemSpeaks(const EnvChanges& env) {
  ChildProcess cat("/bin/cat", {"/nonexistent-morvane-probe"}, env);
  cat.wait(5000);
  const std::string err = cat.errorOutput();
  return !err.empty() && err.find("No such file or directory") == std::string::npos;
}

// LANGUAGE over an English locale, as a desktop sets it; and a German locale of the test's own
// (made with localedef, where the system has the sources) as LC_ALL.
std::vector<Language> OtherLanguages(const test::TempDir& locales) {
  std::vector<Language> languages;
  for (const char* language : {"de", "es"}) {
    languages.push_back({std::string("LANGUAGE=") + language,
                         {{"LANG", "C.UTF-8"},
                          {"LANGUAGE", language},
                          {"LC_ALL", std::nullopt},
                          {"LC_MESSAGES", std::nullopt}}});
  }
  ChildProcess make("/usr/bin/localedef",
                    {"-i", "de_DE", "-f", "UTF-8", locales.path() + "/de_DE.UTF-8"});
  make.wait(60000);
  if (std::filesystem::is_directory(locales.path() + "/de_DE.UTF-8")) {
    languages.push_back({"LC_ALL=de_DE.UTF-8",
                         {{"LOCPATH", locales.path()},
                          {"LC_ALL", "de_DE.UTF-8"},
                          {"LANGUAGE", std::nullopt},
                          {"LANG", std::nullopt}}});
  }
  return languages;
}

// Each run as the issue's user saw it translated: the reasons the system gives are English.
TEST(CliOutput, TheSystemsWordsAreEnglishWhateverTheLanguageSettingsSay) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  test::FullFolder full;
  const test::TempDir locales;
  const std::string missing = sim.dir() + "/nonexistent/esc";
  std::ofstream(sim.dir() + "/quad.json") << kBrakeOn;
  // Debian 13's C library takes no LANGUAGE over C.UTF-8; the German locale still speaks.
  int checked = 0;
  for (const Language& language : OtherLanguages(locales)) {
    SCOPED_TRACE(language.name);
    if (!SystemSpeaks(language.env)) continue;
    ++checked;
    EnvChanges env = language.env;
    const Outcome doctor = RunCli({"doctor", "--port", missing, "--json"}, env);
    EXPECT_EQ(doctor.status, 5) << doctor.err;
    EXPECT_NE(doctor.out.find("gone (No such file or directory)"), std::string::npos) << doctor.out;

    const Outcome read = RunCli({"read", "--port", missing}, env);
    EXPECT_EQ(read.err, "morvane-esc: cannot open " + missing +
                            ": gone (No such file or directory). Plug the adapter in again.\n");

    const Outcome load = RunCli({"load", sim.dir() + "/no-such.json", "--port", sim.link()}, env);
    EXPECT_EQ(load.err, "morvane-esc: " + sim.dir() +
                            "/no-such.json: cannot read: No such file or directory\n");

    const Outcome closed = RunCliRedirected({"ports"}, ">&-", env);
    EXPECT_EQ(closed.status, 3);
    EXPECT_EQ(closed.err, "morvane-esc: cannot write to standard output: Bad file descriptor\n");

    if (full.ready()) {
      const Outcome save = RunCli({"save", full.path("x.json"), "--port", sim.link()}, env);
      EXPECT_EQ(save.status, 3);
      EXPECT_EQ(save.err, "morvane-esc: " + full.path("x.json") +
                              ": cannot write: No space left on device\n");
      const Outcome record = RunCli({"load", sim.dir() + "/quad.json", "--each", "--record",
                                     full.path("batch.csv"), "--port", sim.link()},
                                    env);
      EXPECT_EQ(record.status, 3);
      EXPECT_EQ(record.err, "morvane-esc: " + full.path("batch.csv") +
                                ": cannot keep the record: No space left on device\n");
    }
  }
  EXPECT_GT(checked, 0) << "the system shows no other language here: nothing was checked";
}

// Standard output under --json: one whole JSON document, or nothing at all with the reason on
// standard error; the status as the user guide gives it.
TEST(CliOutput, UnderJsonStandardOutputIsOneJsonDocumentOrNothingInEveryOutcome) {
  struct Case {
    const char* name;
    std::vector<std::string> simOptions;  // empty: no simulator; the port is --port's
    std::vector<std::string> args;        // --json is added
    int status;
    bool document;  // a document on standard output, else nothing
  };
  test::TempDir dir;
  ASSERT_FALSE(dir.path().empty());
  const std::string d = dir.path();
  std::ofstream(d + "/brake-on.json") << kBrakeOn;
  std::ofstream(d + "/nothing.json") << kNothing;
  std::ofstream(d + "/broken.json") << R"({"format": "morvane-esc-settings", "version": 1,)";
  std::ofstream(d + "/twice.json")
      << R"({"format": "morvane-esc-settings", "version": 1, "settings": {"brake": "Enable", "brake": "Disable"}})";
  const std::string gone = d + "/no-such-tty";
  const std::vector<Case> cases = {
      {"PortsListed", {}, {"ports"}, 0, true},
      {"PresetsListedWithABrokenOneAside", {}, {"presets"}, 0, true},
      {"ReadDone", {"--echo"}, {"read"}, 0, true},
      {"ReadAValueOutsideTheList", {"--settings", "9,1,2,2,1"}, {"read"}, 0, true},
      {"ReadNoEscAnswers", {"--silent"}, {"read", "--timeout", "1"}, 1, false},
      {"ReadAPortThatDoesNotOpen", {}, {"read", "--port", gone}, 5, false},
      {"ReadAComNumberWithoutADevice", {}, {"read", "--port", "COM9"}, 5, false},
      {"DoctorDone", {"--echo"}, {"doctor"}, 0, true},
      {"DoctorNoEscAnswers", {"--silent"}, {"doctor", "--timeout", "1"}, 1, true},
      {"DoctorAPortThatDoesNotOpen", {}, {"doctor", "--port", gone}, 5, true},
      {"DiffEqual", {"--settings", "2,2,2,2,1"}, {"diff", d + "/brake-on.json"}, 0, true},
      {"DiffDiffers", {"--echo"}, {"diff", d + "/brake-on.json"}, 6, true},
      {"DiffNothingToCompare", {}, {"diff", d + "/nothing.json"}, 0, true},
      {"DiffABrokenFile", {}, {"diff", d + "/broken.json"}, 3, false},
      {"DiffAKeyGivenTwice", {}, {"diff", d + "/twice.json"}, 3, false},
      {"DiffNoSuchFile", {}, {"diff", d + "/no-such.json"}, 3, false},
      {"DiffNoEscAnswers",
       {"--silent"},
       {"diff", d + "/brake-on.json", "--timeout", "1"},
       1,
       false},
      {"DiffAPortThatDoesNotOpen", {}, {"diff", d + "/brake-on.json", "--port", gone}, 5, false},
      {"DiffWithoutAFile", {}, {"diff"}, 2, false},
  };
  // The machine's own ports are never tried: COM1 is a path where nothing is.
  const EnvChanges env = {
      {"MORVANE_ESC_PRESETS", d}, {"XDG_DATA_HOME", d}, {"MORVANE_ESC_PORTS", gone}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<SimSession> sim;
    std::vector<std::string> args = c.args;
    args.push_back("--json");
    if (!c.simOptions.empty()) {
      sim.emplace(c.simOptions);
      ASSERT_TRUE(sim->ready());
      args.insert(args.end(), {"--port", sim->link()});
    }
    const Outcome run = RunCli(args, env);
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    if (!c.document) {
      EXPECT_EQ(run.out, "");
      EXPECT_NE(run.err, "");
      continue;
    }
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError)
        << error.errorString().toStdString() << " at " << error.offset << ":\n"
        << run.out;
    EXPECT_FALSE(json.isNull());
  }
}

// The issue's name, in every place a name is printed: a tab, a control character and the
// start of an escape sequence that would turn a terminal red.
const std::string kHostile = "bad\tname\x01\x1b[31m";
const std::string kShown = "bad\\x09name\\x01\\x1b[31m";

// Nothing a terminal takes as a control: only the line ends, and `tabs` tabs a line where the
// output's columns are separated so.
void ExpectPrintable(const std::string& text, std::size_t tabs, const std::string& what) {
  for (const std::string& line : Lines(text)) {
    std::size_t seen = 0;
    for (const char c : line) {
      const auto byte = static_cast<unsigned char>(c);
      if (c == '\t') {
        ++seen;
      } else {
        EXPECT_FALSE(byte < 0x20 || byte == 0x7f)
            << what << ": byte " << int(byte) << " in " << line;
      }
    }
    EXPECT_EQ(seen, tabs) << what << ": " << line;
  }
}

TEST(CliOutput, AHostileNameIsShownEscapedOnEveryPathThatPrintsIt) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  const std::string d = sim.dir();
  const std::string port = d + "/" + kHostile;
  const std::string shownPort = d + "/" + kShown;
  const std::string presets = d + "/presets";
  std::filesystem::create_directory(presets);
  std::ofstream(presets + "/" + kHostile + ".json") << kBrakeOn;
  ASSERT_EQ(::mkfifo((d + "/" + kHostile + ".csv").c_str(), 0600), 0);
  const EnvChanges listed = {{"MORVANE_ESC_PORTS", port + ":" + d + "/new\nline"},
                             {"MORVANE_ESC_PRESETS", presets},
                             {"XDG_DATA_HOME", d}};
  // In JSON's own escaping, as the document's text holds it.
  const auto json = [](std::string text) {
    for (std::size_t at = 0; (at = text.find('\\', at)) != std::string::npos; at += 2) {
      text.insert(at, 1, '\\');
    }
    return text;
  };
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::size_t tabs;   // a line of standard output has this many
    std::string shown;  // in standard output or standard error
  };
  const std::vector<Case> cases = {
      {"Ports", {"ports"}, 2, "COM1\t" + shownPort + "\tdoes not exist now"},
      {"PortsJson", {"ports", "--json"}, 0, json(shownPort)},
      {"Doctor", {"doctor"}, 0, "problem " + shownPort + ": does not exist now."},
      {"DoctorTheSecondEntry", {"doctor"}, 0, "problem " + d + "/new\\x0aline: does not exist"},
      {"DoctorJson", {"doctor", "--json"}, 0, json(shownPort)},
      {"ReadsCannotOpen", {"read", "--port", port}, 0, "cannot open " + shownPort + ": gone"},
      {"LoadsCannotRead",
       {"load", port + ".json", "--port", sim.link()},
       0,
       shownPort + ".json: cannot read"},
      {"SavesCannotWrite",
       {"save", port + "/x.json", "--port", sim.link()},
       0,
       shownPort + "/x.json: cannot write"},
      {"TheRecordRefused",
       {"load", kHostile, "--each", "--record", port + ".csv", "--port", sim.link()},
       0,
       shownPort + ".csv: cannot keep the record: not a file but a named pipe"},
      {"Presets", {"presets"}, 2, kShown + "\t" + kShown + "\t" + presets + "/" + kShown},
      {"PresetsJson", {"presets", "--json"}, 0, json(presets + "/" + kShown + ".json")},
      {"DiffOfAPreset",
       {"diff", kHostile, "--port", sim.link()},
       0,
       "! brake: ESC Disable, file Enable"},
      {"UsageError", {"read", kHostile}, 0, "unexpected argument '" + kShown + "'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome run = RunCli(c.args, listed);
    ExpectPrintable(run.out, c.tabs, "standard output");
    ExpectPrintable(run.err, 0, "standard error");
    EXPECT_NE((run.out + run.err).find(c.shown), std::string::npos) << run.out << run.err;
  }
}

}  // namespace
}  // namespace morvane::e2e
