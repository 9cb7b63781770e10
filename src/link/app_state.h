// SPDX-License-Identifier: GPL-3.0-or-later
// The window's state record and the command queue that all traffic to the ESC passes
// through.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "link/settings_table.h"
#include "link/wire_codes.h"

namespace morvane {

struct CommandSlot {
  std::array<std::uint8_t, 6> tx{};
  std::int32_t txLength = 0;  // 1..6
  std::array<std::uint8_t, 5> reply{};
  std::int32_t replyLength = 0;  // 1..5
};

inline constexpr int kQueueSlots = 20;
inline constexpr int kMaxPending = kQueueSlots - 1;
inline constexpr int kSpeedRing = 10;
// lastThrottle when no reply tells what throttle the ESC holds.
inline constexpr std::int32_t kThrottleUnknown = -1;

struct AppState {
  // Kept here, not in the view: the tab strip's handler compares each click with it.
  std::int32_t currentTab = 0;
  // A slot per row of kSettings (cutoff voltage, cutoff type, brake, timing, direction).
  // -1 = not read.
  std::array<std::int32_t, kSettingCount> deviceValue{};
  std::array<std::int32_t, kSettingCount> wantedValue{};
  std::int32_t lastThrottle = 0;
  std::int32_t openPort = 0;
  std::array<std::int32_t, 20> speedSamples{};
  std::int32_t speedSamplePos = 0;
  bool motorRunning = false;

  std::vector<CommandSlot> queue;  // created at start-up with kQueueSlots entries
  std::int32_t sendIndex = 0;
  std::int32_t addIndex = 0;
  std::int32_t rxCount = 0;

  std::int32_t missCount = 0;
  std::int32_t prevSliderValue = 0;
};

inline int NextSlot(int i) { return i == kQueueSlots - 1 ? 0 : i + 1; }

void CreateQueue(AppState& s);
inline bool QueueEmpty(const AppState& s) { return s.sendIndex == s.addIndex; }
int PendingCount(const AppState& s);
inline CommandSlot& Head(AppState& s) { return s.queue[s.sendIndex]; }
inline const CommandSlot& Head(const AppState& s) { return s.queue[s.sendIndex]; }

// Queues a command (code and argument bytes) that expects a reply of replyLength bytes.
// Refused, returning false, when kMaxPending commands are already waiting: a pending
// command is never overwritten.
bool QueueCommand(AppState& s, std::span<const std::uint8_t> tx, int replyLength);
inline bool QueueCommand(AppState& s, std::initializer_list<std::uint8_t> tx, int replyLength) {
  return QueueCommand(s, std::span<const std::uint8_t>(tx.begin(), tx.size()), replyLength);
}

void AdvanceHead(AppState& s);

// Puts a ping into the head entry and drops everything queued behind it.
void RestartWithPing(AppState& s);

// A frame as it goes on the wire, held in place: building one allocates nothing.
struct Frame {
  std::array<std::uint8_t, 8> bytes{};
  std::size_t size = 0;
  const std::uint8_t* begin() const { return bytes.data(); }
  const std::uint8_t* end() const { return bytes.data() + size; }
  operator std::span<const std::uint8_t>() const { return {bytes.data(), size}; }
  friend bool operator==(const Frame& frame, std::span<const std::uint8_t> other) {
    return std::equal(frame.begin(), frame.end(), other.begin(), other.end());
  }
};

// 'A', 'S', then the head's command bytes.
Frame BuildFrame(const CommandSlot& slot);

}  // namespace morvane
