// SPDX-License-Identifier: GPL-3.0-or-later
// The port list follows the hardware: the system's word that devices changed, the port table
// and the window's rules for appearing and vanishing ports, put together as the program runs.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/device_watch.h"
#include "ports/port_follower.h"
#include "ports/port_table.h"
#include "shell/system_ports.h"
#include "form/form_mvconfig.h"

namespace morvane {

class HotPlug {
 public:
  // table: the start-up table, made from portList (MORVANE_ESC_PORTS) or from systemPorts;
  // it changes as devices come. Made before the window's start-up scans the ports, so that
  // nothing that comes meanwhile is missed. systemPorts is asked only where needed.
  HotPlug(PortTable& table, const std::optional<std::string>& portList, SystemPortList systemPorts,
          FormMVconfig& form);
  // After the start-up scan, which pumps events: the window hears of devices from now on.
  void start();

  // False where this system gives no word of its devices.
  bool watching() const { return watch_ != nullptr; }
  // Told of each port that comes (true) or goes (false), just before the window is.
  void setOnPortChanged(std::function<void(int n, bool appeared)> handler) {
    *onPortChanged_ = std::move(handler);
  }

 private:
  std::shared_ptr<std::function<void(int n, bool appeared)>> onPortChanged_ =
      std::make_shared<std::function<void(int n, bool appeared)>>();
  std::unique_ptr<DeviceWatch> watch_;
  std::unique_ptr<PortFollower> follower_;
};

}  // namespace morvane
