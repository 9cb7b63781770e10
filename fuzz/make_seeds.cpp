// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of the window fuzz target: the scenarios of the core's tests,
// spelled in the target's input language. Usage: fuzz_seeds DIR
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "fuzz_ops.h"

namespace {

using namespace morvane::fuzz;

class Seed {
 public:
  // Wiring: ports present, the ESC's port, echo; then the model and firmware numbers.
  Seed(std::initializer_list<int> ports, int escPort, bool echo, std::uint16_t hardware = 9503,
       std::uint16_t firmware = 1234) {
    std::uint8_t wiring = static_cast<std::uint8_t>((escPort - 1) << 4 | (echo ? 0x40 : 0));
    for (int n : ports) wiring |= static_cast<std::uint8_t>(1 << (n - 1));
    bytes_ = {wiring, lo(hardware), hi(hardware), lo(firmware), hi(firmware)};
  }

  Seed& op(Op o, std::initializer_list<std::uint8_t> args = {}) {
    bytes_.push_back(o);
    bytes_.insert(bytes_.end(), args);
    return *this;
  }
  // Virtual time in 20 ms steps of at most 5.12 s each.
  Seed& run(int ms) {
    for (; ms > 0; ms -= 256 * 20)
      op(kRunLong, {static_cast<std::uint8_t>(std::min(ms / 20, 256) - 1)});
    return *this;
  }
  Seed& reply(ReplyMode mode, std::initializer_list<std::uint8_t> args = {}) {
    bytes_.push_back(kPlanReply);
    bytes_.push_back(mode);
    bytes_.insert(bytes_.end(), args);
    return *this;
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  static std::uint8_t lo(unsigned v) { return static_cast<std::uint8_t>(v & 0xFF); }
  static std::uint8_t hi(unsigned v) { return static_cast<std::uint8_t>(v >> 8 & 0xFF); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);

  std::vector<std::pair<std::string, Seed>> seeds;
  seeds.emplace_back("no_esc", Seed({1}, 2, false).run(2000));
  seeds.emplace_back("plug_in", Seed({1}, 1, false).run(2000));
  seeds.emplace_back("echo_line", Seed({1}, 1, true).run(2000));
  {
    Seed s({1}, 1, true);
    s.reply(kNoise, {3, 0x00, 0x13, 0x7F, 0xFE}).reply(kSplit, {1, 20}).reply(kSplit, {2, 40});
    s.reply(kTrail, {1, 0x59, 0x41}).run(2000);
    seeds.emplace_back("noise_and_split", s);
  }
  {
    Seed s({1}, 1, false);
    s.run(2000).op(kPickSetting, {0, 3 + 2}).run(1000);
    seeds.emplace_back("user_picks_7v2", s);
  }
  {
    Seed s({1}, 1, false);
    s.run(2000).op(kPickSetting, {2, 1 + 2}).op(kPickSetting, {4, 1 + 2}).run(500);
    s.op(kRestore).run(1000);
    seeds.emplace_back("restore_defaults", s);
  }
  {
    Seed s({1}, 1, false);
    s.op(kEscSetting, {0, 9}).op(kEscSetting, {1, 0}).op(kEscSetting, {2, 3}).run(3000);
    seeds.emplace_back("values_outside_lists", s);
  }
  seeds.emplace_back("unknown_model", Seed({1}, 1, false, 8000).run(3000));
  seeds.emplace_back("large_numbers", Seed({1}, 1, false, 40000, 65535).run(1500));
  {
    Seed s({1}, 1, false);
    s.run(2000).reply(kDrop).reply(kDrop).reply(kDrop).run(3000);
    seeds.emplace_back("lost_and_found", s);
  }
  {
    Seed s({1}, 1, false);
    s.run(2000).op(kClickTab, {2}).op(kMovePole, {14 + 2});
    for (int v = 5; v <= 60; v += 5)
      s.op(kMoveThrottle, {static_cast<std::uint8_t>(v + 28)}).run(200);
    s.reply(kReplace, {4, 0x59, 0x90, 0x01, 0x00}).reply(kReplace, {4, 0x59, 0x2C, 0x01, 0x00});
    s.run(3000).op(kMoveThrottle, {28}).run(1000).op(kClickTab, {1}).run(500);
    seeds.emplace_back("run_motor", s);
  }
  {
    Seed s({1, 3}, 3, false);
    s.op(kPickPort, {2})
        .run(2000)
        .op(kUnplug)
        .run(1000)
        .op(kRewire, {0 | 2 << 3})
        .op(kPickPort, {2});
    s.run(2000);
    seeds.emplace_back("port_failover", s);
  }
  {
    Seed s({2, 3}, 2, true);
    s.run(1500).op(kRewire, {1 | 2 << 3}).op(kPickPort, {2}).op(kPickPort, {1}).run(2000);
    seeds.emplace_back("port_gone_before_pick", s);
  }
  {
    Seed s({1}, 1, false);
    s.op(kRunMs, {3}).op(kInject, {2, 0x41, 0x53, 0x00}).op(kRunBytes, {7});
    s.reply(kReplace, {5, 0x59, 0x4C, 0x1D, 0xE8, 0x03}).run(400).op(kEarly, {1}).op(kEarly, {2});
    s.op(kEarly, {0}).run(2000);
    seeds.emplace_back("version_bytes_and_early_timers", s);
  }
  {
    Seed s({1}, 1, false);
    s.run(2000)
        .op(kClickTab, {2})
        .op(kMoveThrottle, {28 + 30})
        .run(300)
        .op(kMoveThrottle, {28 + 30});
    s.run(300).reply(kDrop).reply(kDrop).reply(kDrop).run(2000);
    seeds.emplace_back("lost_while_running", s);
  }
  {
    Seed s({1}, 1, false);
    s.op(kClickTab, {2}).op(kMoveThrottle, {28 + 5}).run(2000);  // before the ESC is found
    for (int v = 5; v <= 40; v += 5) s.op(kMoveThrottle, {static_cast<std::uint8_t>(v + 28)});
    s.run(500).op(kStopKey).run(500);
    seeds.emplace_back("stop_key", s);
  }
  {
    Seed s({}, 1, false);
    s.run(500).op(kHotPlug, {0}).run(1000).op(kHotPlug, {2}).op(kHotPlug, {0x80}).run(500);
    s.op(kHotPlug, {0}).run(1000).op(kHotPlug, {0x82});
    seeds.emplace_back("hot_plug", s);
  }

  for (const auto& [name, seed] : seeds) {
    std::ofstream out(dir / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(seed.bytes().data()),
              static_cast<std::streamsize>(seed.bytes().size()));
  }
  std::printf("%zu seeds in %s\n", seeds.size(), dir.c_str());
  return 0;
}
