// SPDX-License-Identifier: GPL-3.0-or-later
#include "stop_requests.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#if defined(Q_OS_UNIX)
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace morvane::cli {

#if defined(Q_OS_UNIX)
namespace {

int g_pipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  // A full pipe already holds a request.
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

void OnStopRequests(std::function<void()> stop) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) return;
  auto* notifier =
      new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [stop = std::move(stop)] {
    char drain[16];
    while (::read(g_pipe[0], drain, sizeof drain) > 0) {
    }
    stop();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &action, nullptr);
  // A reader that went away (`| head`) makes a write fail rather than end the program before
  // its shutdown.
  ::signal(SIGPIPE, SIG_IGN);
}

#else

void OnStopRequests(std::function<void()>) {}

#endif

}  // namespace morvane::cli
