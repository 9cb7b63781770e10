// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files as JSON: a round trip, and every kind of bad file refused with a message
// that names the file and what is wrong.
#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>

#include "shell/settings_json.h"

namespace morvane {
namespace {

TEST(SettingsJson, ASavedFileReadsBackAsItWasWritten) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("quad.json").toStdString();
  SettingsDocument doc;
  doc.values = {3, kNotGiven, 1, 1, kNotGiven};
  doc.firmware = "V1.234";
  doc.saved = "2024-05-01T12:00:00Z";
  ASSERT_EQ(WriteSettingsFile(path, doc), "");

  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
  EXPECT_EQ(json.value("format").toString(), "morvane-esc-settings");
  EXPECT_EQ(json.value("version").toInt(), 1);
  EXPECT_TRUE(json.value("model").isNull());
  EXPECT_EQ(json.value("firmware").toString(), "V1.234");
  EXPECT_EQ(json.value("saved").toString(), "2024-05-01T12:00:00Z");
  const QJsonObject settings = json.value("settings").toObject();
  EXPECT_EQ(settings.keys(), (QStringList{"brake", "cutoffVoltage", "timingAdvance"}));
  EXPECT_EQ(settings.value("cutoffVoltage").toString(), "7.2V");
  EXPECT_EQ(settings.value("brake").toString(), "Enable");
  EXPECT_EQ(settings.value("timingAdvance").toString(), QString::fromUtf8("10-20\u00b0"));

  const SettingsRead read = ReadSettingsFile(path);
  ASSERT_TRUE(read.document) << read.error;
  EXPECT_EQ(read.document->values, doc.values);
  EXPECT_EQ(read.document->model, std::nullopt);
  EXPECT_EQ(read.document->firmware, "V1.234");
}

TEST(SettingsJson, SavingReplacesAFileWholeAndReportsAPlaceItCannotWrite) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("quad.json").toStdString();
  {
    QFile old(QString::fromStdString(path));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(10000, ' '));  // longer than any settings file
  }
  SettingsDocument doc;
  doc.values = {1, 1, 0, 1, 0};
  ASSERT_EQ(WriteSettingsFile(path, doc), "");
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), SettingsJson(doc));

  const std::string nowhere = dir.filePath("no-such-dir/quad.json").toStdString();
  const std::string error = WriteSettingsFile(nowhere, doc);
  EXPECT_EQ(error.rfind(nowhere + ": cannot write: ", 0), 0u) << error;
}

struct BadFile {
  const char* name;
  QByteArray bytes;
  std::string error;  // after "f.json: "; a trailing '*' matches any rest
};

class BadFiles : public ::testing::TestWithParam<BadFile> {};

const QByteArray kHead = R"({"format": "morvane-esc-settings", "version": 1, "settings": )";

const BadFile kBadFiles[] = {
    {"Empty", "", "the file is empty"},
    {"Blank", " \n\t\n", "the file is empty"},
    {"BlankWithWindowsLineEndsAfterAMark", "\xef\xbb\xbf\r\n \r\n", "the file is empty"},
    {"NotJson", "brake=Enable\n", "not JSON: *"},
    {"CutShort", kHead + R"({"brake": "Enable")", "not JSON: *"},
    {"NotAnObject", R"(["morvane-esc-settings"])",
     "not a settings file: the JSON is not an object"},
    {"NoFormat", R"({"version": 1, "settings": {}})",
     "not a settings file: \"format\" must be \"morvane-esc-settings\""},
    {"OtherFormat", R"({"format": "esc-settings", "version": 1, "settings": {}})",
     "not a settings file: \"format\" must be \"morvane-esc-settings\""},
    {"LaterVersion", R"({"format": "morvane-esc-settings", "version": 2, "settings": {}})",
     "version 2 is not supported; this program reads version 1"},
    {"VersionAsText", R"({"format": "morvane-esc-settings", "version": "1", "settings": {}})",
     "\"version\" must be a number"},
    {"NoSettings", R"({"format": "morvane-esc-settings", "version": 1})",
     "\"settings\" must be an object"},
    {"SettingsAsList", kHead + R"(["brake"]})", "\"settings\" must be an object"},
    {"UnknownName", kHead + R"({"brake": "Enable", "beep": "On"}})",
     "unknown setting \"beep\"; the settings are cutoffVoltage, cutoffType, brake, "
     "timingAdvance, rotationDirection"},
    {"ValueNotInList", kHead + R"({"cutoffVoltage": "3.3V"}})",
     "cutoffVoltage: \"3.3V\" is not allowed; allowed: 4.8V, 5.6V, 6.0V, 7.2V, 8.4V, 9.0V, "
     "11.0V, 12.0V"},
    {"ValueAsNumber", kHead + R"({"brake": 1}})",
     "brake: the value must be text; allowed: Disable, Enable"},
    {"ValueAsNull", kHead + R"({"rotationDirection": null}})",
     "rotationDirection: the value must be text; allowed: Forward, Reverse"},
    {"Huge", kHead + "{}}" + QByteArray(64 * 1024, ' '),
     "refused: larger than 64 KiB, which no settings file is"},
    // A JSON object keeps the last of two keys alike; a settings file has each key once.
    {"KeyTwiceAtTheTop", kHead + R"({}, "settings": {"cutoffVoltage": "12.0V"}})",
     "\"settings\" is given twice"},
    {"KeyTwiceInSettings",
     kHead + R"({"brake": "Enable", "rotationDirection": "Forward", "brake": "Disable"}})",
     "\"brake\" is given twice in \"settings\""},
    {"KeyTwiceSpelledApart", kHead + R"({"brake": "Enable", "br\u0061ke": "Disable"}})",
     "\"brake\" is given twice in \"settings\""},
};

TEST_P(BadFiles, AreRefusedWithTheFileAndTheReason) {
  const BadFile& bad = GetParam();
  const SettingsRead read = ParseSettingsJson(bad.bytes, "f.json");
  EXPECT_FALSE(read.document);
  std::string expected = "f.json: " + bad.error;
  if (expected.back() == '*') {
    expected.pop_back();
    EXPECT_EQ(read.error.rfind(expected, 0), 0u) << read.error;
    EXPECT_GT(read.error.size(), expected.size()) << read.error;
  } else {
    EXPECT_EQ(read.error, expected);
  }
}

INSTANTIATE_TEST_SUITE_P(SettingsJson, BadFiles, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsJson, ReadsASubsetAndIgnoresUnknownKeysAtTheTopUpToTheSizeLimit) {
  QByteArray bytes =
      kHead + R"({"timingAdvance": "10-20 *"}, "comment": "four for the quad", "model": null})";
  bytes += QByteArray(64 * 1024 - bytes.size(), '\n');
  const SettingsRead read = ParseSettingsJson(bytes, "f.json");
  ASSERT_TRUE(read.document) << read.error;
  EXPECT_EQ(read.document->values, (SettingValues{kNotGiven, kNotGiven, kNotGiven, 1, kNotGiven}));
}

// What a Windows editor makes of a saved file: CR LF line ends, a UTF-8 byte order mark
// (Notepad's "UTF-8 with BOM"), or both. Each reads as the file did.
struct WindowsEdit {
  const char* name;
  bool crlf;
  bool bom;
};

void PrintTo(const WindowsEdit& edit, std::ostream* os) {
  *os << edit.name;
}

class WindowsEdited : public ::testing::TestWithParam<WindowsEdit> {};

TEST_P(WindowsEdited, FileReadsAsThePlainOne) {
  const WindowsEdit& edit = GetParam();
  SettingsDocument doc;
  doc.values = {3, 0, 1, 2, 1};
  doc.model = "MORVANE QR-18A V1";
  doc.firmware = "V1.234";
  doc.saved = "2024-05-01T12:00:00Z";
  doc.description = "4S quad\r\nsoft cutoff";
  QByteArray bytes = SettingsJson(doc);
  ASSERT_TRUE(bytes.contains('\n'));
  if (edit.crlf) bytes.replace("\n", "\r\n");
  if (edit.bom) bytes.prepend("\xef\xbb\xbf");

  QTemporaryDir dir;
  const std::string path = dir.filePath("quad.json").toStdString();
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  file.close();
  const SettingsRead read = ReadSettingsFile(path);
  ASSERT_TRUE(read.document) << read.error;
  EXPECT_EQ(read.document->values, doc.values);
  EXPECT_EQ(read.document->model, doc.model);
  EXPECT_EQ(read.document->firmware, doc.firmware);
  EXPECT_EQ(read.document->saved, doc.saved);
  EXPECT_EQ(read.document->description, doc.description);
}

INSTANTIATE_TEST_SUITE_P(SettingsJson, WindowsEdited,
                         ::testing::Values(WindowsEdit{"Plain", false, false},
                                           WindowsEdit{"CrLf", true, false},
                                           WindowsEdit{"Bom", false, true},
                                           WindowsEdit{"CrLfAndBom", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsJson, AFileThatCannotBeReadIsNamedWithTheReason) {
  QTemporaryDir dir;
  const std::string missing = dir.filePath("missing.json").toStdString();
  EXPECT_EQ(ReadSettingsFile(missing).error, missing + ": cannot read: No such file or directory");
  const std::string huge = dir.filePath("huge.json").toStdString();
  QFile file(QString::fromStdString(huge));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(1 << 20, ' '));
  file.close();
  EXPECT_EQ(ReadSettingsFile(huge).error,
            huge + ": refused: larger than 64 KiB, which no settings file is");
}

// The name goes to the system as the bytes it was given, and is shown with the bytes that are
// no text escaped: a name that is not UTF-8 is not read as another file's.
TEST(SettingsJson, AFileNameIsItsBytesAndIsShownReadably) {
  QTemporaryDir temp;
  const std::string dir = temp.path().toStdString();
  QFile other(QString::fromStdString(dir + "/\ufffd.json"));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write(kHead + R"({"cutoffVoltage": "12.0V"}})");
  other.close();
  EXPECT_EQ(ReadSettingsFile(dir + "/\xff.json").error,
            dir + "/\\xff.json: cannot read: No such file or directory");

  const std::string bytes = dir + "/\xff\xfe\x80name.json";
  SettingsDocument doc;
  doc.values = {3, kNotGiven, 1, 1, kNotGiven};
  ASSERT_EQ(WriteSettingsFile(bytes, doc), "");
  const SettingsRead read = ReadSettingsFile(bytes);
  ASSERT_TRUE(read.document) << read.error;
  EXPECT_EQ(read.document->values, doc.values);
  // Listed by the system itself: Qt's own listing decodes names and loses these bytes.
  std::vector<std::string> names;
  DIR* listing = ::opendir(dir.c_str());
  ASSERT_NE(listing, nullptr);
  while (const dirent* e = ::readdir(listing)) {
    if (e->d_name[0] != '.') names.push_back(e->d_name);
  }
  ::closedir(listing);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"\xef\xbf\xbd.json", "\xff\xfe\x80name.json"}));
  ::unlink(bytes.c_str());  // which QTemporaryDir could not remove

  const std::string error = WriteSettingsFile(dir + "/\x1b[31m/quad.json", doc);
  EXPECT_EQ(error.rfind(dir + "/\\x1b[31m/quad.json: cannot write: ", 0), 0u) << error;
}

}  // namespace
}  // namespace morvane
