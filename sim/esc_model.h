// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated ESC: it parses frames from the bytes it receives and answers the commands of
// kCommandFormats, holds a value byte for each parameter of kParams, a throttle, and a motor
// whose electrical period follows the throttle. No timing of its own: the caller says when.
// It keeps its own tables of the protocol on purpose and takes none of the tool's: it stands
// for an ESC built apart, so a fault in the tool's tables meets an ESC that does not share
// it. A test compares the two sets of tables, so they cannot drift apart unnoticed.
#pragma once

#include <array>
#include <cstddef>
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

// A parameter: its id, its value byte from the factory, and how many values it has (its
// value bytes run from 1 to that).
struct Param {
  std::uint8_t id;
  std::uint8_t factory;
  std::uint8_t values;
};

inline constexpr auto kParams = std::to_array<Param>({
    {0, 2, 8},  // cutoff voltage: 4.8 V to 12.0 V, 5.6 V
    {1, 1, 2},  // brake: off, on
    {2, 2, 3},  // timing: 4-10, 10-20, 20-30 degrees
    {3, 2, 2},  // cutoff type: hard, soft
    {4, 1, 2},  // direction: forward, reverse
#ifdef MORVANE_TEST_EXTRA_SETTING
    {5, 3, 3},  // the test build's sixth parameter
#endif
});
inline constexpr std::size_t kParamCount = kParams.size();
// The ESC keeps its values by parameter id.
static_assert([] {
  for (std::size_t i = 0; i < kParamCount; ++i) {
    if (kParams[i].id != i) return false;
  }
  return true;
}());

// Value bytes by parameter id.
using SettingBytes = std::array<std::uint8_t, kParamCount>;
inline constexpr SettingBytes kFactorySettings = [] {
  SettingBytes bytes{};
  for (std::size_t i = 0; i < kParamCount; ++i) bytes[i] = kParams[i].factory;
  return bytes;
}();

// A command: its code, its bytes after 'A' 'S' with the code, and its reply's with the 'Y'.
struct CommandFormat {
  std::uint8_t code;
  int length;
  int replyLength;
};

inline constexpr auto kCommandFormats = std::to_array<CommandFormat>({
    {0, 1, 1},  // ping
    {1, 1, 5},  // version: hardware and firmware numbers, low byte first
    {2, 2, 2},  // read a parameter
    {3, 3, 2},  // write a parameter
    {4, 2, 1},  // throttle
    {5, 1, 4},  // speed: the electrical period, three bytes
});

struct EscConfig {
  EscConfig() = default;
  EscConfig(std::uint16_t hardwareNumber, std::uint16_t firmwareNumber,
            SettingBytes settingBytes, MotorConfig motorConfig = {})
      : hardware(hardwareNumber),
        firmware(firmwareNumber),
        settings(settingBytes),
        motor(motorConfig) {}

  std::uint16_t hardware = 9503;
  std::uint16_t firmware = 1234;
  // Value bytes by parameter id: cutoff voltage, brake, timing, cutoff type, direction.
  SettingBytes settings = kFactorySettings;
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
  const SettingBytes& settings() const { return settings_; }
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
  SettingBytes settings_;
  std::vector<std::uint8_t> rx_;
  int throttle_ = 0;
  double erps_ = 0;
  double motorTimeMs_ = 0;
};

// Bytes of a command after 'A' 'S' for a command code, or 0 for an unknown code.
int CommandLength(std::uint8_t code);

}  // namespace morvane::sim
