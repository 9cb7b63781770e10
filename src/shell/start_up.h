// SPDX-License-Identifier: GPL-3.0-or-later
// What both programs do first and what guards the motor for their whole run, written once.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shell/last_resort_stop.h"

namespace morvane {

class FormMVconfig;
class SerialComm;

// Before anything is written (a log or standard output may be a pipe whose reader goes) and
// before any file is opened (a closed standard stream would lend the serial port its
// number). Returns a bit (1 << fd) for each standard stream that was closed.
int StartUp();

// The port list set in MORVANE_ESC_PORTS, if any; what is wrong with its entries is told
// through `warn` and the rest is used.
std::optional<std::string> PortListSetting(const std::function<void(const std::string&)>& warn);

// For as long as it lives, the stop frame goes out on a fatal signal or an exit() while the
// form says the motor may run, on whichever port the comm has open then.
class MotorGuard {
 public:
  MotorGuard(SerialComm& comm, const FormMVconfig& form);

 private:
  LastResortStop stop_;
};

}  // namespace morvane
