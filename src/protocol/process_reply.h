// SPDX-License-Identifier: GPL-3.0-or-later
// What each reply of the ESC means: the handshake, settings synchronisation, the
// throttle follow-up, identification and speed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "link/app_state.h"
#include "link/commands.h"
#include "link/settings_table.h"
#include "controls/controls.h"

namespace morvane {

// Factory default entry of each setting, in the order of deviceValue / wantedValue.
inline constexpr std::array<int, kSettingCount> kSettingDefault = [] {
  std::array<int, kSettingCount> defaults{};
  for (std::size_t i = 0; i < defaults.size(); ++i) defaults[i] = kSettings[i].defaultIndex;
  return defaults;
}();

// Acts on the complete reply in the head entry; may queue follow-up commands.
void ProcessReply(AppState& s, Controls& c);

// Identification texts. HardwareText is empty when the number belongs to no model.
std::string HardwareText(std::uint16_t hardwareNumber);
std::string FirmwareText(std::uint16_t firmwareNumber);
// n / 1000 as "0.000", a point as separator.
std::string Thousandths(unsigned n);

// One speed sample in r/min from a period in 0.5 us ticks, or -1 when the period is not
// above 300 (no sample).
std::int32_t SpeedSample(std::int32_t period, int poles);

}  // namespace morvane

namespace morvane {

// Branches of ProcessReply, by command.
void VersionReply(AppState& s, Controls& c);
void SpeedReply(AppState& s, Controls& c);
void ThrottleFollowUp(AppState& s, const Controls& c);
void ClearSpeedSamples(AppState& s);
// The sample the speed reply in the head has just given, once handled: 0 for a standing
// motor, none for a period too short to count.
std::optional<std::int32_t> SampleOfSpeedReply(const AppState& s);
// The period a speed reply in the head carries.
std::int32_t PeriodOfSpeedReply(const AppState& s);
// The r/min box holds the number it shows; nothing else keeps it.
void ShowRpm(Controls& c, std::int32_t rpm);
std::int32_t ShownRpm(const Controls& c);

}  // namespace morvane
