// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/hot_plug.h"

#include <filesystem>

#include "shell/system_ports.h"

namespace morvane {
namespace {

#if defined(__linux__)
// Made once and copied: GCC 14 warns, wrongly, on a short literal made into a vector's string.
const std::string kDevices = "/dev";
const std::string kPseudoTerminals = "/dev/pts";
const std::string kHere = ".";
#endif

}  // namespace

HotPlug::HotPlug(PortTable& table, const std::optional<std::string>& portList,
                 SystemPortList systemPorts, FormMVconfig& form) {
#if defined(__linux__)
  const Platform platform = CurrentPlatform();
  const bool listed = portList && !portList->empty();
  const std::vector<std::string> paths =
      listed ? ParsePortList(*portList).paths : std::vector<std::string>{};
  std::vector<std::string> folders{kDevices};
  if (listed) {
    // Listed links mostly lead to pseudo-terminals, which come and go in /dev/pts.
    folders.push_back(kPseudoTerminals);
    for (const std::string& path : paths) {
      if (path.empty()) continue;
      const std::string folder = std::filesystem::path(path).parent_path().string();
      folders.push_back(folder.empty() ? kHere : folder);
    }
  }
  // Watching before the listed paths are looked at: nothing that comes in between is missed.
  auto watch = std::make_unique<InotifyDeviceWatch>(folders);
  // Listed pseudo-terminals need no list of the system's ports, now or later.
  auto enumerate = [listed, paths, platform] {
    SystemPortList now;
    return listed ? ListedDevices(paths, now) : SystemDevices(now.get(), platform);
  };
  const std::vector<PresentDevice> atStart =
      listed ? ListedDevices(paths, systemPorts) : SystemDevices(systemPorts.get(), platform);
  follower_ = std::make_unique<PortFollower>(table, PortNumbers(DeviceKeys(table), listed),
                                             enumerate, atStart);
  follower_->setOnAppeared([&form, told = onPortChanged_](int n) {
    if (*told) (*told)(n, true);
    form.PortAppeared(n);
  });
  follower_->setOnVanished([&form, told = onPortChanged_](int n) {
    if (*told) (*told)(n, false);
    form.PortVanished(n);
  });
  follower_->setIsOpen([&form](int n) { return n == form.state().openPort; });
  if (listed) follower_->lookOnlyAt(paths);
  watch->setOnChange(
      [follower = follower_.get()](const DeviceChanges& changes) { follower->changed(changes); });
  watch_ = std::move(watch);
#else
  (void)table;
  (void)portList;
  (void)systemPorts;
  (void)form;
#endif
}

void HotPlug::start() {
  if (watch_) watch_->start();
}

}  // namespace morvane
