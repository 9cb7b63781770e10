// SPDX-License-Identifier: GPL-3.0-or-later
// Typed notifications: what happened, with its data. Subscribing returns a handle that
// unsubscribes when it goes, so an observer that dies leaves nothing behind. A callback may
// subscribe or unsubscribe others, or itself, while they are being called.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>

namespace morvane {

template <typename... Args>
class CallbackList {
 public:
  using Fn = std::function<void(Args...)>;

  class Subscription {
   public:
    Subscription() = default;
    Subscription(CallbackList& owner, std::uint64_t id) : owner_(&owner), id_(id) {}
    Subscription(Subscription&& other) noexcept
        : owner_(std::exchange(other.owner_, nullptr)), id_(other.id_) {}
    Subscription& operator=(Subscription&& other) noexcept {
      if (this != &other) {
        reset();
        owner_ = std::exchange(other.owner_, nullptr);
        id_ = other.id_;
      }
      return *this;
    }
    ~Subscription() { reset(); }
    void reset() {
      if (owner_ != nullptr) owner_->disconnect(id_);
      owner_ = nullptr;
    }

   private:
    CallbackList* owner_ = nullptr;
    std::uint64_t id_ = 0;
  };

  CallbackList() = default;
  CallbackList(const CallbackList&) = delete;
  CallbackList& operator=(const CallbackList&) = delete;

  using Id = std::uint64_t;

  [[nodiscard]] Subscription subscribe(Fn fn) { return {*this, connect(std::move(fn))}; }
  // For an observer that lives as long as the list: no handle, or one kept by hand.
  Id connect(Fn fn) {
    slots_.push_back({++lastId_, std::move(fn), true});
    return lastId_;
  }
  void disconnect(Id id) {
    for (Slot& slot : slots_) {
      if (slot.id == id) {
        slot.live = false;
        dead_ = true;
      }
    }
    purge();
  }

  // No one listens: what only a listener would want need not be made.
  bool empty() const {
    return slots_.empty() || std::none_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.live; });
  }

  void operator()(Args... args) {
    // Most lists have no listener most of the time (the link's traffic without a log).
    if (slots_.empty()) return;
    ++depth_;
    // By index: a deque keeps its elements in place while callbacks subscribe more.
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      if (slots_[i].live) slots_[i].fn(args...);
    }
    --depth_;
    purge();
  }

 private:
  struct Slot {
    std::uint64_t id;
    Fn fn;
    bool live;
  };
  // Unsubscribed callbacks go only when none is running.
  void purge() {
    if (depth_ != 0 || !dead_) return;
    std::erase_if(slots_, [](const Slot& s) { return !s.live; });
    dead_ = false;
  }

  std::deque<Slot> slots_;
  std::uint64_t lastId_ = 0;
  int depth_ = 0;
  bool dead_ = false;  // a slot unsubscribed, not yet purged
};

}  // namespace morvane
