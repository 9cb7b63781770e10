// SPDX-License-Identifier: GPL-3.0-or-later
// Word from the system that its devices may have changed, without polling: the program lists
// its ports again only then. Linux has inotify on the device folders; Windows (device-change
// messages to a window) and macOS (IOKit matching notifications) would implement the same
// interface.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ports/port_follower.h"

class QSocketNotifier;

namespace morvane {

class DeviceWatch {
 public:
  using Changed = std::function<void(const DeviceChanges& changes)>;
  virtual ~DeviceWatch() = default;
  // Raised on the window's thread, once per batch of changes, from start() on; what changed
  // before is told then.
  void setOnChange(Changed handler) { onChange_ = std::move(handler); }
  virtual void start() = 0;

 protected:
  void raiseChange(const DeviceChanges& changes) {
    if (onChange_) onChange_(changes);
  }

 private:
  Changed onChange_;
};

#if defined(__linux__)
// Entries made, removed or renamed in the given folders: /dev for device nodes, /dev/pts for
// pseudo-terminals, and the folders of listed paths, for links that come and go.
class InotifyDeviceWatch : public DeviceWatch {
 public:
  explicit InotifyDeviceWatch(const std::vector<std::string>& folders);
  ~InotifyDeviceWatch() override;
  void start() override;
  InotifyDeviceWatch(const InotifyDeviceWatch&) = delete;
  InotifyDeviceWatch& operator=(const InotifyDeviceWatch&) = delete;

 private:
  void readEvents();

  int fd_ = -1;
  std::map<int, std::string> folders_;  // by watch descriptor, ending in '/'
  std::unique_ptr<QSocketNotifier> notifier_;
};
#endif

}  // namespace morvane
