// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/esc_model.h"

#include <algorithm>
#include <cmath>

namespace morvane::sim {
namespace {

constexpr double kErpsPerThrottle = 10.0;  // full throttle (200): 2000 e-rev/s
constexpr int kStartThrottle = 8;          // below this the motor does not turn
constexpr double kMotorTauMs = 250.0;      // first-order run-up and run-down
constexpr double kStandErps = 5.0;
constexpr double kClockHz = 2000000.0;
constexpr double kPi = 3.14159265358979323846;

// The motor with a kv: a 3-cell battery, 14 poles, and a propeller that holds it to three
// quarters of its unloaded speed at full throttle.
constexpr double kBatteryVolts = 11.1;
constexpr double kPolePairs = 7.0;
constexpr double kFullThrottleShare = 0.75;

// The ripple: two slow waves of unrelated frequencies, so the raw speed wanders while its
// ten-reply average stays put.
double RippleWave(double nowMs) {
  const double t = nowMs / 1000.0;
  return 0.6 * std::sin(2 * kPi * 1.3 * t) + 0.4 * std::sin(2 * kPi * 7.9 * t + 1.0);
}

}  // namespace

int CommandLength(std::uint8_t code) {
  for (const CommandFormat& format : kCommandFormats) {
    if (format.code == code) return format.length;
  }
  return 0;
}

EscModel::EscModel(EscConfig config) : config_(config), settings_(config.settings) {}

std::optional<std::vector<std::uint8_t>> EscModel::receive(std::uint8_t b) {
  // Hunt for 'A' 'S'; anything else before them is line noise.
  if (rx_.empty() || (rx_.size() == 1 && b != 0x53)) {
    rx_.clear();
    if (b == 0x41) rx_.push_back(b);
    return std::nullopt;
  }
  rx_.push_back(b);
  if (rx_.size() < 3) return std::nullopt;
  const int length = CommandLength(rx_[2]);
  if (length == 0) {
    rx_.clear();
    return std::nullopt;
  }
  if (static_cast<int>(rx_.size()) < 2 + length) return std::nullopt;
  std::vector<std::uint8_t> command(rx_.begin() + 2, rx_.end());
  rx_.clear();
  return command;
}

std::vector<std::uint8_t> EscModel::answer(const std::vector<std::uint8_t>& command,
                                           double nowMs) {
  if (command.empty()) return {};
  switch (command[0]) {
    case 0: return {0x59};
    case 1:
      return {0x59, static_cast<std::uint8_t>(config_.hardware & 0xFF),
              static_cast<std::uint8_t>(config_.hardware >> 8),
              static_cast<std::uint8_t>(config_.firmware & 0xFF),
              static_cast<std::uint8_t>(config_.firmware >> 8)};
    case 2: {
      const std::uint8_t id = command[1];
      return {0x59, id < kParamCount ? settings_[id] : std::uint8_t{0}};
    }
    case 3: {
      const std::uint8_t id = command[1];
      if (id < kParamCount) settings_[id] = command[2];
      return {0x59, id < kParamCount ? settings_[id] : std::uint8_t{0}};
    }
    case 4:
      advanceMotor(nowMs);
      throttle_ = command[1];
      return {0x59};
    case 5: {
      const std::uint32_t p = period(nowMs);
      return {0x59, static_cast<std::uint8_t>(p & 0xFF), static_cast<std::uint8_t>(p >> 8 & 0xFF),
              static_cast<std::uint8_t>(p >> 16 & 0xFF)};
    }
    default: return {};
  }
}

double EscModel::settledErps(int throttle) const {
  if (throttle < kStartThrottle) return 0.0;
  const double kv = config_.motor.kv;
  if (kv <= 0) return throttle * kErpsPerThrottle;
  // The drag grows with the square of the speed: a*w^2 + w = unloaded speed, with a chosen
  // so that full throttle gives kFullThrottleShare of the unloaded speed.
  const double unloadedFull = kv * kBatteryVolts;
  const double a =
      (1 - kFullThrottleShare) / (kFullThrottleShare * kFullThrottleShare * unloadedFull);
  const double unloaded = unloadedFull * throttle / 200.0;
  const double rpm = (std::sqrt(1 + 4 * a * unloaded) - 1) / (2 * a);
  return rpm / 60.0 * kPolePairs;
}

void EscModel::advanceMotor(double nowMs) {
  const double dt = nowMs - motorTimeMs_;
  motorTimeMs_ = std::max(motorTimeMs_, nowMs);
  if (dt <= 0) return;
  const double target = settledErps(throttle_);
  erps_ += (target - erps_) * (1.0 - std::exp(-dt / kMotorTauMs));
  if (target == 0.0 && erps_ < kStandErps) erps_ = 0;
}

double EscModel::erps(double nowMs) {
  advanceMotor(nowMs);
  return erps_;
}

std::uint32_t EscModel::period(double nowMs) {
  const double e = erps(nowMs) * (1 + config_.motor.ripple * RippleWave(nowMs));
  if (e <= 0) return 0;
  return static_cast<std::uint32_t>(std::min(16777215.0, std::round(kClockHz / e)));
}

}  // namespace morvane::sim
