// SPDX-License-Identifier: GPL-3.0-or-later
// The system's side of a listed device path: the device it names and what that device is.
// Paths stay bytes as listed, so a name that is not UTF-8 reaches the system unchanged.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/port_facts.h"
#include "ports/device_trouble.h"
#include "ports/port_holders.h"

namespace morvane {

// Where the checks read the system; tests point them at folders of their own.
struct SystemRoots {
  std::string proc = "/proc";
  std::string sys = "/sys";
  std::string dev = "/dev";
  std::string udevData = "/run/udev/data";
  // udev's rule folders, in the order a file of one name is taken from.
  std::vector<std::string> ruleFolders = {"/etc/udev/rules.d", "/run/udev/rules.d",
                                          "/usr/local/lib/udev/rules.d", "/usr/lib/udev/rules.d",
                                          "/lib/udev/rules.d"};
  // Where programs leave lock files (LCK..ttyUSB0) with their process number.
  std::vector<std::string> lockFolders = {"/run/lock", "/var/lock"};
};

// realpath() on the path as listed, links followed. A relative path is taken from the working
// folder, which the programs never change: the folder they were started in.
struct ResolvedPath {
  std::string device;  // "/dev/pts/3"; empty when error is set
  int error = 0;
};
ResolvedPath ResolveDevicePath(const std::string& listed);

// Every other program that has the device open, from /proc, each marked when it holds the
// device's lock (flock, or a lock file). hidden: some processes' open files could not be looked
// at (another user's); a lock's holder is named all the same.
struct HolderSearch {
  std::vector<PortHolder> holders;
  bool hidden = false;
};
HolderSearch FindHolders(const std::string& device, const SystemRoots& roots = {});

// Names the holders of an InUse failure. Where none could be seen for being another user's,
// a running ModemManager or brltty is named as the likely one.
void NameHolders(OpenFailure& failure, const std::string& device,
                 const SystemRoots& roots = {});

// Whether a lock file in the lock folders names the device for a living process other than
// this one: a port another program has locked so, which Qt's open would refuse.
bool LockFileHeldElsewhere(const std::string& device, const SystemRoots& roots = {});

// The first process of that name (as /proc's comm gives it), if one runs.
std::optional<RunningProgram> ProgramRunning(const std::string& name,
                                                  const std::string& proc = "/proc");

// The USB adapter behind a device node, from sysfs; nothing when it is on no USB.
std::optional<UsbFacts> UsbAdapterOf(const std::string& device, const SystemRoots& roots = {});

// Its stable name under /dev/serial/by-id, "" when none leads to it.
std::string ById(const std::string& device, const SystemRoots& roots = {});

// Whether this user may read and write the device, and why: owner, group, an ACL entry (what
// udev's uaccess gives the user at the seat), or every user.
AccessFacts AccessOf(const std::string& device);

// udev's record of the device: its tags (G:, and Q: for tags still current) and properties.
UdevFacts UdevOf(const std::string& device, const SystemRoots& roots = {});

// What doctor and "Check ports…" look at, for each port as the user knows it (name) and as
// listed (path); nothing is opened. named: the ports were named rather than found.
struct NamedPath {
  std::string name;
  std::string path;
};
SystemFacts SurveyPorts(const std::vector<NamedPath>& ports, bool named,
                             const SystemRoots& roots = {});

// What a listed path names, found without opening it: opening a serial device moves its modem
// lines, which may reset whatever hangs on them.
struct DeviceLook {
  std::string device;
  bool link = false;  // the path as listed is a symbolic link
  OpenFailure trouble;
};
DeviceLook LookAtDevice(const std::string& listed);

// The device of a listed path, opened for the checks the serial port layer does not make, and
// locked with flock() while held: a second program is refused even where the terminal's
// exclusive mode is not enforced (for root). Only terminals are opened.
class DeviceClaim {
 public:
  DeviceClaim() = default;
  explicit DeviceClaim(const std::string& listed);
  ~DeviceClaim() { release(); }
  DeviceClaim(DeviceClaim&& other) noexcept;
  DeviceClaim& operator=(DeviceClaim&& other) noexcept;
  DeviceClaim(const DeviceClaim&) = delete;
  DeviceClaim& operator=(const DeviceClaim&) = delete;

  bool held() const { return fd_ >= 0; }
  // The device the listed path resolved to; empty when it did not resolve.
  const std::string& device() const { return device_; }
  // Why the claim is not held.
  const OpenFailure& trouble() const { return trouble_; }
  void release();

 private:
  int fd_ = -1;
  std::string device_;
  OpenFailure trouble_;
};

}  // namespace morvane
