// SPDX-License-Identifier: GPL-3.0-or-later
// A bench for scenario tests: the window's logic on a virtual clock, a virtual line and a
// simulated ESC, with COM ports as each test wires them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "form/form_mvconfig.h"
#include "simulated_link.h"

namespace morvane::test {

using Bytes = std::vector<std::uint8_t>;
using sim::ByteTimes;
using sim::Ms;
using sim::Ticks;

struct Bench : SimulatedLink {
  FormMVconfig form{line, timer1, timer2, clock, AppVersion{1, 0, 14}};

  Bench() { form.setClock(clock); }

  AppState& s() { return form.state(); }
  Controls& c() { return form.controls(); }
  std::string conn() { return c().TxtConnState.text(); }

  // Frames written since the last call (or since the start).
  std::vector<Bytes> takeFrames() {
    std::vector<Bytes> out;
    for (const auto& w : line.writes()) out.push_back(w.bytes);
    line.clearWrites();
    return out;
  }
  bool connectAndRead(Ticks limit = Ms(2000)) {
    return runUntil([&] { return conn() == "Connected" && readDone(); }, limit) &&
           runUntil([&] { return QueueEmpty(s()); }, limit);
  }
  bool readDone() {
    return std::none_of(s().deviceValue.begin(), s().deviceValue.end(),
                        [](std::int32_t v) { return v == -1; });
  }
};

}  // namespace morvane::test
