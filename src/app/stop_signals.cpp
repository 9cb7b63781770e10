// SPDX-License-Identifier: GPL-3.0-or-later
#include "stop_signals.h"

#include <QSocketNotifier>
#include <QWidget>

#if defined(Q_OS_UNIX)
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace morvane {

#if defined(Q_OS_UNIX)
namespace {

int g_signalPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 1;
  // Nothing to do if the pipe is full: a close is already on its way.
  [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

}  // namespace

void CloseOnStopSignals(QWidget& window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0) {
    return;
  }
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    char drain[16];
    while (::read(g_signalPipe[0], drain, sizeof drain) > 0) {
    }
    window.close();
  });
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &action, nullptr);
}

#else

void CloseOnStopSignals(QWidget&) {}

#endif

}  // namespace morvane
