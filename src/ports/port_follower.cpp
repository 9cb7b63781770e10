// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/port_follower.h"

#include <algorithm>
#include <filesystem>

namespace morvane {
namespace {

std::string Absolute(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::absolute(path, ignored).lexically_normal().string();
}

}  // namespace

PortFollower::PortFollower(PortTable& table, PortNumbers numbers, Enumerate enumerate,
                           const std::vector<PresentDevice>& atStart)
    : table_(table), numbers_(std::move(numbers)), enumerate_(std::move(enumerate)) {
  for (const PresentDevice& d : atStart) {
    if (const int n = numbers_.numberFor(d.key); n != 0) {
      present_[n] = {d.device, Absolute(d.entry.path)};
    }
  }
}

void PortFollower::update(const std::set<std::string>& removed) {
  removedMeanwhile_.insert(removed.begin(), removed.end());
  if (busy_) {
    again_ = true;
    return;
  }
  busy_ = true;
  do {
    again_ = false;
    const std::set<std::string> paths = std::move(removedMeanwhile_);
    removedMeanwhile_.clear();
    compare(paths);
  } while (again_);
  busy_ = false;
}

bool PortFollower::concerns(const DeviceChanges& changes) const {
  if (listed_.empty() || changes.lost) return true;
  namespace fs = std::filesystem;
  std::set<std::string> ours;
  for (const auto& [n, seen] : present_) {
    ours.insert(seen.device);
    ours.insert(seen.path);
  }
  for (const std::string& path : listed_) {
    if (path.empty()) continue;
    const std::string absolute = Absolute(path);
    ours.insert(absolute);
    // Where a link leads, also while nothing is there: a device may come back under it.
    std::error_code error;
    const fs::path target = fs::read_symlink(absolute, error);
    if (!error) {
      ours.insert((fs::path(absolute).parent_path() / target).lexically_normal().string());
    }
  }
  return std::any_of(changes.touched.begin(), changes.touched.end(),
                     [&](const std::string& p) { return ours.contains(p); });
}

void PortFollower::changed(const DeviceChanges& changes) {
  if (concerns(changes)) update(changes.removed);
}

void PortFollower::compare(const std::set<std::string>& removed) {
  std::map<int, PresentDevice> now;
  for (PresentDevice& d : enumerate_()) {
    if (const int n = numbers_.numberFor(d.key); n != 0) now.emplace(n, std::move(d));
  }
  std::map<int, Seen> next;
  for (const auto& [n, d] : now) next[n] = {d.device, Absolute(d.entry.path)};
  std::vector<int> gone;
  for (const auto& [n, seen] : present_) {
    const auto it = now.find(n);
    if (it != now.end() && it->second.device == seen.device && !removed.contains(seen.device) &&
        !removed.contains(seen.path)) {
      continue;
    }
    // The open line goes on while its device is there, whatever its path says now: closing
    // it would leave the ESC without a stop. Its device's own removal ends it.
    std::error_code error;
    if (isOpen_ && isOpen_(n) && !removed.contains(seen.device) &&
        std::filesystem::exists(seen.device, error)) {
      next[n] = seen;
      now.erase(n);
      continue;
    }
    gone.push_back(n);
  }
  std::vector<int> came;
  for (const auto& [n, d] : now) {
    if (!present_.contains(n) || std::find(gone.begin(), gone.end(), n) != gone.end()) {
      came.push_back(n);
    }
  }
  present_ = std::move(next);
  // Gone first: a device back at once is an unplug and a plug, in that order.
  for (const int n : gone) {
    if (vanished_) vanished_(n);
  }
  for (const int n : came) {
    table_.setDevice(n, now[n].entry);
    if (appeared_) appeared_(n);
  }
}

}  // namespace morvane
