// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's end of the line: the master side of a pseudo-terminal in raw mode.
// The slave side stays open here too, so a client that closes and reopens the device
// never leaves the master hung up.
#pragma once

#include <sys/types.h>

#include <string>

namespace morvane::sim {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Returns an error text, empty on success.
  std::string open();

  int masterFd() const { return master_; }
  const std::string& devicePath() const { return path_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

// A symbolic link to the device, removed on exit if it is still the one made here.
class DeviceLink {
 public:
  DeviceLink() = default;
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Makes linkPath a link to target where nothing is. The one thing replaced is a link a
  // simulator left behind: one into /dev/pts/ whose terminal is gone, or is now target itself.
  // Error text or empty.
  std::string make(const std::string& linkPath, const std::string& target);

 private:
  std::string link_;
  std::string target_;
  // The link made, told apart from one that took its place by its inode, which stays ours
  // (its number given to no other file) while held open.
  dev_t device_ = 0;
  ino_t inode_ = 0;
  int held_ = -1;
};

}  // namespace morvane::sim
