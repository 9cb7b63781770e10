// SPDX-License-Identifier: GPL-3.0-or-later
// The support log in the shell, offscreen: the --log file as it is written, a file that fails,
// "Save support log…" in the Connection group's menu, and the --log option.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <optional>

#include "app/command_line.h"
#include "app/support_log_session.h"
#include "bench.h"
#include "full_folder.h"
#include "raise_throttle.h"
#include "view/form_view.h"

namespace morvane::test {
namespace {

struct ShellBench : SimulatedLink {
  QTemporaryDir dir;
  PortTable table{{{"/tmp/esc", "link to /dev/pts/3, pseudo-terminal"}}};
  QStringList reports;
  SupportLogSession session;
  FormMVconfig form{session.comm(), timer1, timer2, clock, AppVersion{1, 0, 14}};
  std::unique_ptr<FormLog> formLog;

  explicit ShellBench(const QString& logFile) : ShellBench(QFile::encodeName(logFile).toStdString()) {}
  explicit ShellBench(const std::string& logFile = {})
      : session(line, clock, table, logFile, [this](const QString& m) { reports << m; }) {
    form.setClock(clock);
    line.addPort(1);
    line.attachEsc(1, esc);
    form.Load();
    formLog = session.watch(form);
  }
  bool connect() {
    return clock.runUntilTrue([&] { return form.controls().TxtConnState.text() == "Connected"; },
                              clock.now() + Ms(2000));
  }
};

QString Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const QRegularExpression kStamped(
    QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z "),
    QRegularExpression::MultilineOption);

TEST(SupportLogFile, TakesTheHeaderThenEachLineStampedAsItHappens) {
  QTemporaryDir dir;
  const QString path = dir.filePath("support.log");
  ShellBench b(path);
  ASSERT_TRUE(b.connect());
  // Read while the program runs: every line is in the file already.
  const QString text = Read(path);
  EXPECT_TRUE(text.startsWith("# Morvane ESC Config support log\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("\n#   COM1  /tmp/esc  link to /dev/pts/3, pseudo-terminal\n"));
  EXPECT_TRUE(text.contains(QRegularExpression(kStamped.pattern() + "sent PING: 41 53 00$",
                                               QRegularExpression::MultilineOption)));
  EXPECT_TRUE(text.endsWith("Connected MORVANE QR-18A V1.003 V1.234\n")) << text.toStdString();
  EXPECT_EQ(text.count(kStamped), static_cast<qsizetype>(b.session.log().lines().size()));
  EXPECT_EQ(b.reports, QStringList());
}

// Any name the system takes is the file written, byte for byte.
TEST(SupportLogFile, IsWrittenUnderTheNameGivenByteForByte) {
  QTemporaryDir dir;
  const std::string name = QFile::encodeName(dir.path()).toStdString() + "/\xff\xfe\x80.log";
  {
    ShellBench b(name);
    ASSERT_TRUE(b.connect());
    EXPECT_EQ(b.reports, QStringList());
  }
  struct stat st {};
  EXPECT_EQ(::stat(name.c_str(), &st), 0);
  EXPECT_GT(st.st_size, 0);
}

TEST(SupportLogFile, AFileThatFailsIsToldOnceAndTheWindowGoesOn) {
  ShellBench b(QStringLiteral("/dev/full"));
  ASSERT_TRUE(b.connect());
  ASSERT_EQ(b.reports.size(), 1);
  EXPECT_TRUE(b.reports[0].startsWith("the support log /dev/full cannot be written"))
      << b.reports[0].toStdString();
  EXPECT_GT(b.session.log().lines().size(), 5u);
}

// A file deleted while the window writes it: the next line is not written into a file no one
// can find, and the user is told once.
TEST(SupportLogFile, AFileDeletedWhileItIsWrittenIsToldAtTheNextLineAndWrittenNoMore) {
  QTemporaryDir dir;
  const QString path = dir.filePath("support.log");
  ShellBench b(path);
  ASSERT_TRUE(b.connect());
  EXPECT_EQ(b.reports, QStringList());
  ASSERT_TRUE(QFile::remove(path));
  b.form.pickSetting(2, 1);
  b.clock.runFor(Ms(1000));
  EXPECT_EQ(b.reports,
            QStringList{QStringLiteral("the support log %1 cannot be written (the file was "
                                       "deleted); it is written no more")
                            .arg(path)});
  EXPECT_FALSE(QFile::exists(path));
}

// A new file that could not take its header, on a full disk, is not left behind empty.
TEST(SupportLogFile, ANewFileThatCannotTakeItsHeaderIsNotLeftBehind) {
  FullFolder full;
  if (!full.ready()) GTEST_SKIP() << "a full file system of the test's own needs root";
  const QString path = QString::fromStdString(full.path("support.log"));
  ShellBench b(path);
  ASSERT_EQ(b.reports.size(), 1);
  EXPECT_TRUE(b.reports[0].endsWith("(No space left on device); it is written no more"))
      << b.reports[0].toStdString();
  EXPECT_FALSE(QFile::exists(path));
}

// Opened without waiting: nothing at the name may hold up the window, which drives a motor.
TEST(SupportLogFile, ANamedPipeThatNoProgramReadsOrAFolderIsToldOnceAndTheWindowGoesOn) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath("pipe");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const std::pair<QString, QString> cases[] = {
      {pipe, "a named pipe that no program reads"},
      {dir.path(), "not a file but a folder"},
  };
  for (const auto& [path, why] : cases) {
    ShellBench b(path);
    ASSERT_TRUE(b.connect());
    EXPECT_EQ(b.reports,
              QStringList{
                  QStringLiteral("the support log %1 cannot be written (%2); it is written no more")
                      .arg(path, why)});
  }
}

// The pipe is made small, so that its reader falls behind within seconds of polls: those of
// a running motor, as idle pings are counted rather than written.
TEST(SupportLogFile, AReaderThatStallsHoldsUpNothingAndGetsEveryLineWhenItReadsAgain) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath("pipe");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  // Closed after the window's log, whose last lines still go to the pipe.
  const std::unique_ptr<const int, void (*)(const int*)> closeReader(
      &reader, [](const int* fd) { ::close(*fd); });
  ASSERT_GT(::fcntl(reader, F_SETPIPE_SZ, 4096), 0);
  ShellBench b(pipe);
  ASSERT_TRUE(b.connect());
  // Up to a running motor, within each move's largest step.
  RaiseThrottle(b.form.controls().SldPower, 30);
  b.clock.runFor(Ms(20000));
  EXPECT_EQ(b.reports, QStringList());

  QString text;
  const auto readAll = [&] {
    char buffer[4096];
    for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;) {
      text += QString::fromUtf8(buffer, n);
    }
    return text.count(kStamped) == static_cast<qsizetype>(b.session.log().lines().size());
  };
  EXPECT_TRUE(QTest::qWaitFor(readAll, 5000)) << text.size();
  EXPECT_GT(text.size(), 4 * 4096);
  EXPECT_TRUE(text.endsWith(QString::fromStdString(b.session.log().lines().back().text()) + "\n"));
}

// Idle pings are told once a minute, their times of day in UTC as the stamps give them.
TEST(SupportLogFile, CountedPingsAreToldWithTheTimesTheStampsGive) {
  QTemporaryDir dir;
  const QString path = dir.filePath("support.log");
  ShellBench b(path);
  ASSERT_TRUE(b.connect());
  b.clock.runFor(Ms(70'000));
  const QRegularExpression fold(
      QStringLiteral(
          R"(^\S+T(\d\d:\d\d:\d\d)\.\d{3}Z PING answered \d+ times, (\d\d:\d\d:\d\d) to )"),
      QRegularExpression::MultilineOption);
  const QRegularExpressionMatch match = fold.match(Read(path));
  ASSERT_TRUE(match.hasMatch()) << Read(path).toStdString();
  EXPECT_EQ(match.captured(2).toStdString(), match.captured(1).toStdString());
}

struct MenuBench : ShellBench {
  FormView view{form};
  QString answer;
  QStringList errors;
  QAction* save =
      InstallSupportLogCommand(view, session,
                               {[this](QWidget*) { return answer; },
                                [this](QWidget*, const QString& message) { errors << message; }});
};

TEST(SupportLogCommand, TheConnectionGroupsMenuSavesTheKeptLinesUnderTheHeader) {
  MenuBench b;
  ASSERT_TRUE(b.connect());
  QWidget* group = b.view.findChild<QWidget*>(QStringLiteral("FrameConnect"));
  QStringList shown;
  QTimer::singleShot(0, [&shown] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    for (QAction* a : menu->actions()) shown << a->text();
    menu->close();
  });
  // A right click on the group's background, below its last row.
  const QPoint at(group->width() / 2, group->height() - 4);
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, group->mapToGlobal(at));
  QApplication::sendEvent(group, &click);
  EXPECT_EQ(shown, QStringList{QString::fromUtf8("Save support log\u2026")});

  b.answer = b.dir.filePath("saved.log");
  b.save->trigger();
  const QString text = Read(b.answer);
  EXPECT_TRUE(text.startsWith("# Morvane ESC Config support log\n# Saved from the window at "))
      << text.toStdString();
  EXPECT_TRUE(text.contains("\n# Qt: "));
  EXPECT_TRUE(text.contains("\n# System: "));
  EXPECT_TRUE(text.contains(" COM1 (/tmp/esc) opened\n"));
  EXPECT_TRUE(text.endsWith(" Connected MORVANE QR-18A V1.003 V1.234\n")) << text.toStdString();
  EXPECT_EQ(b.errors, QStringList());
}

TEST(SupportLogCommand, ASaveThatFailsSaysWhereAndWhy) {
  MenuBench b;
  b.answer = b.dir.filePath("no-such-folder/saved.log");
  b.save->trigger();
  ASSERT_EQ(b.errors.size(), 1);
  EXPECT_TRUE(b.errors[0].startsWith("The support log could not be saved to " + b.answer))
      << b.errors[0].toStdString();
}

struct ArgumentCase {
  const char* name;
  std::vector<const char*> args;
  std::optional<int> status;
  const char* logFile;
};

class LogOptionTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(LogOptionTest, TakesAFileNameOrRefusesBeforeQtStarts) {
  std::vector<const char*> argv = {"morvane-esc-config"};
  argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
  const CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
  EXPECT_EQ(line.exitStatus, GetParam().status) << line.message;
  if (!line.exitStatus) {
    EXPECT_EQ(line.logFile, GetParam().logFile);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, LogOptionTest,
    ::testing::Values(
        ArgumentCase{"Separate", {"--log", "s.log", "-platform", "offscreen"}, {}, "s.log"},
        ArgumentCase{"Joined", {"--log=s.log"}, {}, "s.log"},
        ArgumentCase{"Missing", {"--log"}, 2, ""}, ArgumentCase{"Empty", {"--log="}, 2, ""},
        ArgumentCase{"OptionInstead", {"--log", "-platform", "offscreen"}, 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct ThemeCase {
  const char* name;
  std::vector<const char*> args;
  std::optional<int> status;
  const char* theme;
};

class ThemeOptionTest : public ::testing::TestWithParam<ThemeCase> {};

// A misspelt theme is refused before Qt starts, as every other mistake is.
TEST_P(ThemeOptionTest, TakesOneOfTheFiveNamesOrRefuses) {
  std::vector<const char*> argv = {"morvane-esc-config"};
  argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
  const CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
  EXPECT_EQ(line.exitStatus, GetParam().status) << line.message;
  if (!line.exitStatus) {
    EXPECT_EQ(line.theme, GetParam().theme);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ThemeOptionTest,
    ::testing::Values(ThemeCase{"None", {"-platform", "offscreen"}, {}, ""},
                      ThemeCase{"Separate", {"--theme", "high-contrast"}, {}, "high-contrast"},
                      ThemeCase{"Joined", {"--theme=bright", "--log", "s.log"}, {}, "bright"},
                      ThemeCase{"Unknown", {"--theme", "Dark"}, 2, ""},
                      ThemeCase{"Missing", {"--theme"}, 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogOption, TheHelpListsIt) {
  const char* argv[] = {"morvane-esc-config", "--help"};
  const CommandLine line = ParseCommandLine(2, argv);
  EXPECT_EQ(line.exitStatus, 0);
  EXPECT_NE(line.message.find("--log FILE"), std::string::npos);
}

}  // namespace
}  // namespace morvane::test
