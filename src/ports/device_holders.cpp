// SPDX-License-Identifier: GPL-3.0-or-later
// Who holds a device: the processes that have it open, and its locks' holders.
#include "ports/device_check.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ports/device_files.h"

#if defined(__linux__)
#include <sys/sysmacros.h>
#endif

namespace morvane {
namespace {

int ProcessNumber(const std::string& name) {
  const bool digits = name.find_first_not_of("0123456789") == std::string::npos;
  if (name.empty() || name.size() > 9 || !digits) return 0;
  return std::stoi(name);
}

// The process's name as the system keeps it (what prctl or the program's file name set).
std::string CommandName(const std::string& proc, int pid) {
  return FirstLine(std::filesystem::path(proc) / std::to_string(pid) / "comm");
}

bool PidLives(const std::string& proc, int pid) {
  std::error_code error;
  return pid > 0 &&
         std::filesystem::exists(std::filesystem::path(proc) / std::to_string(pid), error);
}

bool FdsHidden(const std::string& proc, int pid) {
  const std::string fd = proc + "/" + std::to_string(pid) + "/fd";
  return ::access(fd.c_str(), R_OK | X_OK) != 0 && errno == EACCES;
}

#if defined(__linux__)
// Whether a lock is held through this open file, as its fdinfo lists it ("lock:\t1: FLOCK ...").
// It finds the holder also where another process took the lock on the same open file (a
// shell's flock on a descriptor its program inherits), which /proc/locks names instead.
bool HoldsLockThrough(const std::filesystem::path& fd) {
  std::ifstream info(fd.parent_path().parent_path() / "fdinfo" / fd.filename());
  for (std::string line; std::getline(info, line);) {
    if (line.rfind("lock:", 0) == 0) return true;
  }
  return false;
}

// The number of a pseudo-terminal (3 for /dev/pts/3); -1 for any other device.
int PseudoTerminalIndex(const struct stat& st) {
  if (!S_ISCHR(st.st_mode)) return -1;
  return PseudoTerminalNumber(major(st.st_rdev), minor(st.st_rdev));
}

// The pseudo-terminal whose other end (its master, opened through /dev/ptmx) this open file
// is, as its fdinfo tells ("tty-index:\t3"); -1 when it is none.
int OtherEndIndex(const std::filesystem::path& fd, const struct stat& st) {
  if (!S_ISCHR(st.st_mode) || major(st.st_rdev) != 5 || minor(st.st_rdev) != 2) return -1;
  std::ifstream info(fd.parent_path().parent_path() / "fdinfo" / fd.filename());
  for (std::string line; std::getline(info, line);) {
    if (line.rfind("tty-index:", 0) == 0) return std::atoi(line.c_str() + 10);
  }
  return -1;
}

// The living processes whose numbers the device's lock files hold. minicom names its file
// after the device, Qt after the path below /dev.
std::set<int> LockFilePids(const std::string& device, const SystemRoots& roots) {
  std::string below = device.rfind("/dev/", 0) == 0 ? device.substr(5) : device;
  std::replace(below.begin(), below.end(), '/', '_');
  const std::string base = device.substr(device.rfind('/') + 1);
  std::set<int> pids;
  for (const std::string& folder : roots.lockFolders) {
    for (const std::string& name : {base, below}) {
      std::istringstream first(FirstLine(folder + "/LCK.." + name));
      int pid = 0;
      if (first >> pid && PidLives(roots.proc, pid)) pids.insert(pid);
    }
  }
  return pids;
}

// The processes holding the device's lock: by the kernel's list of locks (flock, fcntl), and
// by lock files named after the device that hold a living process's number.
std::set<int> LockHolders(const std::string& device, const struct stat& wanted,
                          const SystemRoots& roots) {
  std::set<int> pids;
  std::ifstream locks(roots.proc + "/locks");
  char file[64];
  std::snprintf(file, sizeof file, "%02x:%02x:%llu", major(wanted.st_dev), minor(wanted.st_dev),
                static_cast<unsigned long long>(wanted.st_ino));
  for (std::string line; std::getline(locks, line);) {
    std::istringstream words(line);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    // "1: FLOCK ADVISORY WRITE 2222 00:05:1234 0 EOF"; a waiter's line has "->" and holds none.
    if (w.size() < 6 || w[1] == "->") continue;
    if (w[5] == file) {
      const int pid = ProcessNumber(w[4]);
      if (pid > 0) pids.insert(pid);
    }
  }
  // A stale file's number may be another process's by now: only one that may hold the device
  // unseen counts.
  for (const int pid : LockFilePids(device, roots)) {
    if (FdsHidden(roots.proc, pid)) pids.insert(pid);
  }
  return pids;
}
#endif

}  // namespace

HolderSearch FindHolders(const std::string& device, const SystemRoots& roots) {
  HolderSearch search;
#if defined(__linux__)
  namespace fs = std::filesystem;
  // By the file itself, not its name: a process in another root or container may hold a
  // device of the same name that is not this one (another /dev/pts, say).
  struct stat wanted {};
  if (::stat(device.c_str(), &wanted) != 0) return search;
  const std::set<int> locking = LockHolders(device, wanted, roots);
  // A pseudo-terminal's holders are looked at whole: whether each also holds its other end.
  const int pty = PseudoTerminalIndex(wanted);
  std::set<int> seen;
  std::error_code error;
  const int self = ::getpid();
  for (const fs::directory_entry& process : fs::directory_iterator(roots.proc, error)) {
    const int pid = ProcessNumber(process.path().filename().string());
    if (pid <= 0 || pid == self) continue;
    std::error_code closed;  // another user's process, or one that ended meanwhile
    fs::directory_iterator fds(process.path() / "fd", closed);
    if (closed == std::errc::permission_denied) search.hidden = true;
    std::optional<PortHolder> holder;
    bool otherEnd = false;
    for (; !closed && fds != fs::directory_iterator(); fds.increment(closed)) {
      struct stat held {};
      if (::stat(fds->path().c_str(), &held) != 0) continue;
      if (pty >= 0 && OtherEndIndex(fds->path(), held) == pty) otherEnd = true;
      if (holder || held.st_dev != wanted.st_dev || held.st_ino != wanted.st_ino) continue;
      holder = PortHolder{CommandName(roots.proc, pid), pid,
                          locking.contains(pid) || HoldsLockThrough(fds->path())};
      if (pty < 0) break;
    }
    if (!holder) continue;
    holder->farEnd = otherEnd;
    search.holders.push_back(std::move(*holder));
    seen.insert(pid);
  }
  // A lock's holder whose open files are hidden is named all the same.
  for (const int pid : locking) {
    if (seen.contains(pid) || pid == self) continue;
    const std::string name = CommandName(roots.proc, pid);
    if (!name.empty()) search.holders.push_back({name, pid, true});
  }
#else
  (void)device;
  (void)roots;
#endif
  return search;
}

void NameHolders(OpenFailure& failure, const std::string& device, const SystemRoots& roots) {
  HolderSearch search = FindHolders(device, roots);
  if (search.holders.empty() && search.hidden) {
    // Both run as root, out of a user's sight, and both take adapters that are plugged in.
    for (const char* name : {"ModemManager", "brltty"}) {
      if (const auto program = ProgramRunning(name, roots.proc)) {
        search.holders.push_back({program->name, program->pid, false, true});
      }
    }
  }
  DescribeHolders(failure, std::move(search.holders));
}

std::optional<RunningProgram> ProgramRunning(const std::string& name,
                                                  const std::string& proc) {
  namespace fs = std::filesystem;
  std::optional<RunningProgram> found;
  std::error_code error;
  for (const fs::directory_entry& process : fs::directory_iterator(proc, error)) {
    const int pid = ProcessNumber(process.path().filename().string());
    if (pid <= 0 || (found && found->pid < pid)) continue;
    if (CommandName(proc, pid) == name) found = RunningProgram{name, pid};
  }
  return found;
}

bool LockFileHeldElsewhere(const std::string& device, const SystemRoots& roots) {
#if defined(__linux__)
  std::set<int> pids = LockFilePids(device, roots);
  pids.erase(::getpid());
  return !pids.empty();
#else
  (void)device;
  (void)roots;
  return false;
#endif
}

}  // namespace morvane
