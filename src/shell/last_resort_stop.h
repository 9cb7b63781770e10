// SPDX-License-Identifier: GPL-3.0-or-later
// The last-resort stop: when the program must end without its shutdown but can still run
// code, a throttle-0 frame goes straight to the open port first, so a crash or a lost display
// does not leave a motor running. Ends of this kind: exit() from inside the event loop (Qt's
// when the display connection breaks) and the fault signals, those EndingSignals() ends
// with SignalEnd::LastResort.
#pragma once

#include <functional>

namespace morvane {

// The open port's native descriptor, -1 when none. Call it before the port closes.
void SetLastResortPort(int fd);

// Arms the stop while it exists. On exit() the frame goes out when a port is open and
// motorMayRun() says so. On a fatal signal the program's state cannot be trusted: the frame
// goes out whenever a port is open, as a stop is harmless to an idle ESC.
class LastResortStop {
 public:
  explicit LastResortStop(std::function<bool()> motorMayRun);
  ~LastResortStop();
  LastResortStop(const LastResortStop&) = delete;
  LastResortStop& operator=(const LastResortStop&) = delete;

 private:
  std::function<bool()> motorMayRun_;
};

}  // namespace morvane
