// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/device_check.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
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

#if defined(__linux__)
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#endif

namespace morvane {
namespace {

FileType TypeOf(mode_t mode) {
  if (S_ISREG(mode)) return FileType::Regular;
  if (S_ISDIR(mode)) return FileType::Directory;
  if (S_ISFIFO(mode)) return FileType::Fifo;
  if (S_ISSOCK(mode)) return FileType::Socket;
  if (S_ISBLK(mode)) return FileType::BlockDevice;
  return FileType::CharDevice;
}

// The group that may read and write the device, for the remedy "join it". Root's group is
// no group a user is told to join.
std::string GroupThatMayOpen(const struct stat& st) {
  if (st.st_gid == 0 || (st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP)) return {};
  std::vector<char> buffer(4096);
  group entry{};
  group* found = nullptr;
  if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr) {
    return {};
  }
  return found->gr_name;
}

// Whether the system files the character device under terminals. Unknown counts as yes:
// isatty() decides once it is open. A device of another class is never opened, since opening
// some (a watchdog) does something.
bool FiledAsTerminal([[maybe_unused]] const struct stat& st) {
#if defined(__linux__)
  const std::string link = "/sys/dev/char/" + std::to_string(major(st.st_rdev)) + ":" +
                           std::to_string(minor(st.st_rdev)) + "/subsystem";
  char target[PATH_MAX];
  const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
  if (n <= 0) return true;
  const std::string subsystem(target, static_cast<std::size_t>(n));
  return subsystem.substr(subsystem.rfind('/') + 1) == "tty";
#else
  return true;
#endif
}

// The facts up to the device's file: whether the path resolves, and what it names.
DeviceFacts Examine(const std::string& listed, std::string& device, struct stat& st) {
  DeviceFacts facts;
  const ResolvedPath resolved = ResolveDevicePath(listed);
  device = resolved.device;
  facts.resolveError = resolved.error;
  if (facts.resolveError == 0 && ::stat(device.c_str(), &st) != 0) facts.resolveError = errno;
  if (facts.resolveError != 0) return facts;
  facts.type = TypeOf(st.st_mode);
  facts.group = GroupThatMayOpen(st);
  if (facts.type == FileType::CharDevice) facts.terminal = FiledAsTerminal(st);
  return facts;
}

int ProcessNumber(const std::string& name) {
  const bool digits = name.find_first_not_of("0123456789") == std::string::npos;
  if (name.empty() || name.size() > 9 || !digits) return 0;
  return std::stoi(name);
}

std::string FirstLine(const std::filesystem::path& file) {
  std::string line;
  std::ifstream in(file);
  std::getline(in, line);
  return line;
}

// The process's name as the system keeps it (what prctl or the program's file name set).
std::string CommandName(const std::string& proc, int pid) {
  return FirstLine(std::filesystem::path(proc) / std::to_string(pid) / "comm");
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
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

std::string Numbers(dev_t device) {
  return std::to_string(major(device)) + ":" + std::to_string(minor(device));
}

bool IsPseudoTerminal(const struct stat& st) {
  // Unix98 pseudo-terminals' own numbers.
  return S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 && major(st.st_rdev) <= 143;
}

// The number of a pseudo-terminal (3 for /dev/pts/3); -1 for any other device.
int PseudoTerminalIndex(const struct stat& st) {
  if (!IsPseudoTerminal(st)) return -1;
  return static_cast<int>((major(st.st_rdev) - 136) * 256 + minor(st.st_rdev));
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

std::string GroupName(gid_t gid) {
  std::vector<char> buffer(4096);
  group entry{};
  group* found = nullptr;
  if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return std::to_string(gid);
  }
  return found->gr_name;
}

std::vector<gid_t> GroupsOfThisLogin() {
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(0, ::getgroups(0, nullptr))));
  groups.resize(static_cast<std::size_t>(
      std::max(0, ::getgroups(static_cast<int>(groups.size()), groups.data()))));
  groups.push_back(::getegid());
  return groups;
}

// The groups the group database gives the user: those of the next login.
std::vector<gid_t> GroupsListingUser(uid_t uid) {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return {};
  }
  int count = 64;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
    groups.resize(static_cast<std::size_t>(count));
    if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) return {};
  }
  groups.resize(static_cast<std::size_t>(count));
  return groups;
}

// Whether the device's access ACL has an entry for this user that allows reading and
// writing, as udev's uaccess sets for the user at the seat. The layout is the kernel's:
// a 4-byte version 2, then entries of tag (2 bytes), permissions (2) and id (4), little-endian.
bool AclGrants([[maybe_unused]] const std::string& device, [[maybe_unused]] uid_t uid) {
#if defined(__linux__)
  unsigned char acl[1024];
  const ssize_t n = ::getxattr(device.c_str(), "system.posix_acl_access", acl, sizeof acl);
  if (n < 4 || (n - 4) % 8 != 0) return false;
  const auto word = [&](ssize_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | acl[at + i];
    return v;
  };
  if (word(0, 4) != 2) return false;
  constexpr std::uint32_t kUser = 0x02, kMask = 0x10, kReadWrite = 0x06;
  bool user = false;
  bool mask = true;
  for (ssize_t at = 4; at < n; at += 8) {
    const std::uint32_t tag = word(at, 2);
    const std::uint32_t perm = word(at + 2, 2);
    if (tag == kUser && word(at + 4, 4) == uid) user = (perm & kReadWrite) == kReadWrite;
    if (tag == kMask) mask = (perm & kReadWrite) == kReadWrite;
  }
  return user && mask;
#else
  return false;
#endif
}

// Its stable name under /dev/serial/by-id, "" when none leads to it.
std::string ById(const std::string& device, const SystemRoots& roots) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path wanted = fs::canonical(device, error);
  if (error) return {};
  for (const fs::directory_entry& link :
       fs::directory_iterator(roots.dev + "/serial/by-id", error)) {
    std::error_code broken;
    if (fs::canonical(link.path(), broken) == wanted && !broken) return link.path().string();
  }
  return {};
}

// udev's record of the device: its tags (G:, and Q: for tags still current) and properties.
UdevFacts UdevOf([[maybe_unused]] const std::string& device,
                      [[maybe_unused]] const SystemRoots& roots) {
  UdevFacts udev;
#if defined(__linux__)
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) return udev;
  std::ifstream data(roots.udevData + "/c" + Numbers(st.st_rdev));
  if (!data) return udev;
  udev.known = true;
  for (std::string line; std::getline(data, line);) {
    if (line == "G:uaccess" || line == "Q:uaccess") udev.uaccess = true;
    if (line == "E:ID_MM_DEVICE_IGNORE=1") udev.mmIgnore = true;
  }
#endif
  return udev;
}

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

std::optional<UsbFacts> UsbAdapterOf(const std::string& device, const SystemRoots& roots) {
#if defined(__linux__)
  namespace fs = std::filesystem;
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return std::nullopt;
  std::error_code error;
  const fs::path sys = fs::canonical(roots.sys, error);
  if (error) return std::nullopt;
  const fs::path tty = fs::canonical(sys / "dev/char" / Numbers(st.st_rdev), error);
  if (error) return std::nullopt;
  // Up from the terminal to the USB device, which has the ids; never above sysfs.
  for (fs::path at = tty.parent_path(); at != sys && at.has_relative_path();
       at = at.parent_path()) {
    const std::string vendor = FirstLine(at / "idVendor");
    const std::string product = FirstLine(at / "idProduct");
    if (vendor.empty() || product.empty()) continue;
    UsbFacts usb;
    usb.vendorProduct = Lower(vendor) + ":" + Lower(product);
    usb.maker = FirstLine(at / "manufacturer");
    usb.product = FirstLine(at / "product");
    const fs::path driver = fs::canonical(tty / "device/driver", error);
    if (!error) usb.driver = driver.filename().string();
    return usb;
  }
#else
  (void)device;
  (void)roots;
#endif
  return std::nullopt;
}

AccessFacts AccessOf(const std::string& device) {
  AccessFacts a;
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) return a;
  const uid_t uid = ::geteuid();
  a.root = uid == 0;
  a.mayOpen = ::access(device.c_str(), R_OK | W_OK) == 0;
  a.owner = st.st_uid == uid && (st.st_mode & (S_IRUSR | S_IWUSR)) == (S_IRUSR | S_IWUSR);
  a.groupMay = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
  a.everyone = (st.st_mode & (S_IROTH | S_IWOTH)) == (S_IROTH | S_IWOTH);
  a.group = GroupName(st.st_gid);
  const std::vector<gid_t> now = GroupsOfThisLogin();
  a.inGroup = std::find(now.begin(), now.end(), st.st_gid) != now.end();
  if (!a.inGroup) {
    const std::vector<gid_t> listed = GroupsListingUser(uid);
    a.inGroupAfterLogin = std::find(listed.begin(), listed.end(), st.st_gid) != listed.end();
  }
  a.acl = AclGrants(device, uid);
  return a;
}

SystemFacts SurveyPorts(const std::vector<NamedPath>& ports, bool named,
                             const SystemRoots& roots) {
  SystemFacts facts;
  facts.named = named;
  for (const std::string& folder : roots.ruleFolders) {
    const std::string path = folder + "/" + kRuleFile;
    std::ifstream file(path);
    if (!file) continue;
    facts.rulePath = path;
    facts.ruleText.assign(std::istreambuf_iterator<char>(file), {});
    break;
  }
  facts.modemManager = ProgramRunning("ModemManager", roots.proc);
  facts.brltty = ProgramRunning("brltty", roots.proc);
  for (const NamedPath& named : ports) {
    PortFacts port;
    port.name = named.name;
    const DeviceLook look = LookAtDevice(named.path);
    port.device = look.device;
    port.look = look.trouble;
    if (!port.device.empty() && port.look.kind != OpenFailure::Kind::NotSerial &&
        port.look.kind != OpenFailure::Kind::Gone) {
      struct stat st {};
      port.pseudoTerminal = ::stat(port.device.c_str(), &st) == 0 && IsPseudoTerminal(st);
      port.usb = UsbAdapterOf(port.device, roots);
      port.byId = ById(port.device, roots);
      port.access = AccessOf(port.device);
      port.udev = UdevOf(port.device, roots);
      HolderSearch search = FindHolders(port.device, roots);
      port.holders = std::move(search.holders);
      port.holdersHidden = search.hidden;
    }
    facts.ports.push_back(std::move(port));
  }
  return facts;
}

ResolvedPath ResolveDevicePath(const std::string& listed) {
  char* resolved = ::realpath(listed.c_str(), nullptr);
  if (resolved == nullptr) return {{}, errno};
  ResolvedPath result{resolved, 0};
  std::free(resolved);
  return result;
}

DeviceLook LookAtDevice(const std::string& listed) {
  DeviceLook look;
  struct stat st {};
  look.link = ::lstat(listed.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  DeviceFacts facts = Examine(listed, look.device, st);
  if (facts.resolveError == 0 && ::access(look.device.c_str(), R_OK | W_OK) != 0) {
    facts.openError = errno;
  }
  look.trouble = ClassifyDevice(facts);
  return look;
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

DeviceClaim::DeviceClaim(const std::string& listed) {
  struct stat st {};
  DeviceFacts facts = Examine(listed, device_, st);
  int fd = -1;
  if (facts.resolveError == 0 && facts.type == FileType::CharDevice && facts.terminal) {
    fd = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      facts.openError = errno;
    } else {
      facts.terminal = ::isatty(fd) == 1;
      // Only another holder refuses the open; a system without these locks does not.
      facts.heldElsewhere =
          facts.terminal && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    }
  }
  trouble_ = ClassifyDevice(facts);
  if (trouble_.kind == OpenFailure::Kind::InUse) NameHolders(trouble_, device_);
  if (trouble_.kind == OpenFailure::Kind::None) {
    fd_ = fd;
  } else if (fd >= 0) {
    ::close(fd);
  }
}

DeviceClaim::DeviceClaim(DeviceClaim&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      device_(std::move(other.device_)),
      trouble_(std::move(other.trouble_)) {}

DeviceClaim& DeviceClaim::operator=(DeviceClaim&& other) noexcept {
  if (this != &other) {
    release();
    fd_ = std::exchange(other.fd_, -1);
    device_ = std::move(other.device_);
    trouble_ = std::move(other.trouble_);
  }
  return *this;
}

void DeviceClaim::release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace morvane
