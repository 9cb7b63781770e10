// SPDX-License-Identifier: GPL-3.0-or-later
// Every catchable signal whose default action ends a process, restated from the system's list
// rather than taken from the program's table, with how it must end a program holding a port.
#pragma once

#include <signal.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace morvane::e2e {

enum class SignalOutcome {
  GoesOn,         // ignored: the program carries on as if nothing came
  Closes,         // the ordinary shutdown: throttle 0, the port closed, the program ends
  StopsThenDies,  // the stop frame from the handler, then the signal's own end
};

struct SignalCase {
  std::string name;
  int number;
  SignalOutcome outcome;
};

inline std::vector<SignalCase> SignalCases() {
  return {
      {"SIGPIPE", SIGPIPE, SignalOutcome::GoesOn},
      {"SIGXFSZ", SIGXFSZ, SignalOutcome::GoesOn},
      {"SIGHUP", SIGHUP, SignalOutcome::Closes},
      {"SIGINT", SIGINT, SignalOutcome::Closes},
      {"SIGTERM", SIGTERM, SignalOutcome::Closes},
      {"SIGUSR1", SIGUSR1, SignalOutcome::Closes},
      {"SIGUSR2", SIGUSR2, SignalOutcome::Closes},
      {"SIGALRM", SIGALRM, SignalOutcome::Closes},
      {"SIGVTALRM", SIGVTALRM, SignalOutcome::Closes},
      {"SIGPROF", SIGPROF, SignalOutcome::Closes},
      {"SIGXCPU", SIGXCPU, SignalOutcome::Closes},
      {"SIGIO", SIGIO, SignalOutcome::Closes},
      {"SIGPWR", SIGPWR, SignalOutcome::Closes},
      {"SIGSTKFLT", SIGSTKFLT, SignalOutcome::Closes},
      {"SIGRTMIN", SIGRTMIN, SignalOutcome::Closes},
      {"SIGRTMAX", SIGRTMAX, SignalOutcome::Closes},
      {"SIGSEGV", SIGSEGV, SignalOutcome::StopsThenDies},
      {"SIGBUS", SIGBUS, SignalOutcome::StopsThenDies},
      {"SIGFPE", SIGFPE, SignalOutcome::StopsThenDies},
      {"SIGILL", SIGILL, SignalOutcome::StopsThenDies},
      {"SIGABRT", SIGABRT, SignalOutcome::StopsThenDies},
      {"SIGQUIT", SIGQUIT, SignalOutcome::StopsThenDies},
      {"SIGTRAP", SIGTRAP, SignalOutcome::StopsThenDies},
      {"SIGSYS", SIGSYS, SignalOutcome::StopsThenDies},
  };
}

// GoogleTest names each case by its signal.
inline std::ostream& operator<<(std::ostream& out, const SignalCase& c) {
  return out << c.name;
}

// Under AddressSanitizer its own handlers would take a sent SIGSEGV, SIGBUS or SIGFPE for a
// fault of the program and end it otherwise than the signal's default.
inline std::string SanitizerOptionsForSignals() {
  const char* options = std::getenv("ASAN_OPTIONS");
  return std::string(options == nullptr ? "" : options) +
         ":handle_segv=0:handle_sigbus=0:handle_sigfpe=0";
}

}  // namespace morvane::e2e
