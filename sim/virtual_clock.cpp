// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtual_clock.h"

namespace morvane::sim {

VirtualClock::EventId VirtualClock::schedule(Ticks at, std::function<void()> fn) {
  if (at < now_) at = now_;
  const EventId id = nextId_++;
  events_.emplace(std::make_pair(at, id), std::move(fn));
  when_.emplace(id, at);
  return id;
}

void VirtualClock::cancel(EventId id) {
  auto it = when_.find(id);
  if (it == when_.end()) return;
  events_.erase({it->second, id});
  when_.erase(it);
}

bool VirtualClock::runOne(Ticks limit) {
  if (events_.empty()) return false;
  auto it = events_.begin();
  if (it->first.first > limit) return false;
  now_ = it->first.first;
  auto fn = std::move(it->second);
  when_.erase(it->first.second);
  events_.erase(it);
  fn();
  return true;
}

void VirtualClock::runUntil(Ticks t) {
  while (runOne(t)) {
  }
  if (t > now_) now_ = t;
}

bool VirtualClock::runUntilTrue(const std::function<bool()>& pred, Ticks limit) {
  while (!pred()) {
    if (!runOne(limit)) {
      if (limit > now_) now_ = limit;
      return pred();
    }
  }
  return true;
}

void VirtualClock::doEvents() {
  while (runOne(now_)) {
  }
}

void VirtualTimer::setEnabled(bool on) {
  if (pending_ != 0) {
    clock_.cancel(pending_);
    pending_ = 0;
  }
  if (!on) return;
  due_ = clock_.now() + Ms(interval_);
  pending_ = clock_.schedule(due_, [this] {
    pending_ = 0;
    ++ticks_;
    raiseTick();
  });
}

}  // namespace morvane::sim
