// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc-sim: a simulated ESC on a pseudo-terminal, for running the configuration
// tool and its end-to-end tests without hardware.
#include <signal.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "frame_log.h"
#include "pseudo_terminal.h"
#include "sim_options.h"
#include "sim_runner.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnStopSignal(int) {
  g_stop = 1;
}

int Fail(const std::string& message, int status) {
  std::fprintf(stderr, "morvane-esc-sim: %s\n", message.c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace morvane::sim;

  const ParseResult parsed = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.options) return Fail(parsed.error, 2);
  const SimOptions& options = *parsed.options;
  if (options.help) {
    std::fputs(SimUsage().c_str(), stdout);
    return 0;
  }

  // Stop signals stay blocked except inside the wait, so none slips past the loop test.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stopSignals, sig);
  sigset_t waitMask;
  sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
  struct sigaction stop {};
  stop.sa_handler = OnStopSignal;
  sigemptyset(&stop.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &stop, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  PseudoTerminal pty;
  if (std::string error = pty.open(); !error.empty()) return Fail(error, 1);
  // The link first: a refused one leaves an old log as it was.
  DeviceLink link;
  if (!options.linkPath.empty()) {
    if (std::string error = link.make(options.linkPath, pty.devicePath()); !error.empty()) {
      return Fail(error, 1);
    }
  }
  PseudoTerminal standPty;
  DeviceLink standLink;
  if (options.stand) {
    if (std::string error = standPty.open(); !error.empty()) return Fail(error, 1);
    if (!options.standLinkPath.empty()) {
      if (std::string error = standLink.make(options.standLinkPath, standPty.devicePath());
          !error.empty()) {
        return Fail(error, 1);
      }
    }
  }
  FrameLog log([](const std::string& error) { Fail(error, 1); });
  if (!options.logPath.empty()) {
    if (std::string error = log.open(options.logPath); !error.empty()) return Fail(error, 1);
  }

  // The device path comes first on stdout; whoever started us waits for it.
  std::printf("%s\n", pty.devicePath().c_str());
  if (options.stand) std::printf("%s\n", standPty.devicePath().c_str());
  std::fflush(stdout);
  std::fprintf(stderr, "morvane-esc-sim: ESC on %s%s; stop with Ctrl+C\n", pty.devicePath().c_str(),
               options.linkPath.empty() ? "" : (" (link " + options.linkPath + ")").c_str());
  if (options.stand) {
    std::fprintf(stderr, "morvane-esc-sim: thrust stand on %s%s\n", standPty.devicePath().c_str(),
                 options.standLinkPath.empty()
                     ? ""
                     : (" (link " + options.standLinkPath + ")").c_str());
  }

  SimRunner runner(options, pty.masterFd(), log, options.stand ? standPty.masterFd() : -1);
  runner.run(waitMask, g_stop);
  return log.close() ? 0 : 1;
}
