// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated ESC: it parses frames from the bytes it receives and answers the six
// commands, holds its five settings by parameter id, a throttle, and a motor whose
// electrical period follows the throttle. No timing of its own: the caller says when.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace morvane::sim {

struct MotorConfig {
  // A motor of kv r/min per volt with 14 poles on 11.1 V, turning a propeller whose drag
  // bends the throttle-to-speed curve. 0: 10 electrical revolutions a second per throttle
  // step, a straight line.
  double kv = 0;
  // The largest share by which the reported speed wavers around the motor's own speed.
  double ripple = 0.006;
};

inline constexpr std::array<std::uint8_t, 5> kFactorySettings = {2, 1, 2, 2, 1};

struct EscConfig {
  EscConfig() = default;
  EscConfig(std::uint16_t hardwareNumber, std::uint16_t firmwareNumber,
            std::array<std::uint8_t, 5> settingBytes, MotorConfig motorConfig = {})
      : hardware(hardwareNumber),
        firmware(firmwareNumber),
        settings(settingBytes),
        motor(motorConfig) {}

  std::uint16_t hardware = 9503;
  std::uint16_t firmware = 1234;
  // Value bytes by parameter id: cutoff voltage, brake, timing, cutoff type, direction.
  std::array<std::uint8_t, 5> settings = kFactorySettings;
  MotorConfig motor;
};

class EscModel {
 public:
  explicit EscModel(EscConfig config = {});

  // One byte from the line. Returns the command bytes of a frame it completes.
  std::optional<std::vector<std::uint8_t>> receive(std::uint8_t b);
  // The reply to a complete command at nowMs; empty for a command it does not know.
  std::vector<std::uint8_t> answer(const std::vector<std::uint8_t>& command, double nowMs);

  std::uint8_t setting(int paramId) const { return settings_.at(static_cast<std::size_t>(paramId)); }
  void setSetting(int paramId, std::uint8_t v) { settings_.at(static_cast<std::size_t>(paramId)) = v; }
  const std::array<std::uint8_t, 5>& settings() const { return settings_; }
  int throttle() const { return throttle_; }
  std::uint16_t hardware() const { return config_.hardware; }
  std::uint16_t firmware() const { return config_.firmware; }
  void setHardware(std::uint16_t n) { config_.hardware = n; }

  // Electrical period in 0.5 us ticks at nowMs, with the ripple; 0 while the motor stands.
  std::uint32_t period(double nowMs);
  // Electrical revolutions per second the motor turns at, after running it up to nowMs;
  // its own speed, without the ripple.
  double erps(double nowMs);
  // The speed the motor settles at for a throttle, in electrical revolutions per second.
  double settledErps(int throttle) const;

  // Frames waiting for their remaining bytes are dropped (a line that went idle).
  void resetReceiver() { rx_.clear(); }

 private:
  void advanceMotor(double nowMs);

  EscConfig config_;
  std::array<std::uint8_t, 5> settings_;
  std::vector<std::uint8_t> rx_;
  int throttle_ = 0;
  double erps_ = 0;
  double motorTimeMs_ = 0;
};

// Bytes of a command after 'A' 'S' for a command code, or 0 for an unknown code.
int CommandLength(std::uint8_t code);

}  // namespace morvane::sim
