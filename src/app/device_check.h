// SPDX-License-Identifier: GPL-3.0-or-later
// The system's side of a listed device path: the device it names and what that device is.
// Paths stay bytes as listed, so a name that is not UTF-8 reaches the system unchanged.
#pragma once

#include <string>

#include "device_trouble.h"

namespace morvane {

// realpath() on the path as listed, links followed. A relative path is taken from the working
// folder, which the programs never change: the folder they were started in.
struct ResolvedPath {
  std::string device;  // "/dev/pts/3"; empty when error is set
  int error = 0;
};
ResolvedPath ResolveDevicePath(const std::string& listed);

// The program that holds the device open, as "name, process 1234", from /proc; "" where the
// system does not tell (another user's programs, other systems).
std::string HolderOf(const std::string& device);

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
