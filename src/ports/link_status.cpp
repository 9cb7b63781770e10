// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/link_status.h"

#include "ports/device_trouble.h"
#include "ports/port_holders.h"

namespace morvane {
namespace {

std::string PortName(int port, const DeviceText& device) {
  std::string name = "COM" + std::to_string(port);
  if (const std::string what = device ? device(port) : std::string(); !what.empty()) {
    name += " (" + what + ")";
  }
  return name;
}

constexpr const char* kContext = "LinkStatus";

}  // namespace

std::string FailureReason(const OpenFailure& f, Retry retry, const TranslateText& translate) {
  const Phrases say(translate, kContext);
  const std::string detail = SystemDetail(f, translate);
  switch (f.kind) {
    case OpenFailure::Kind::PermissionDenied:
      return f.detail.empty()
                 ? say(MORVANE_TRANSLATABLE("LinkStatus",
                                            "permission denied. Your user may not open it: ask "
                                            "for access to the device, then log out and in "
                                            "again."),
                       {})
                 : say(MORVANE_TRANSLATABLE("LinkStatus",
                                            "permission denied. Your user may not open it: sudo "
                                            "usermod -aG %1 $USER, then log out and in again."),
                       {f.detail});
    case OpenFailure::Kind::InUse:
      return InUseReason(f, retry, translate);
    case OpenFailure::Kind::Gone:
      return detail.empty()
                 ? say(MORVANE_TRANSLATABLE("LinkStatus", "gone. Plug the adapter in again."), {})
                 : say(MORVANE_TRANSLATABLE("LinkStatus", "gone (%1). Plug the adapter in again."),
                       {detail});
    case OpenFailure::Kind::NotSerial:
      return f.detail.empty()
                 ? say(MORVANE_TRANSLATABLE(
                           "LinkStatus",
                           "not a device, not a serial port. Check MORVANE_ESC_PORTS."),
                       {})
                 : say(MORVANE_TRANSLATABLE("LinkStatus",
                                            "%1, not a serial port. Check MORVANE_ESC_PORTS."),
                       {translate ? translate("DeviceTrouble", f.detail.c_str()) : f.detail});
    case OpenFailure::Kind::None:
    case OpenFailure::Kind::Other:
      break;
  }
  return detail.empty()
             ? say(MORVANE_TRANSLATABLE("LinkStatus", "could not be opened."), {})
             : say(MORVANE_TRANSLATABLE("LinkStatus", "could not be opened: %1."), {detail});
}

std::string FailureText(const PortFailure& failure, const DeviceText& device,
                        const TranslateText& translate) {
  return PortName(failure.port, device) + ": " +
         FailureReason(failure.failure, Retry::PickThePort, translate);
}

std::string FailureBalloon(const std::vector<PortFailure>& failures, const DeviceText& device,
                           const TranslateText& translate) {
  std::string text;
  for (const PortFailure& f : failures) {
    if (!text.empty()) text += '\n';
    text += FailureText(f, device, translate);
  }
  return text;
}

std::string StatusTip(const LinkStatus& status, const ClockText& clock, const DeviceText& device,
                      const TranslateText& translate) {
  const std::string port = PortName(status.port, device);
  const std::string at = clock(status.sinceMs);
  const Phrases say(translate, kContext);
  std::string text;
  switch (status.state) {
    case LinkStatus::State::NoPort:
      text = say(MORVANE_TRANSLATABLE("LinkStatus", "No port is open: pick one in the Port list."),
                 {});
      break;
    case LinkStatus::State::Waiting:
      text = say(MORVANE_TRANSLATABLE(
                     "LinkStatus",
                     "No answer from an ESC on %1 since %2. Check that the ESC is powered, that "
                     "its signal and ground wires are connected and that the adapter is on the "
                     "ESC's programming connection."),
                 {port, at});
      break;
    case LinkStatus::State::Connected:
      text = say(MORVANE_TRANSLATABLE("LinkStatus", "Connected since %1 on %2."), {at, port});
      break;
    case LinkStatus::State::Unplugged:
      text = say(MORVANE_TRANSLATABLE("LinkStatus",
                                      "The adapter of %1 was unplugged at %2. The port opens "
                                      "again by itself when it is back."),
                 {port, at});
      break;
  }
  if (!status.lastFailures.empty()) {
    text.append("\n").append(say(MORVANE_TRANSLATABLE("LinkStatus", "Could not open %1"),
                                  {FailureBalloon(status.lastFailures, device, translate)}));
  }
  return text;
}

}  // namespace morvane
