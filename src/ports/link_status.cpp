// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/link_status.h"

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

}  // namespace

std::string FailureReason(const OpenFailure& f, Retry retry) {
  switch (f.kind) {
    case OpenFailure::Kind::PermissionDenied:
      return "permission denied. Your user may not open it: " +
             (f.detail.empty() ? std::string("ask for access to the device")
                               : "sudo usermod -aG " + f.detail + " $USER") +
             ", then log out and in again.";
    case OpenFailure::Kind::InUse:
      return InUseReason(f, retry);
    case OpenFailure::Kind::Gone:
      return "gone" + (f.detail.empty() ? "" : " (" + f.detail + ")") +
             ". Plug the adapter in again.";
    case OpenFailure::Kind::NotSerial:
      return (f.detail.empty() ? std::string("not a device") : f.detail) +
             ", not a serial port. Check MORVANE_ESC_PORTS.";
    case OpenFailure::Kind::None:
    case OpenFailure::Kind::Other:
      break;
  }
  return "could not be opened" + (f.detail.empty() ? "." : ": " + f.detail + ".");
}

std::string FailureText(const PortFailure& failure, const DeviceText& device) {
  return PortName(failure.port, device) + ": " + FailureReason(failure.failure);
}

std::string FailureBalloon(const std::vector<PortFailure>& failures, const DeviceText& device) {
  std::string text;
  for (const PortFailure& f : failures) {
    if (!text.empty()) text += '\n';
    text += FailureText(f, device);
  }
  return text;
}

std::string StatusTip(const LinkStatus& status, const ClockText& clock, const DeviceText& device) {
  const std::string port = PortName(status.port, device);
  const std::string at = clock(status.sinceMs);
  std::string text;
  switch (status.state) {
    case LinkStatus::State::NoPort:
      text = "No port is open: pick one in the Port list.";
      break;
    case LinkStatus::State::Waiting:
      text = "No answer from an ESC on " + port + " since " + at +
             ". Check that the ESC is powered, that its signal and ground wires are connected "
             "and that the adapter is on the ESC's programming connection.";
      break;
    case LinkStatus::State::Connected:
      text = "Connected since " + at + " on " + port + ".";
      break;
    case LinkStatus::State::Unplugged:
      text = "The adapter of " + port + " was unplugged at " + at +
             ". The port opens again by itself when it is back.";
      break;
  }
  if (!status.lastFailures.empty()) {
    text += "\nCould not open " + FailureBalloon(status.lastFailures, device);
  }
  return text;
}

}  // namespace morvane
