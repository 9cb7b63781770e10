// SPDX-License-Identifier: GPL-3.0-or-later
// The port table follows the system's devices while the program runs: on each word from the
// watcher the devices are listed once, compared with what was there, and the window is told
// which numbers appeared and vanished. Numbers come from PortNumbers, so they stay for the run.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ports/port_table.h"
#include "ports/port_numbers.h"

namespace morvane {

// What the system said changed, in one batch.
struct DeviceChanges {
  std::set<std::string> removed;  // paths removed or renamed away
  std::set<std::string> touched;  // every path made, removed or renamed
  bool lost = false;              // the system dropped some: anything may have changed
};

struct PresentDevice {
  std::string key;     // who it is: the listed path, or the adapter's identity
  std::string device;  // the device node it leads to now
  SerialDevice entry;  // what the table holds for its number
};

class PortFollower {
 public:
  using Enumerate = std::function<std::vector<PresentDevice>()>;
  using Told = std::function<void(int n)>;

  // atStart: the devices the start-up table was made from; they raise nothing.
  PortFollower(PortTable& table, PortNumbers numbers, Enumerate enumerate,
               const std::vector<PresentDevice>& atStart);

  void setOnAppeared(Told handler) { appeared_ = std::move(handler); }
  void setOnVanished(Told handler) { vanished_ = std::move(handler); }
  // Whether n is the port open now.
  void setIsOpen(std::function<bool(int n)> isOpen) { isOpen_ = std::move(isOpen); }

  // The devices may have changed; removed: paths the system removed meanwhile, so a device
  // put back in the same place in between counts as gone and back. A call made while the
  // window handles an earlier one (it pumps events) runs after it.
  void update(const std::set<std::string>& removed = {});

  // With listed paths only changes at them, or at the devices they lead to, are looked
  // into: pseudo-terminals that other programs open and close all day are none of ours.
  void lookOnlyAt(std::vector<std::string> listed) { listed_ = std::move(listed); }
  // update() when the changes concern a port.
  void changed(const DeviceChanges& changes);

 private:
  struct Seen {
    std::string device;
    std::string path;  // the entry's path, absolute
  };
  void compare(const std::set<std::string>& removed);
  bool concerns(const DeviceChanges& changes) const;

  PortTable& table_;
  PortNumbers numbers_;
  Enumerate enumerate_;
  std::vector<std::string> listed_;
  std::map<int, Seen> present_;
  Told appeared_;
  Told vanished_;
  std::function<bool(int n)> isOpen_;
  bool busy_ = false;
  bool again_ = false;
  std::set<std::string> removedMeanwhile_;
};

}  // namespace morvane
