// SPDX-License-Identifier: GPL-3.0-or-later
// The window's logic on the ports a command may try, with the real serial port and timers:
// what every subcommand that talks to an ESC runs its flow on.
#pragma once

#include "cli/cli_flow.h"
#include "link/link.h"
#include "ports/port_table.h"
#include "shell/qt_timer.h"
#include "console/reasoned_serial_comm.h"
#include "form/form_mvconfig.h"

namespace morvane::cli {

struct FlowSeams {
  // The form sees only the ports in `table`: its start-up opens each of them, no other.
  explicit FlowSeams(const PortTable& table) : comm(table) {}

  ReasonedSerialComm comm;
  QtTimer timer1{kIdlePollMs};
  QtTimer timer2{kReplyTimeoutMs};
  QtTimer tick{CliFlow::kTickMs};
  QtTimer soon{0};
  QtEventPump pump;
  FormMVconfig form{comm, timer1, timer2, pump,
                    AppVersion{MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR,
                               MORVANE_VERSION_PATCH}};
};

}  // namespace morvane::cli
