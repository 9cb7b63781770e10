// SPDX-License-Identifier: GPL-3.0-or-later
// The window program as main() puts it together, in the test's own process: the real serial
// port, timers, event loop and window (offscreen), shown and started.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "form/form_mvconfig.h"
#include "link/link.h"
#include "ports/port_table.h"
#include "shell/hot_plug.h"
#include "shell/qt_timer.h"
#include "shell/serial_comm.h"
#include "shell/system_ports.h"
#include "view/form_view.h"

namespace morvane::e2e {

class Shell {
 public:
  // COM1 on `device`, and nothing watched.
  explicit Shell(const std::string& device)
      : Shell(PortTable({{device, "simulated ESC"}}), std::nullopt) {}

  // The ports a MORVANE_ESC_PORTS of `list` names, followed as they come and go.
  struct Watched {
    std::string list;
  };
  explicit Shell(const Watched& watched)
      : Shell(BuildPortTable(watched.list, {}, Platform::Linux,
                             [](const std::string& p) { return DescribeDevice(p, {}); }),
              watched.list) {}

  ~Shell() { view.close(); }
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  Controls& controls() { return form.controls(); }
  bool connected() { return controls().TxtConnState.text() == "Connected"; }

 private:
  Shell(PortTable ports, const std::optional<std::string>& watchedList)
      : table(std::move(ports)),
        comm(table),
        timer1(kIdlePollMs),
        timer2(kReplyTimeoutMs),
        form(comm, timer1, timer2, pump,
             {MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR, MORVANE_VERSION_PATCH}),
        view(form) {
    // The watch comes before the start-up scan, as in main(), so that nothing is missed.
    if (watchedList) hotPlug.emplace(table, *watchedList, SystemPortList(), form);
    form.Load();
    if (hotPlug) hotPlug->start();
    view.show();
  }

 public:
  PortTable table;
  SerialComm comm;
  QtTimer timer1;
  QtTimer timer2;
  QtEventPump pump;
  FormMVconfig form;
  std::optional<HotPlug> hotPlug;  // with a watched list only
  FormView view;
};

}  // namespace morvane::e2e
