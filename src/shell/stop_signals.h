// SPDX-License-Identifier: GPL-3.0-or-later
// The signals whose default action would end the program, and how each ends it here instead:
// none of them may end it while a motor may run without the stop frame first.
#pragma once

#include <functional>
#include <vector>

namespace morvane {

enum class SignalEnd {
  Ignored,     // a failed write says it better: the program goes on
  CleanStop,   // asked from outside: the ordinary shutdown on the event loop, throttle 0 first
  LastResort,  // a fault: the stop frame from the handler, then the default action
};

struct EndingSignal {
  int number;
  SignalEnd end;
};

// Every catchable signal whose default action ends a process, once each. Empty where there
// are no such signals.
const std::vector<EndingSignal>& EndingSignals();

// Call once, after start-up: from then on each CleanStop signal calls onStop with its number,
// on the event loop. The Ignored ones are ignored from IgnoreFailedWriteSignals on.
void OnStopSignals(std::function<void(int signal)> onStop);

// Call first thing: a reader that went away or a file-size limit makes a write fail, which
// the writer reports, rather than end the program.
void IgnoreFailedWriteSignals();

}  // namespace morvane
