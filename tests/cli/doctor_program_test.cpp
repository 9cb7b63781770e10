// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc doctor as a user runs it: against the simulator, against a port another program
// holds, as a user who may not open the device (and one an ACL lets in, as udev's uaccess
// does), and with no adapter at all.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "sim_session.h"
#include "temp_dir.h"

namespace morvane::e2e {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  std::optional<int> status;
  std::string out;
  std::string err;
};

// Never the system's own ports: the test names them.
Outcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                   const EnvChanges& env = {{"MORVANE_ESC_PORTS", std::nullopt}}) {
  ChildProcess cli(program, args, env);
  const std::optional<int> status = cli.wait(30000);
  return {status, cli.standardOutput(), cli.errorOutput()};
}

bool HasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

std::string Device(const SimSession& sim) {
  return fs::canonical(sim.link()).string();
}

TEST(DoctorProgram, AgainstTheSimulatorFindsTheTerminalAndTheEscAndExits0) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  const Outcome run = RunProgram(MORVANE_ESC, {"doctor", "--port", sim.link()});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  const std::string& link = sim.link();
  EXPECT_TRUE(HasLine(run.out, "ok      " + link + ": " + Device(sim) + ", a pseudo-terminal."))
      << run.out;
  EXPECT_TRUE(HasLine(run.out, "ok      " + link + ": also open in morvane-esc-sim, process " +
                                   std::to_string(sim.process().pid()) +
                                   ", with no lock: the far end of a pseudo-terminal may keep "
                                   "it so."))
      << run.out;
  EXPECT_TRUE(HasLine(run.out, "ok      " + link +
                                   ": an ESC answers: MORVANE QR-18A V1.003, "
                                   "firmware V1.234."))
      << run.out;
  // Read and nothing more: no throttle but 0, no write.
  for (const std::string& frame : sim.frames()) {
    EXPECT_TRUE(frame.rfind("41 53 03", 0) != 0) << frame;
    EXPECT_TRUE(frame.rfind("41 53 04", 0) != 0 || frame == "41 53 04 00") << frame;
  }

  const Outcome json = RunProgram(MORVANE_ESC, {"doctor", "--json", "--port", sim.link()});
  ASSERT_EQ(json.status, 0) << json.err;
  const QJsonObject all = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
  EXPECT_EQ(all.value("status").toInt(-1), 0);
  const QJsonObject last = all.value("findings").toArray().last().toObject();
  EXPECT_EQ(last.value("level").toString(), "ok");
  EXPECT_EQ(last.value("subject").toString().toStdString(), link);
  EXPECT_EQ(last.value("text").toString().toStdString(),
            "an ESC answers: MORVANE QR-18A V1.003, firmware V1.234.");
}

TEST(DoctorProgram, APortAnotherProgramLocksNamesItFirstAndExits5) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  ChildProcess holder(MORVANE_TTY_HOLDER, {"minicom", "flock", sim.link()});
  ASSERT_EQ(holder.firstLine(5000), "held");
  const Outcome run = RunProgram(MORVANE_ESC, {"doctor", "--port", sim.link()});
  EXPECT_EQ(run.status, 5) << run.out << run.err;
  const std::string held = "in use by other programs (minicom, process " +
                           std::to_string(holder.pid()) + "; morvane-esc-sim, process " +
                           std::to_string(sim.process().pid()) + ")";
  EXPECT_TRUE(HasLine(run.out, "problem " + sim.link() + ": " + held +
                                   ". Remedy: Close them, then run the command again."))
      << run.out;
  EXPECT_TRUE(HasLine(run.out, "problem ESC: cannot open " + sim.link() + ": " + held +
                                   ". Close them, then run the command again."))
      << run.out;
  EXPECT_EQ(sim.frames(), std::vector<std::string>{});
}

TEST(DoctorProgram, WithNoAdapterSaysSoAndExits5) {
  const std::string missing = (fs::temp_directory_path() / "morvane-no-such-folder/esc").string();
  const Outcome run = RunProgram(MORVANE_ESC, {"doctor"}, {{"MORVANE_ESC_PORTS", missing}});
  EXPECT_EQ(run.status, 5) << run.out << run.err;
  EXPECT_TRUE(HasLine(run.out, "problem " + missing +
                                   ": does not exist now. Remedy: Plug the adapter in, or check "
                                   "the path."))
      << run.out;
  EXPECT_NE(run.out.find("problem ESC: cannot open " + missing + ": gone ("), std::string::npos)
      << run.out;
}

// Root may follow any path: a loop of links is told as what it is, not as permission denied.
TEST(DoctorProgram, ALoopOfSymbolicLinksIsToldAsOne) {
  test::TempDir dir;
  ASSERT_FALSE(dir.path().empty());
  const std::string a = dir.path() + "/a";
  const std::string b = dir.path() + "/b";
  fs::create_symlink(b, a);
  fs::create_symlink(a, b);
  const Outcome run = RunProgram(MORVANE_ESC, {"doctor", "--port", a});
  EXPECT_EQ(run.status, 5) << run.out << run.err;
  EXPECT_TRUE(HasLine(run.out, "problem " + a +
                                   ": cannot be followed: Too many levels of symbolic links. "
                                   "Remedy: Check the path and each symbolic link on it: it "
                                   "must lead to the device."))
      << run.out;
  EXPECT_EQ(run.out.find("permission denied"), std::string::npos) << run.out;
}

// The simulator holds both ends of its pseudo-terminal; a program that opened this end, as
// `sleep 1000 < PTY` does, is on this side of the line, where it may take the ESC's replies.
TEST(DoctorProgram, AProgramOnThisSideOfAPseudoTerminalIsNotTakenForItsFarEnd) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  ChildProcess sleeper("/bin/sh", {"-c", "exec sleep 1000 < \"$0\"", sim.link()});
  const std::string input = "/proc/" + std::to_string(sleeper.pid()) + "/fd/0";
  ASSERT_TRUE(WaitFor(
      [&] {
        std::error_code error;
        return fs::read_symlink(input, error).string() == Device(sim);
      },
      5000));
  const Outcome run = RunProgram(MORVANE_ESC, {"doctor", "--port", sim.link()});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(HasLine(run.out, "note    " + sim.link() + ": also open in sleep, process " +
                                   std::to_string(sleeper.pid()) +
                                   ", which holds no lock on it. Remedy: If it is not meant to "
                                   "talk to the ESC, close it: what it reads and writes mixes "
                                   "with this program's."))
      << run.out;
  EXPECT_EQ(run.out.find("far end"), std::string::npos) << run.out;
}

// A folder every user may enter, with a copy of the program and a node of the simulator's
// terminal in it: the checkout may lie where only its owner can look.
class UserCorner {
 public:
  UserCorner() {
    if (temp_.path().empty()) return;
    dir_ = temp_.path();
    ::chmod(dir_.c_str(), 0755);
    program_ = dir_ + "/morvane-esc";
    std::error_code error;
    fs::copy_file(MORVANE_ESC, program_, error);
    ::chmod(program_.c_str(), 0755);
  }
  UserCorner(const UserCorner&) = delete;
  UserCorner& operator=(const UserCorner&) = delete;
  const std::string& dir() const { return dir_; }
  const std::string& program() const { return program_; }

 private:
  test::TempDir temp_{"morvane-doctor"};
  std::string dir_;
  std::string program_;
};

// The access ACL udev's uaccess would set: the owner, the user, the group, the mask, others.
// The layout is the kernel's, little-endian: version 2, then tag, permissions and id.
bool GiveUserByAcl(const std::string& path, std::uint32_t uid) {
  std::vector<unsigned char> acl;
  const auto put = [&acl](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) acl.push_back(static_cast<unsigned char>(value >> (8 * i)));
  };
  put(2, 4);
  for (const auto& [tag, perm, id] :
       std::vector<std::array<std::uint32_t, 3>>{{0x01, 6, 0xffffffff},
                                                 {0x02, 6, uid},
                                                 {0x04, 6, 0xffffffff},
                                                 {0x10, 6, 0xffffffff},
                                                 {0x20, 0, 0xffffffff}}) {
    put(tag, 2);
    put(perm, 2);
    put(id, 4);
  }
  return ::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
}

const std::string kRunuser =
    fs::exists("/usr/sbin/runuser") ? "/usr/sbin/runuser" : "/sbin/runuser";

struct UserCase {
  const char* name;
  bool acl;
  // Not asked where the node stands in for the terminal: a pseudo-terminal opens only from
  // its own devpts (EIO elsewhere), and devpts keeps no ACLs.
  std::optional<int> status;
  std::string level;   // as the line begins
  std::string access;  // the finding after the device's name
};

void PrintTo(const UserCase& c, std::ostream* os) {
  *os << c.name;
}

class DoctorAsUser : public ::testing::TestWithParam<UserCase> {};

TEST_P(DoctorAsUser, SaysWhetherAndWhyTheUserMayOpenTheDevice) {
  if (::geteuid() != 0) GTEST_SKIP() << "not root: no other user can be played, no node made";
  ChildProcess probe(kRunuser, {"-u", "nobody", "--", "true"});
  if (probe.wait(10000) != 0) GTEST_SKIP() << "runuser -u nobody does not work here";
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  UserCorner corner;
  ASSERT_FALSE(corner.dir().empty());
  // The simulator's terminal, root's and dialout's as adapters are; for an ACL, which devpts
  // does not keep, a node of the same device in the test's folder.
  std::string node = Device(sim);
  if (GetParam().acl) {
    struct stat st {};
    ASSERT_EQ(::stat(node.c_str(), &st), 0);
    node = corner.dir() + "/ttyESC";
    ASSERT_EQ(::mknod(node.c_str(), S_IFCHR | 0660, st.st_rdev), 0);
    if (!GiveUserByAcl(node, 65534)) GTEST_SKIP() << "no ACLs in " << corner.dir();
  }
  ASSERT_EQ(::chown(node.c_str(), 0, 20), 0);  // dialout's number on Debian
  ASSERT_EQ(::chmod(node.c_str(), 0660), 0);

  const Outcome run = RunProgram(kRunuser, {"-u", "nobody", "--", corner.program(), "doctor",
                                            "--port", node, "--timeout", "3"});
  if (GetParam().status) {
    EXPECT_EQ(run.status, GetParam().status) << run.out << run.err;
  }
  EXPECT_NE(run.out.find("\n" + GetParam().level + node + GetParam().access), std::string::npos)
      << run.out;
  if (!GetParam().acl) {
    EXPECT_NE(run.out.find("sudo usermod -aG dialout $USER"), std::string::npos) << run.out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoctorAsUser,
    ::testing::Values(UserCase{"NotInTheGroup", false, 5, "problem ",
                               ": you may not open it: it is for group dialout. Remedy: "},
                      UserCase{"GivenByAnAclAsTheSeatsUser", true, std::nullopt, "ok      ",
                               ": you may open it: an ACL gives it to you as the user at this "
                               "machine's seat (uaccess).\n"}),
    [](const ::testing::TestParamInfo<UserCase>& info) { return info.param.name; });

}  // namespace
}  // namespace morvane::e2e
