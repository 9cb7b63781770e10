// SPDX-License-Identifier: GPL-3.0-or-later
// What a listed path names, looked at or claimed, and the survey of every check for doctor.
#include "ports/device_check.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ports/device_files.h"

#if defined(__linux__)
#include <sys/sysmacros.h>
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

}  // namespace

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
      port.pseudoTerminal = IsPseudoTerminalDevice(port.device);
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
