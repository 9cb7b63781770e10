// SPDX-License-Identifier: GPL-3.0-or-later
// The paths a user lists, against real links, files, FIFOs and pseudo-terminals: the device a
// path names is what opens, what is no serial port is said to be what it is, and a device
// another program holds is refused as in use, to root as to a user.
#include "ports/device_check.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ports/link_status.h"
#include "ports/port_holders.h"
#include "pty.h"
#include "shell/serial_comm.h"
#include "shell/system_ports.h"
#include "temp_dir.h"

extern char** environ;

namespace morvane {
namespace {

using test::Pty;

using Kind = OpenFailure::Kind;

TEST(DeviceTrouble, WhatTheSystemSaysBecomesAKindAndPlainWords) {
  struct Case {
    DeviceFacts facts;
    Kind kind;
    std::string text;
  };
  const std::vector<Case> cases = {
      {{}, Kind::None, ""},
      {{.resolveError = ENOENT}, Kind::Gone, "gone (" + std::string(std::strerror(ENOENT)) + ")"},
      {{.resolveError = EACCES, .group = "dialout"}, Kind::PermissionDenied, "permission denied"},
      {{.type = FileType::Regular, .openError = EACCES},
       Kind::NotSerial,
       "a regular file, not a serial port"},
      {{.type = FileType::Directory}, Kind::NotSerial, "a folder, not a serial port"},
      {{.type = FileType::Fifo}, Kind::NotSerial, "a named pipe (FIFO), not a serial port"},
      {{.openError = EACCES, .group = "dialout"}, Kind::PermissionDenied, "permission denied"},
      {{.openError = EBUSY}, Kind::InUse, "in use by another program"},
      {{.openError = ENXIO}, Kind::Gone, "gone (" + std::string(std::strerror(ENXIO)) + ")"},
      {{.openError = EIO}, Kind::Other, "could not be opened: " + std::string(std::strerror(EIO))},
      {{.terminal = false}, Kind::NotSerial, "a device of another kind, not a serial port"},
      {{.heldElsewhere = true}, Kind::InUse, "in use by another program"},
  };
  for (const Case& c : cases) {
    const OpenFailure trouble = ClassifyDevice(c.facts);
    EXPECT_EQ(trouble.kind, c.kind) << c.text;
    EXPECT_EQ(TroubleText(trouble), c.text);
  }
  // Only a denied open names a group to join: a folder on the way that may not be searched
  // is no matter of the device's group.
  EXPECT_EQ(ClassifyDevice({.openError = EACCES, .group = "dialout"}).detail, "dialout");
  EXPECT_EQ(ClassifyDevice({.resolveError = EACCES, .group = "dialout"}).detail, "");
}

// Its name's length counts: a test builds a path of an exact length in it.
struct TempDir : test::TempDir {
  TempDir() : test::TempDir("morvane-paths") {}
};

DeviceDescription Describe(const std::string& path) {
  return DescribeDevice(path, {});
}

struct ListedPathCase {
  const char* name;
  // The path to list, given the folder the program runs in and the link's target there.
  std::string (*make)(const std::string& dir, const std::string& target);
};

void PrintTo(const ListedPathCase& c, std::ostream* os) {
  *os << c.name;
}

class ListedPath : public ::testing::TestWithParam<ListedPathCase> {};

// Tried on the program as it was: the relative name opened /dev/escA, the long one failed on
// its lock file's name and the one with a stray byte reached open() with U+FFFD in its place.
TEST_P(ListedPath, OpensTheDeviceItNamesAndItsTipShowsBoth) {
  Pty pty;
  TempDir dir;
  ASSERT_FALSE(pty.path().empty());
  ASSERT_FALSE(dir.path().empty());
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const std::string listed = GetParam().make(dir.path(), pty.path());

  const PortTable table = BuildPortTable(listed, {}, Platform::Linux, Describe);
  SerialComm comm(table);
  comm.setCommPort(1);
  const bool opened = comm.setPortOpen(true);
  const std::string qtName = comm.device().portName().toStdString();
  comm.setPortOpen(false);
  std::filesystem::current_path(before);

  EXPECT_TRUE(opened) << comm.device().errorString().toStdString();
  EXPECT_EQ("/dev/" + qtName, pty.path());
  EXPECT_EQ(EntryTip(table, 1), listed + "\nlink to " + pty.path() + ", pseudo-terminal");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ListedPath,
    ::testing::Values(ListedPathCase{"RelativeToTheStartFolder",
                                     [](const std::string& dir, const std::string& target) {
                                       std::filesystem::create_symlink(target, dir + "/escA");
                                       return std::string("escA");
                                     }},
                      ListedPathCase{"LongerThanALockFileName",
                                     [](const std::string& dir, const std::string& target) {
                                       const std::string sub =
                                           dir + "/" + std::string(284 - dir.size() - 5, 'd');
                                       std::filesystem::create_directory(sub);
                                       std::filesystem::create_symlink(target, sub + "/esc");
                                       EXPECT_EQ((sub + "/esc").size(), 284u);
                                       return sub + "/esc";
                                     }},
                      ListedPathCase{"NamedWithAByteThatIsNotUtf8",
                                     [](const std::string& dir, const std::string& target) {
                                       const std::string link = dir + "/bad\xff" + "byte";
                                       EXPECT_EQ(::symlink(target.c_str(), link.c_str()), 0);
                                       return link;
                                     }},
                      ListedPathCase{"ALinkToALink",
                                     [](const std::string& dir, const std::string& target) {
                                       std::filesystem::create_symlink(target, dir + "/first");
                                       std::filesystem::create_symlink(dir + "/first",
                                                                       dir + "/second");
                                       return dir + "/second";
                                     }}),
    [](const ::testing::TestParamInfo<ListedPathCase>& info) { return info.param.name; });

struct NotSerialCase {
  const char* name;
  std::string (*make)(const std::string& dir);
  Kind kind;
  std::string text;         // the open's words, as the port's error text too
  std::string description;  // the table's words
};

void PrintTo(const NotSerialCase& c, std::ostream* os) {
  *os << c.name;
}

class NotASerialPort : public ::testing::TestWithParam<NotSerialCase> {};

TEST_P(NotASerialPort, IsRefusedAndDescribedAsWhatItIs) {
  TempDir dir;
  ASSERT_FALSE(dir.path().empty());
  const std::string path = GetParam().make(dir.path());
  const PortTable table = BuildPortTable(path, {}, Platform::Linux, Describe);
  SerialComm comm(table);
  comm.setCommPort(1);

  EXPECT_FALSE(comm.setPortOpen(true));
  EXPECT_EQ(comm.openFailure().kind, GetParam().kind);
  EXPECT_EQ(comm.device().errorString().toStdString(), GetParam().text);
  EXPECT_EQ(table.device(1)->description, GetParam().description);
  const std::string tip = EmptyListTip(table, Platform::Linux);
  EXPECT_EQ(tip.find("dialout"), std::string::npos) << tip;
  EXPECT_EQ(tip.find("in use"), std::string::npos) << tip;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NotASerialPort,
    ::testing::Values(
        NotSerialCase{"RegularFile",
                      [](const std::string& dir) {
                        std::ofstream(dir + "/esc") << "not a port\n";
                        return dir + "/esc";
                      },
                      Kind::NotSerial, "a regular file, not a serial port",
                      "a regular file, not a serial port"},
        NotSerialCase{"Folder", [](const std::string& dir) { return dir; }, Kind::NotSerial,
                      "a folder, not a serial port", "a folder, not a serial port"},
        NotSerialCase{"Fifo",
                      [](const std::string& dir) {
                        EXPECT_EQ(::mkfifo((dir + "/esc").c_str(), 0600), 0);
                        return dir + "/esc";
                      },
                      Kind::NotSerial, "a named pipe (FIFO), not a serial port",
                      "a named pipe (FIFO), not a serial port"},
        NotSerialCase{"LinkToDevNull",
                      [](const std::string& dir) {
                        std::filesystem::create_symlink("/dev/null", dir + "/esc");
                        return dir + "/esc";
                      },
                      Kind::NotSerial, "a device of another kind, not a serial port",
                      "link to /dev/null, a device of another kind, not a serial port"},
        NotSerialCase{"Missing", [](const std::string& dir) { return dir + "/esc"; }, Kind::Gone,
                      "gone (" + std::string(std::strerror(ENOENT)) + ")", "does not exist now"}),
    [](const ::testing::TestParamInfo<NotSerialCase>& info) { return info.param.name; });

// port_helper, started with pipes on its input and output; its input closes when the test
// ends however it ends, and the helper with it.
class Helper {
 public:
  explicit Helper(const std::vector<std::string>& args) {
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return;
    if (::pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (::posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    in_ = in[1];
    out_ = out[0];
  }
  ~Helper() { finish(); }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;

  // What it printed, until it ends or timeoutMs pass.
  std::string output(int timeoutMs = 10000) {
    std::string text;
    for (int waited = 0; waited < timeoutMs; waited += 20) {
      pollfd pfd{out_, POLLIN, 0};
      if (::poll(&pfd, 1, 20) <= 0) continue;
      char buf[256];
      const ssize_t n = ::read(out_, buf, sizeof buf);
      if (n <= 0) break;
      text.append(buf, static_cast<std::size_t>(n));
      if (text == "held\n") break;
    }
    return text;
  }
  pid_t pid() const { return pid_; }
  // Ends a holder: its input closes; returns its exit status.
  int finish() {
    if (in_ >= 0) ::close(in_);
    in_ = -1;
    if (out_ >= 0) ::close(out_);
    out_ = -1;
    int status = -1;
    if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_) pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
};

// The helper as another user can run it: the build folder may lie where only its owner can
// look (a checkout under /root), so an unprivileged run gets a copy in a folder of its own.
struct HelperCopy {
  HelperCopy() {
    namespace fs = std::filesystem;
    const std::string& dir = temp.path();
    if (dir.empty()) {
      file = MORVANE_PORT_HELPER;
      return;
    }
    file = (fs::path(dir) / "port_helper").string();
    std::error_code error;
    fs::copy_file(MORVANE_PORT_HELPER, file, error);
    ::chmod(dir.c_str(), 0755);
    ::chmod(file.c_str(), 0755);
  }
  HelperCopy(const HelperCopy&) = delete;
  HelperCopy& operator=(const HelperCopy&) = delete;
  test::TempDir temp{"morvane-helper"};
  std::string file;
};

const std::string& HelperForUser() {
  static const HelperCopy copy;
  return copy.file;
}

std::vector<std::string> HelperCommand(bool asUser, const std::string& mode,
                                       const std::string& path) {
  if (!asUser) return {MORVANE_PORT_HELPER, mode, path};
  return {"runuser", "-u", "nobody", "--", HelperForUser(), mode, path};
}

// The trouble kind of an open by the helper, and the rest of what it printed.
struct Outcome {
  Kind kind = Kind::Other;
  std::string text;
  std::string tip;
};

std::optional<Outcome> OpenByHelper(bool asUser, const std::string& path) {
  Helper helper(HelperCommand(asUser, "open", path));
  const std::string out = helper.output();
  if (helper.finish() != 0) return std::nullopt;
  const std::size_t first = out.find('\n');
  const std::size_t second = out.find('\n', first + 1);
  if (first == std::string::npos || second == std::string::npos) return std::nullopt;
  return Outcome{static_cast<Kind>(std::stoi(out.substr(0, first))),
                 out.substr(first + 1, second - first - 1), out.substr(second + 1)};
}

// Whether an unprivileged user can be played here; says why not otherwise.
std::string CannotRunAsUser() {
  if (::geteuid() != 0) return "not root: runuser cannot start an unprivileged user";
  Helper probe({"runuser", "-u", "nobody", "--", "true"});
  if (probe.finish() != 0) return "runuser -u nobody does not work here";
  return {};
}

struct HeldCase {
  const char* name;
  const char* holder;  // port_helper's mode
  bool asUser;         // holder and opener run as an unprivileged user, else both as root
};

void PrintTo(const HeldCase& c, std::ostream* os) {
  *os << c.name;
}

class HeldDevice : public ::testing::TestWithParam<HeldCase> {};

TEST_P(HeldDevice, ASecondOpenerIsToldItIsInUseUntilTheHolderLetsGo) {
  if (GetParam().asUser) {
    if (const std::string why = CannotRunAsUser(); !why.empty()) GTEST_SKIP() << why;
  }
  Pty pty;
  ASSERT_FALSE(pty.path().empty());
  ASSERT_EQ(::chmod(pty.path().c_str(), 0666), 0);

  Helper holder(HelperCommand(GetParam().asUser, GetParam().holder, pty.path()));
  ASSERT_EQ(holder.output(), "held\n");
  const std::optional<Outcome> second = OpenByHelper(GetParam().asUser, pty.path());
  ASSERT_TRUE(second);
  EXPECT_EQ(second->kind, Kind::InUse);
  // Named as /proc tells it.
  EXPECT_EQ(second->text.rfind("in use by another program (port_helper, process ", 0), 0u)
      << second->text;

  EXPECT_EQ(holder.finish(), 0);
  const std::optional<Outcome> after = OpenByHelper(GetParam().asUser, pty.path());
  ASSERT_TRUE(after);
  EXPECT_EQ(after->kind, Kind::None) << after->text;
}

INSTANTIATE_TEST_SUITE_P(
    Holders, HeldDevice,
    ::testing::Values(HeldCase{"AnotherOfOurProgramsBothAsRoot", "hold", false},
                      HeldCase{"AnAdvisoryLockBothAsRoot", "flock", false},
                      HeldCase{"AnotherOfOurProgramsBothAsAUser", "hold", true},
                      HeldCase{"AnAdvisoryLockBothAsAUser", "flock", true}),
    [](const ::testing::TestParamInfo<HeldCase>& info) { return info.param.name; });

// A holder under a name of the test's choosing (tty_holder).
std::vector<std::string> Holder(const std::string& name, const std::string& mode,
                                const std::string& path) {
  return {MORVANE_TTY_HOLDER, name, mode, path};
}

std::string Process(const std::string& name, int pid) {
  return name + ", process " + std::to_string(pid);
}

// Before, only the first program /proc listed was named: here the oldest, ModemManager, which
// holds no lock and is not why the port is refused.
TEST(HolderNaming, TheLockHolderComesFirstThenTheOthersAndModemManagerAndBrlttyGetTheirRemedies) {
  Pty pty;
  ASSERT_FALSE(pty.path().empty());
  // Each started once the one before holds the port: their process numbers rise in order.
  std::vector<std::unique_ptr<Helper>> holders;
  std::vector<int> pids;
  for (const auto& [name, mode] : std::vector<std::pair<std::string, std::string>>{
           {"ModemManager", "open"}, {"brltty", "open"}, {"cat", "open"}, {"picocom", "flock"}}) {
    holders.push_back(std::make_unique<Helper>(Holder(name, mode, pty.path())));
    ASSERT_EQ(holders.back()->output(), "held\n") << name;
    pids.push_back(holders.back()->pid());
  }
  const PortTable table = BuildPortTable(pty.path(), {}, Platform::Linux, Describe);
  SerialComm comm(table);
  comm.setCommPort(1);
  ASSERT_FALSE(comm.setPortOpen(true));

  const OpenFailure failure = comm.openFailure();
  EXPECT_EQ(failure.kind, Kind::InUse);
  EXPECT_EQ(failure.detail, Process("picocom", pids[3]) + "; " + Process("ModemManager", pids[0]) +
                                "; " + Process("brltty", pids[1]) + " and 1 more");
  EXPECT_EQ(TroubleText(failure), "in use by other programs (" + failure.detail + ")");
  const std::string reason = FailureReason(failure);
  EXPECT_NE(reason.find(ModemManagerRemedy()), std::string::npos) << reason;
  EXPECT_NE(reason.find(BrlttyRemedy()), std::string::npos) << reason;
  EXPECT_NE(reason.find("Close the other programs, then pick the port again."), std::string::npos)
      << reason;
}

// What the start-up scan asks instead of Qt's open, which would refuse these ports: a lock file
// that names a living process other than this one, as Qt or minicom write it.
TEST(LockFiles, OnlyALivingOtherProcessesFileHoldsTheDevice) {
  struct Case {
    const char* device;
    const char* file;  // in the lock folder; nullptr: none
    std::string content;
    bool held;
  };
  const std::string self = std::to_string(::getpid());
  const std::vector<Case> cases = {
      {"/dev/ttyUSB0", "LCK..ttyUSB0", "4242\nminicom\n", true},
      {"/dev/ttyUSB0", "LCK..ttyUSB0", "      4242 minicom user", true},
      {"/dev/pts/3", "LCK..pts_3", "4242\nmorvane-esc-config\nhost\n", true},
      {"/dev/ttyUSB0", "LCK..ttyUSB0", "4343\n", false},  // stale: no such process
      {"/dev/ttyUSB0", "LCK..ttyUSB0", self + "\n", false},
      {"/dev/ttyUSB0", "LCK..ttyUSB0", "not a number\n", false},
      {"/dev/ttyUSB0", "LCK..ttyUSB1", "4242\n", false},
      {"/dev/ttyUSB0", nullptr, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.device) + " " + (c.file ? c.file : "no file") + " " + c.content);
    test::TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    SystemRoots roots;
    roots.proc = dir.path() + "/proc";
    roots.lockFolders = {dir.path() + "/lock"};
    std::filesystem::create_directories(roots.proc + "/4242");
    std::filesystem::create_directories(roots.lockFolders[0]);
    if (c.file != nullptr) std::ofstream(roots.lockFolders[0] + "/" + c.file) << c.content;
    EXPECT_EQ(LockFileHeldElsewhere(c.device, roots), c.held);
  }
}

// ModemManager runs as root and sets the terminal's exclusive mode: a user cannot see it hold
// the port, but can see it run.
TEST(HolderNaming, AUserWhoCannotSeeTheHolderIsToldOfTheModemManagerThatRuns) {
  if (const std::string why = CannotRunAsUser(); !why.empty()) GTEST_SKIP() << why;
  Pty pty;
  ASSERT_FALSE(pty.path().empty());
  ASSERT_EQ(::chmod(pty.path().c_str(), 0666), 0);
  Helper holder(Holder("ModemManager", "excl", pty.path()));
  ASSERT_EQ(holder.output(), "held\n");

  const std::optional<Outcome> user = OpenByHelper(true, pty.path());
  ASSERT_TRUE(user);
  EXPECT_EQ(user->kind, Kind::InUse);
  EXPECT_EQ(user->text,
            "in use by another program (perhaps " + Process("ModemManager", holder.pid()) + ")");
}

// A device of a group the user is not in: the remedy names that group. Root opens it, and is
// told nothing about groups.
TEST(DevicePermission, OnlyADeniedUserIsToldToJoinTheDevicesGroup) {
  if (const std::string why = CannotRunAsUser(); !why.empty()) GTEST_SKIP() << why;
  const group* dialout = ::getgrnam("dialout");
  if (dialout == nullptr) GTEST_SKIP() << "no dialout group here";
  Pty pty;
  ASSERT_FALSE(pty.path().empty());
  ASSERT_EQ(::chown(pty.path().c_str(), 0, dialout->gr_gid), 0);
  ASSERT_EQ(::chmod(pty.path().c_str(), 0660), 0);

  const std::optional<Outcome> user = OpenByHelper(true, pty.path());
  ASSERT_TRUE(user);
  EXPECT_EQ(user->kind, Kind::PermissionDenied);
  EXPECT_EQ(user->text, "permission denied");
  EXPECT_NE(user->tip.find(pty.path() + " - pseudo-terminal, permission denied"), std::string::npos)
      << user->tip;
  EXPECT_NE(user->tip.find("sudo usermod -aG dialout $USER"), std::string::npos) << user->tip;

  const std::optional<Outcome> root = OpenByHelper(false, pty.path());
  ASSERT_TRUE(root);
  EXPECT_EQ(root->kind, Kind::None) << root->text;
  EXPECT_EQ(root->tip.find("dialout"), std::string::npos) << root->tip;
}

}  // namespace
}  // namespace morvane
