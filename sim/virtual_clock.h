// SPDX-License-Identifier: GPL-3.0-or-later
// Discrete-event virtual time. One tick is 1/192000 s, so both a millisecond (192) and
// one byte on a 38400-baud 8N1 line (10 bits = 50 ticks) are whole numbers of ticks and
// every time in a scenario is exact.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "link/seams.h"

namespace morvane::sim {

using Ticks = std::int64_t;
inline constexpr Ticks kTicksPerMs = 192;
inline constexpr Ticks kTicksPerByte = 50;

constexpr Ticks Ms(std::int64_t ms) { return ms * kTicksPerMs; }
constexpr Ticks ByteTimes(std::int64_t n) { return n * kTicksPerByte; }
constexpr double ToMs(Ticks t) { return static_cast<double>(t) / kTicksPerMs; }

class VirtualClock : public EventPump, public Clock {
 public:
  using EventId = std::uint64_t;

  Ticks now() const { return now_; }
  double nowMs() const { return ToMs(now_); }
  std::int64_t elapsedMs() const override { return now_ / kTicksPerMs; }

  // Events due at the same time run in the order they were scheduled.
  EventId schedule(Ticks at, std::function<void()> fn);
  EventId scheduleIn(Ticks delay, std::function<void()> fn) { return schedule(now_ + delay, std::move(fn)); }
  void cancel(EventId id);

  // Runs every event due up to and including t, then stands at t.
  void runUntil(Ticks t);
  void runFor(Ticks d) { runUntil(now_ + d); }
  // Runs events until pred() holds or time would pass limit. True when pred() held.
  bool runUntilTrue(const std::function<bool()>& pred, Ticks limit);

  // Runs what is due now, without moving time.
  void doEvents() override;

  std::size_t pendingEvents() const { return events_.size(); }

 private:
  bool runOne(Ticks limit);

  Ticks now_ = 0;
  EventId nextId_ = 1;
  std::map<std::pair<Ticks, EventId>, std::function<void()>> events_;
  std::map<EventId, Ticks> when_;
};

// A one-shot timer on the virtual clock.
class VirtualTimer : public Timer {
 public:
  VirtualTimer(VirtualClock& clock, int intervalMs) : clock_(clock), interval_(intervalMs) {}
  ~VirtualTimer() override { setEnabled(false); }

  void setEnabled(bool on) override;
  bool enabled() const override { return pending_ != 0; }
  void setInterval(int ms) override { interval_ = ms; }
  int interval() const override { return interval_; }

  // When the running timer will tick; -1 when stopped.
  Ticks dueAt() const { return pending_ != 0 ? due_ : -1; }
  std::uint64_t ticks() const { return ticks_; }

 private:
  VirtualClock& clock_;
  int interval_;
  VirtualClock::EventId pending_ = 0;
  Ticks due_ = 0;
  std::uint64_t ticks_ = 0;
};

}  // namespace morvane::sim
