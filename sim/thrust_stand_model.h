// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated thrust stand: a load cell, a current and a voltage sensor under the simulated
// motor, printing one line per reading as a small board on a second serial port does.
// Thrust grows with the square of the speed, current with its cube; both with some noise.
// No timing of its own: the caller says when, and how fast the motor turns.
#pragma once

#include <cstdint>
#include <string>

namespace morvane::sim {

enum class StandForm { Plain, Labelled, Csv };

struct StandConfig {
  StandForm form = StandForm::Csv;
  bool header = true;         // Csv only: "thrust_g,current_a,voltage_v" first and every 10 s
  double rateHz = 40;         // lines a second
  int garbageEvery = 0;       // every Nth line is garbage; 0: none
  double silentAfterMs = -1;  // sends nothing from then on; below 0: never
  double mountG = 35;         // what the cell reads with nothing pushing: a tare takes it off
  double noise = 0.01;        // the largest share a reading wavers by
};

class ThrustStandModel {
 public:
  explicit ThrustStandModel(StandConfig config = {});

  // The motor's own values at a speed in electrical revolutions a second, without noise.
  static double thrustG(double erps);
  static double currentA(double erps);
  static double voltageV(double currentA);

  double periodMs() const { return 1000.0 / config_.rateHz; }
  // The next line (or a header and a line), each ending in "\r\n", for the motor at erps;
  // empty once the stand has gone silent.
  std::string next(double nowMs, double erps);

 private:
  double wobble();  // -1..1

  StandConfig config_;
  std::uint64_t lines_ = 0;
  std::uint32_t random_ = 2463534242u;
  double lastHeaderMs_ = -1e9;
};

}  // namespace morvane::sim
