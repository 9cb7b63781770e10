// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/app_state.h"

#include <algorithm>

#include "link/commands.h"

namespace morvane {

void CreateQueue(AppState& s) {
  s.queue.assign(kQueueSlots, CommandSlot{});
  s.sendIndex = 0;
  s.addIndex = 0;
  s.rxCount = 0;
}

int PendingCount(const AppState& s) {
  return (s.addIndex - s.sendIndex + kQueueSlots) % kQueueSlots;
}

bool QueueCommand(AppState& s, std::span<const std::uint8_t> tx, int replyLength) {
  if (tx.size() < 1 || tx.size() > 6 || replyLength < 1 || replyLength > 5) return false;
  if (s.queue.size() != kQueueSlots || PendingCount(s) >= kMaxPending) return false;
  CommandSlot& slot = s.queue[s.addIndex];
  s.addIndex = NextSlot(s.addIndex);
  // Bounded by the slot as well: GCC 14 at -O3 does not see the check above and warns.
  const std::size_t n = std::min(tx.size(), slot.tx.size());
  for (std::size_t k = 0; k < n; ++k) slot.tx[k] = tx[k];
  slot.txLength = static_cast<std::int32_t>(n);
  slot.replyLength = replyLength;
  return true;
}

void AdvanceHead(AppState& s) { s.sendIndex = NextSlot(s.sendIndex); }

void RestartWithPing(AppState& s) {
  CommandSlot& head = Head(s);
  head.tx[0] = CMD_PING;
  head.txLength = 1;
  head.replyLength = ReplyLengthOf(CMD_PING);
  s.addIndex = NextSlot(s.sendIndex);
}

Frame BuildFrame(const CommandSlot& slot) {
  Frame frame;
  frame.bytes[frame.size++] = kFrameByte0;
  frame.bytes[frame.size++] = kFrameByte1;
  for (int i = 0; i < slot.txLength; ++i) frame.bytes[frame.size++] = slot.tx[i];
  return frame;
}

}  // namespace morvane
