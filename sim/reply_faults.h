// SPDX-License-Identifier: GPL-3.0-or-later
// How the ESC's replies reach the line: after a latency, possibly preceded by noise,
// split in two with a gap, or not at all. Shared by the virtual line and the simulator
// program on a pseudo-terminal.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace morvane::sim {

struct FaultOptions {
  double latencyMs = 1.0;  // from the end of the frame to the start of the reply
  int noiseBytes = 0;      // stray bytes before each reply; never 'A' or 'Y'
  int splitAfter = 0;      // bytes of the reply in its first piece; 0 = not split
  double splitGapMs = 0;   // pause between the two pieces
  int dropEvery = 0;       // every Nth reply is lost; 0 = none
  bool silent = false;     // no reply at all
  std::uint32_t seed = 1;
};

struct ReplyChunk {
  double delayMs = 0;  // pause before this piece, after the previous one ended
  std::vector<std::uint8_t> bytes;
};

class ReplyFaults {
 public:
  explicit ReplyFaults(FaultOptions options = {}) : options_(options), rng_(options.seed) {}
  // The pieces in which the reply goes out; none when it is lost.
  std::vector<ReplyChunk> shape(const std::vector<std::uint8_t>& reply);
  const FaultOptions& options() const { return options_; }

 private:
  FaultOptions options_;
  std::uint64_t replies_ = 0;
  std::mt19937 rng_;
};

// A byte of line noise: anything but the frame and reply markers.
std::uint8_t NoiseByte(std::mt19937& rng);

}  // namespace morvane::sim
