// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/thrust_stand_model.h"

#include <cmath>
#include <cstdio>

namespace morvane::sim {
namespace {

// At 1600 electrical revolutions a second (throttle 160 of the straight-line motor): 800 g
// from about 18 A on a 3-cell pack that sags under the load.
constexpr double kFullErps = 1600;
constexpr double kFullThrustG = 800;
constexpr double kIdleA = 0.4;
constexpr double kFullA = 18;
constexpr double kPackV = 12.4;
constexpr double kPackOhms = 0.04;
constexpr double kHeaderEveryMs = 10000;

std::string Fixed(double value, int places) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", places, value);
  return text;
}

}  // namespace

ThrustStandModel::ThrustStandModel(StandConfig config) : config_(config) {}

double ThrustStandModel::thrustG(double erps) {
  const double share = erps / kFullErps;
  return kFullThrustG * share * share;
}

double ThrustStandModel::currentA(double erps) {
  const double share = erps / kFullErps;
  return kIdleA + kFullA * share * share * share;
}

double ThrustStandModel::voltageV(double currentA) {
  return kPackV - kPackOhms * currentA;
}

double ThrustStandModel::wobble() {
  // xorshift32: the same noise on every system, from a fixed start.
  random_ ^= random_ << 13;
  random_ ^= random_ >> 17;
  random_ ^= random_ << 5;
  return static_cast<double>(random_) / 2147483647.5 - 1.0;
}

std::string ThrustStandModel::next(double nowMs, double erps) {
  if (config_.silentAfterMs >= 0 && nowMs >= config_.silentAfterMs) return {};
  ++lines_;
  if (config_.garbageEvery > 0 && lines_ % static_cast<std::uint64_t>(config_.garbageEvery) == 0) {
    return lines_ % 2 == 0 ? "HX711 not ready\r\n" : "\x7f#\x01~~?\r\n";
  }
  const double thrust =
      config_.mountG + thrustG(erps) * (1 + config_.noise * wobble()) + 0.5 * wobble();
  const double current = currentA(erps) * (1 + config_.noise * wobble());
  const double voltage = voltageV(current) + 0.01 * wobble();
  switch (config_.form) {
    case StandForm::Plain:
      return Fixed(thrust, 1) + "\r\n";
    case StandForm::Labelled:
      return "thrust: " + Fixed(thrust, 1) + " g, current: " + Fixed(current, 2) +
             " A, voltage: " + Fixed(voltage, 2) + " V\r\n";
    case StandForm::Csv:
      break;
  }
  std::string out;
  if (config_.header && nowMs - lastHeaderMs_ >= kHeaderEveryMs) {
    out = "thrust_g,current_a,voltage_v\r\n";
    lastHeaderMs_ = nowMs;
  }
  return out + Fixed(thrust, 1) + "," + Fixed(current, 2) + "," + Fixed(voltage, 2) + "\r\n";
}

}  // namespace morvane::sim
