// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/start_up.h"

#include <cstdlib>

#include "ports/port_table.h"
#include "shell/serial_comm.h"
#include "shell/standard_streams.h"
#include "shell/stop_signals.h"
#include "form/form_mvconfig.h"

namespace morvane {

int StartUp() {
  IgnoreFailedWriteSignals();
  return GuardStandardStreams();
}

std::optional<std::string> PortListSetting(const std::function<void(const std::string&)>& warn) {
  const char* value = std::getenv("MORVANE_ESC_PORTS");
  if (value == nullptr) return std::nullopt;
  if (const std::string warning = ParsePortList(value).warning; !warning.empty()) warn(warning);
  return std::string(value);
}

MotorGuard::MotorGuard(SerialComm& comm, const FormMVconfig& form)
    : stop_([&form] { return form.motorMayRun(); }) {
  comm.setOnDescriptorChanged(SetLastResortPort);
}

}  // namespace morvane
