#include "esc_model.h"

#include <algorithm>
#include <cmath>

namespace morvane::sim {
namespace {

constexpr double kErpsPerThrottle = 10.0;  // full throttle (200): 2000 e-rev/s
constexpr int kStartThrottle = 8;          // below this the motor does not turn
constexpr double kMotorTauMs = 250.0;      // first-order run-up and run-down
constexpr double kStandErps = 5.0;
constexpr double kClockHz = 2000000.0;

}  // namespace

int CommandLength(std::uint8_t code) {
  switch (code) {
    case 0: case 1: case 5: return 1;
    case 2: case 4: return 2;
    case 3: return 3;
    default: return 0;
  }
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
      return {0x59, id < 5 ? settings_[id] : std::uint8_t{0}};
    }
    case 3: {
      const std::uint8_t id = command[1];
      if (id < 5) settings_[id] = command[2];
      return {0x59, id < 5 ? settings_[id] : std::uint8_t{0}};
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

void EscModel::advanceMotor(double nowMs) {
  const double dt = nowMs - motorTimeMs_;
  motorTimeMs_ = std::max(motorTimeMs_, nowMs);
  if (dt <= 0) return;
  const double target = throttle_ >= kStartThrottle ? throttle_ * kErpsPerThrottle : 0.0;
  erps_ += (target - erps_) * (1.0 - std::exp(-dt / kMotorTauMs));
  if (target == 0.0 && erps_ < kStandErps) erps_ = 0;
}

double EscModel::erps(double nowMs) {
  advanceMotor(nowMs);
  return erps_;
}

std::uint32_t EscModel::period(double nowMs) {
  const double e = erps(nowMs);
  if (e <= 0) return 0;
  return static_cast<std::uint32_t>(std::min(16777215.0, std::round(kClockHz / e)));
}

}  // namespace morvane::sim
