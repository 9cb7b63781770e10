// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/device_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <filesystem>

namespace morvane {

InotifyDeviceWatch::InotifyDeviceWatch(const std::vector<std::string>& folders)
    : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ < 0) return;
  for (const std::string& folder : folders) {
    std::error_code error;
    const std::string absolute =
        std::filesystem::absolute(folder, error).lexically_normal().string();
    if (error) continue;
    const int wd = ::inotify_add_watch(fd_, absolute.c_str(),
                                       IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                           IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
    // The same folder twice gives the same descriptor.
    if (wd >= 0) folders_[wd] = absolute.back() == '/' ? absolute : absolute + "/";
  }
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  notifier_->setEnabled(false);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
}

void InotifyDeviceWatch::start() {
  if (notifier_) notifier_->setEnabled(true);
}

InotifyDeviceWatch::~InotifyDeviceWatch() {
  notifier_.reset();
  if (fd_ >= 0) ::close(fd_);
}

void InotifyDeviceWatch::readEvents() {
  alignas(inotify_event) char buffer[4096];
  DeviceChanges changes;
  bool any = false;
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    any = true;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if ((event->mask & IN_Q_OVERFLOW) != 0) changes.lost = true;
      const auto folder = folders_.find(event->wd);
      if (folder == folders_.end()) continue;
      if (event->len > 0) {
        const std::string path = folder->second + event->name;
        changes.touched.insert(path);
        if ((event->mask & (IN_DELETE | IN_MOVED_FROM)) != 0) changes.removed.insert(path);
      }
      if ((event->mask & IN_IGNORED) != 0) folders_.erase(folder);
    }
  }
  if (any) raiseChange(changes);
}

}  // namespace morvane
