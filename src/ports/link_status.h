// SPDX-License-Identifier: GPL-3.0-or-later
// What the link is doing, in words for the status tooltip, and why ports failed to open, in
// words for the balloon at the port list. Times are the window's clock; the caller says how
// to show one as a time of day, and what stands behind a port number.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/seams.h"
#include "link/translatable.h"
#include "ports/port_holders.h"

namespace morvane {

struct PortFailure {
  int port = 0;
  OpenFailure failure;
};

struct LinkStatus {
  enum class State { NoPort, Waiting, Connected, Unplugged };
  State state = State::NoPort;
  int port = 0;
  std::int64_t sinceMs = 0;
  // The failures of the last selection whose ports all failed, until a port opens.
  std::vector<PortFailure> lastFailures;
};

using ClockText = std::function<std::string(std::int64_t ms)>;
using DeviceText = std::function<std::string(int port)>;  // "" when nothing is known

// Each in English unless the window passes its language (the context is "LinkStatus"; a
// port in use is told under "PortHolders").
// "permission denied. ..." with the remedy.
std::string FailureReason(const OpenFailure& failure, Retry retry = Retry::PickThePort,
                          const TranslateText& translate = {});
// "COM2 (/dev/ttyUSB1): permission denied. ..." with the remedy.
std::string FailureText(const PortFailure& failure, const DeviceText& device,
                        const TranslateText& translate = {});
// One line per failure, in the order they happened.
std::string FailureBalloon(const std::vector<PortFailure>& failures, const DeviceText& device,
                           const TranslateText& translate = {});
std::string StatusTip(const LinkStatus& status, const ClockText& clock, const DeviceText& device,
                      const TranslateText& translate = {});

}  // namespace morvane
