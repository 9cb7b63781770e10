// SPDX-License-Identifier: GPL-3.0-or-later
// The one writer of the programs' files: only a regular file is written or read, a link is
// written through, the old file keeps its mode and owner and stays whole when anything
// fails, and a recording or a record notices its file going away.
#include <dirent.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include "full_folder.h"
#include "shell/record_file.h"
#include "shell/safe_file.h"

namespace morvane::test {
namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct Scratch {
  QTemporaryDir temp;
  std::string dir = temp.path().toStdString();
  std::string path(const std::string& name) const { return dir + "/" + name; }
};

// Something at the name that is no regular file; false when this system will not make it.
struct NonFile {
  const char* name;
  const char* kind;
  std::function<bool(const std::string& path)> make;
};

std::string BaseOf(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

bool MakeSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return bound;
}

const NonFile kNonFiles[] = {
    {"CharacterDevice", "a character device",
     [](const std::string& p) { return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0; }},
    {"NamedPipe", "a named pipe",
     [](const std::string& p) { return ::mkfifo(p.c_str(), 0666) == 0; }},
    {"Socket", "a socket", MakeSocket},
    {"Folder", "a folder", [](const std::string& p) { return ::mkdir(p.c_str(), 0755) == 0; }},
    {"LinkToNamedPipe", "a named pipe",
     [](const std::string& p) {
       return ::mkfifo((p + ".pipe").c_str(), 0666) == 0 &&
              ::symlink((BaseOf(p) + ".pipe").c_str(), p.c_str()) == 0;
     }},
};

void PrintTo(const NonFile& n, std::ostream* os) {
  *os << n.name;
}

struct NonFiles : ::testing::TestWithParam<NonFile> {};

// Nothing here may wait: a named pipe with no writer would hold an open() that waits forever.
TEST_P(NonFiles, AreRefusedForWritingAndReadingAndLeftAsTheyWere) {
  Scratch s;
  const std::string path = s.path("target");
  if (!GetParam().make(path)) GTEST_SKIP() << "cannot make it here: " << std::strerror(errno);
  struct stat before {};
  ASSERT_EQ(::lstat(path.c_str(), &before), 0);
  const std::vector<std::string> names = Names(s.dir);
  const std::string kind = GetParam().kind;

  EXPECT_EQ(WriteWholeFile(path, "{}\n"), "not a file but " + kind + "; left as it is");
  GrowingFile growing;
  EXPECT_EQ(growing.open(path), "not a file but " + kind + "; left as it is");
  std::string error;
  EXPECT_FALSE(ReadRegularFile(path, 100, &error));
  EXPECT_EQ(error, "not a file but " + kind);

  struct stat after {};
  ASSERT_EQ(::lstat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_rdev, before.st_rdev);
  EXPECT_EQ(Names(s.dir), names) << "a file was left behind";
}

INSTANTIATE_TEST_SUITE_P(SafeFile, NonFiles, ::testing::ValuesIn(kNonFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SafeFile, ALinkIsWrittenThroughToTheFileItLeadsToAndStaysALink) {
  Scratch s;
  ASSERT_EQ(::mkdir(s.path("sub").c_str(), 0755), 0);
  ASSERT_TRUE(FullFolder::Write(s.path("quad.json"), "old"));
  ASSERT_EQ(::symlink("../quad.json", s.path("sub/link").c_str()), 0);
  ASSERT_EQ(::symlink("sub/link", s.path("chain").c_str()), 0);
  ASSERT_EQ(::symlink("new.json", s.path("dangling").c_str()), 0);

  EXPECT_EQ(WriteWholeFile(s.path("chain"), "through two links"), "");
  EXPECT_EQ(WriteWholeFile(s.path("dangling"), "made where it points"), "");

  EXPECT_EQ(Read(s.path("quad.json")), "through two links");
  EXPECT_EQ(Read(s.path("new.json")), "made where it points");
  for (const char* link : {"sub/link", "chain", "dangling"}) {
    struct stat st {};
    ASSERT_EQ(::lstat(s.path(link).c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << link;
  }
  EXPECT_EQ(Names(s.dir),
            (std::vector<std::string>{"chain", "dangling", "new.json", "quad.json", "sub"}));
}

TEST(SafeFile, TheOldFilesModeAndOwnerAreKeptAndANewFileFollowsTheUmask) {
  if (::geteuid() != 0) GTEST_SKIP() << "owners can be given only as root";
  Scratch s;
  const std::string path = s.path("table.csv");
  ASSERT_TRUE(FullFolder::Write(path, "old"));
  ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

  EXPECT_EQ(WriteWholeFile(path, "new"), "");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  EXPECT_EQ(st.st_uid, 1234u);
  EXPECT_EQ(st.st_gid, 5678u);
  EXPECT_EQ(Read(path), "new");

  const mode_t old = ::umask(027);
  const std::string error = WriteWholeFile(s.path("fresh.csv"), "new");
  ::umask(old);
  EXPECT_EQ(error, "");
  ASSERT_EQ(::stat(s.path("fresh.csv").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(SafeFile, OnAFullDiskTheOldFileStaysWholeAndTheWriteFails) {
  const std::string old = "t_s,throttle\n0.030,100\n";
  FullFolder full({{"old.csv", old}});
  if (!full.ready()) GTEST_SKIP() << "needs root to mount a small tmpfs";
  const std::vector<std::string> names = Names(full.dir());

  EXPECT_EQ(WriteWholeFile(full.path("old.csv"), std::string(20000, 'x')), std::strerror(ENOSPC));
  EXPECT_EQ(WriteWholeFile(full.path("new.csv"), "x"), std::strerror(ENOSPC));
  GrowingFile recording;
  ASSERT_EQ(recording.open(full.path("old.csv")), "");
  EXPECT_EQ(recording.append("t_s,throttle,rpm_raw,rpm_avg,poles\n"), std::strerror(ENOSPC));
  EXPECT_EQ(recording.close(), "");

  EXPECT_EQ(Read(full.path("old.csv")), old);
  EXPECT_EQ(Names(full.dir()), names) << "a temporary file was left behind";
}

// A preset saved beside another never takes its place: refused where a file is, whole where
// none was, and nothing of it left behind when refused.
TEST(SafeFile, KeepingWhatIsThereRefusesTheNameAndLeavesNothingBehind) {
  Scratch s;
  FullFolder::Write(s.path("quad.json"), "old");
  EXPECT_EQ(WriteWholeFile(s.path("quad.json"), "new", {}, Existing::Keep), std::strerror(EEXIST));
  EXPECT_EQ(Read(s.path("quad.json")), "old");
  EXPECT_EQ(WriteWholeFile(s.path("quad-2.json"), "new", {}, Existing::Keep), "");
  EXPECT_EQ(Read(s.path("quad-2.json")), "new");
  EXPECT_EQ(Names(s.dir), (std::vector<std::string>{"quad-2.json", "quad.json"}));
}

// The record of a batch: a row is never written into a file that was deleted, and a new
// record whose header does not fit on the disk is not left behind empty.
TEST(RecordFile, ADeletedRecordTakesNoMoreRowsAndAFailedNewOneIsNotLeftBehind) {
  Scratch s;
  const std::string path = s.path("batch.csv");
  AppendingFile record;
  ASSERT_EQ(record.open(path, "time,esc\n"), "");
  ASSERT_EQ(record.append("t1,1\n"), "");
  EXPECT_EQ(Read(path), "time,esc\nt1,1\n");
  ASSERT_EQ(::unlink(path.c_str()), 0);
  EXPECT_EQ(record.append("t2,2\n"), "the file was deleted");
  EXPECT_EQ(Names(s.dir), std::vector<std::string>());

  FullFolder full;
  if (!full.ready()) GTEST_SKIP() << "needs root to mount a small tmpfs";
  const std::vector<std::string> names = Names(full.dir());
  AppendingFile onFullDisk;
  EXPECT_EQ(onFullDisk.open(full.path("batch.csv"), "time,esc\n"), std::strerror(ENOSPC));
  EXPECT_EQ(Names(full.dir()), names);
}

struct Gone {
  const char* name;
  std::function<void(const std::string& path)> act;
  const char* error;
};

const Gone kGone[] = {
    {"Deleted", [](const std::string& p) { ::unlink(p.c_str()); }, "the file was deleted"},
    {"Replaced",
     [](const std::string& p) {
       FullFolder::Write(p + ".other", "");
       ::rename((p + ".other").c_str(), p.c_str());
     },
     "another file took its name"},
    {"Moved", [](const std::string& p) { ::rename(p.c_str(), (p + ".moved").c_str()); },
     "the file was moved"},
};

void PrintTo(const Gone& g, std::ostream* os) {
  *os << g.name;
}

struct GrowingFileGone : ::testing::TestWithParam<Gone> {};

TEST_P(GrowingFileGone, IsToldAtTheNextLineAndWrittenNoMore) {
  Scratch s;
  const std::string path = s.path("run.csv");
  GrowingFile file;
  ASSERT_EQ(file.open(path), "");
  ASSERT_EQ(file.append("header\n"), "");
  ASSERT_EQ(file.append("row 1\n"), "");
  EXPECT_EQ(Read(path), "header\nrow 1\n");
  GetParam().act(path);
  EXPECT_EQ(file.append("row 2\n"), GetParam().error);
  EXPECT_FALSE(file.isOpen());
}

INSTANTIATE_TEST_SUITE_P(SafeFile, GrowingFileGone, ::testing::ValuesIn(kGone),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvane::test
