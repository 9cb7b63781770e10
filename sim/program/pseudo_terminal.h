// The simulator's end of the line: the master side of a pseudo-terminal in raw mode.
// The slave side stays open here too, so a client that closes and reopens the device
// never leaves the master hung up.
#pragma once

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

// A symbolic link to the device that removes itself, if it still points there.
class DeviceLink {
 public:
  DeviceLink() = default;
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Replaces an old symbolic link at linkPath, never any other file. Error text or empty.
  std::string make(const std::string& linkPath, const std::string& target);

 private:
  std::string link_;
  std::string target_;
};

}  // namespace morvane::sim
