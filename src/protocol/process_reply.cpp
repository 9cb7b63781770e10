// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/process_reply.h"

namespace morvane {
namespace {

void PollReply(AppState& s, Controls& c) {
  if (c.TxtConnState.text() != kConnected) {
    QueueCommand(s, {CMD_GET_VERSION});
    s.deviceValue.fill(-1);
    // Whatever this ESC runs at (a program that crashed may have left it turning), the
    // connection starts by commanding the slider's throttle.
    s.lastThrottle = kThrottleUnknown;
    ClearSpeedSamples(s);
    return;
  }
  for (int i = 0; i < kSettingCount; ++i) {
    const std::int32_t device = s.deviceValue[i];
    const std::int32_t wanted = s.wantedValue[i];
    if (device == wanted) continue;
    const std::uint8_t id = kSettings[static_cast<std::size_t>(i)].paramId;
    if (device == -1) {
      QueueCommand(s, {CMD_READ_PARAM, id});
    } else {
      QueueCommand(s, {CMD_WRITE_PARAM, id, static_cast<std::uint8_t>(wanted + 1)});
    }
  }
  ThrottleFollowUp(s, c);
}

void ParamReply(AppState& s, Controls& c) {
  const CommandSlot& slot = Head(s);
  const int i = SettingIndexOfParam(slot.tx[1]);
  if (i < 0) return;
  const std::int32_t reported = static_cast<std::int32_t>(slot.reply[1]) - 1;
  s.deviceValue[i] = reported;
  ComboBox& box = c.setting(i);
  if (reported < 0 || reported >= box.listCount()) return;
  // A write confirmed as sent while the user has picked another entry meanwhile: keep
  // the newer pick, which the next poll writes. Only what the ESC refuses is shown.
  if (slot.tx[0] == CMD_WRITE_PARAM && reported == slot.tx[2] - 1 &&
      s.wantedValue[i] != reported) {
    return;
  }
  box.setListIndex(reported);
}

void ThrottleReply(AppState& s, Controls&) {
  const CommandSlot& slot = Head(s);
  // The ESC holds the throttle that was sent, whatever the slider shows by now; a newer
  // slider position is sent by the next follow-up.
  s.lastThrottle = slot.tx[1];
  if (slot.tx[1] == 0) ClearSpeedSamples(s);
}

}  // namespace

void ClearSpeedSamples(AppState& s) {
  for (int i = 0; i < kSpeedRing; ++i) s.speedSamples[i] = 0;
  s.speedSamplePos = 0;
}

void ThrottleFollowUp(AppState& s, const Controls& c) {
  const int throttle = c.SldPower.value();
  if (throttle != s.lastThrottle) {
    QueueCommand(s, {CMD_SET_THROTTLE, static_cast<std::uint8_t>(throttle)});
  }
}

void ProcessReply(AppState& s, Controls& c) {
  using Handler = void (*)(AppState&, Controls&);
  static constexpr ForEachCommand<Handler> kHandlers = {{
      {CMD_PING, PollReply},
      {CMD_GET_VERSION, VersionReply},
      {CMD_READ_PARAM, ParamReply},
      {CMD_WRITE_PARAM, ParamReply},
      {CMD_SET_THROTTLE, ThrottleReply},
      {CMD_GET_SPEED, SpeedReply},
  }};
  static_assert(OneRowPerCommand(kHandlers), "a command without its reply handler");
  if (const Handler* handle = ActionFor(kHandlers, Head(s).tx[0])) (*handle)(s, c);
}

}  // namespace morvane
