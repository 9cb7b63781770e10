// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/reply_faults.h"

namespace morvane::sim {

// The generator's top byte: what libstdc++'s uniform_int_distribution(0, 255) gives for it,
// which libc++'s does not. The distributions are each library's own; the generator is not,
// so the transcripts stay the same wherever the simulator runs.
std::uint8_t NoiseByte(std::mt19937& rng) {
  for (;;) {
    const auto b = static_cast<std::uint8_t>(rng() >> 24);
    if (b != 0x41 && b != 0x59) return b;
  }
}

std::vector<ReplyChunk> ReplyFaults::shape(const std::vector<std::uint8_t>& reply) {
  ++replies_;
  if (options_.silent || reply.empty()) return {};
  if (options_.dropEvery > 0 && replies_ % static_cast<std::uint64_t>(options_.dropEvery) == 0) {
    return {};
  }
  ReplyChunk first{options_.latencyMs, {}};
  for (int i = 0; i < options_.noiseBytes; ++i) first.bytes.push_back(NoiseByte(rng_));
  const std::size_t split =
      options_.splitAfter > 0 && static_cast<std::size_t>(options_.splitAfter) < reply.size()
          ? static_cast<std::size_t>(options_.splitAfter)
          : reply.size();
  first.bytes.insert(first.bytes.end(), reply.begin(), reply.begin() + static_cast<long>(split));
  std::vector<ReplyChunk> chunks{first};
  if (split < reply.size()) {
    chunks.push_back({options_.splitGapMs, {reply.begin() + static_cast<long>(split), reply.end()}});
  }
  return chunks;
}

}  // namespace morvane::sim
