// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/stop_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#if defined(Q_OS_UNIX)
#include <errno.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace morvane {

#if defined(Q_OS_UNIX)
namespace {

std::vector<EndingSignal> BuildTable() {
  std::vector<EndingSignal> table = {
    // A write to a pipe whose reader went away fails with EPIPE instead.
    {SIGPIPE, SignalEnd::Ignored},
    // A write past the file-size limit fails with EFBIG instead, reported as any failed write.
    {SIGXFSZ, SignalEnd::Ignored},
    {SIGHUP, SignalEnd::CleanStop},
    {SIGINT, SignalEnd::CleanStop},
    {SIGTERM, SignalEnd::CleanStop},
    {SIGUSR1, SignalEnd::CleanStop},
    {SIGUSR2, SignalEnd::CleanStop},
    {SIGALRM, SignalEnd::CleanStop},
    {SIGVTALRM, SignalEnd::CleanStop},
    {SIGPROF, SignalEnd::CleanStop},
    {SIGXCPU, SignalEnd::CleanStop},
#if defined(SIGIO)
    {SIGIO, SignalEnd::CleanStop},
#elif defined(SIGPOLL)
    {SIGPOLL, SignalEnd::CleanStop},
#endif
#if defined(SIGPWR)
    {SIGPWR, SignalEnd::CleanStop},
#endif
#if defined(SIGSTKFLT)
    {SIGSTKFLT, SignalEnd::CleanStop},
#endif
    // Raised by the program's own fault (or sent to look like one): its state cannot be
    // trusted to run a shutdown.
    {SIGSEGV, SignalEnd::LastResort},
    {SIGBUS, SignalEnd::LastResort},
    {SIGFPE, SignalEnd::LastResort},
    {SIGILL, SignalEnd::LastResort},
    {SIGABRT, SignalEnd::LastResort},
    {SIGQUIT, SignalEnd::LastResort},
    {SIGTRAP, SignalEnd::LastResort},
    {SIGSYS, SignalEnd::LastResort},
#if defined(SIGEMT)
    {SIGEMT, SignalEnd::LastResort},
#endif
  };
#if defined(SIGRTMIN)
  // Real-time signals end a process too; nothing here uses them.
  for (int sig = SIGRTMIN; sig <= SIGRTMAX; ++sig) table.push_back({sig, SignalEnd::CleanStop});
#endif
  return table;
}

int g_signalPipe[2] = {-1, -1};

void OnStopSignal(int sig) {
  const int savedErrno = errno;
  // Signal numbers fit a byte. Nothing to do if the pipe is full: a stop is on its way.
  const unsigned char byte = static_cast<unsigned char>(sig);
  [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

const std::vector<EndingSignal>& EndingSignals() {
  static const std::vector<EndingSignal> table = BuildTable();
  return table;
}

void IgnoreFailedWriteSignals() {
  for (const EndingSignal& s : EndingSignals()) {
    if (s.end == SignalEnd::Ignored) ::signal(s.number, SIG_IGN);
  }
}

void OnStopSignals(std::function<void(int)> onStop) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0) {
    return;
  }
  auto* notifier =
      new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onStop = std::move(onStop)] {
    unsigned char received[16];
    ssize_t n;
    while ((n = ::read(g_signalPipe[0], received, sizeof received)) > 0) {
      for (ssize_t i = 0; i < n; ++i) onStop(received[i]);
    }
  });
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const EndingSignal& s : EndingSignals()) {
    if (s.end == SignalEnd::CleanStop) ::sigaction(s.number, &action, nullptr);
  }
}

#else

const std::vector<EndingSignal>& EndingSignals() {
  static const std::vector<EndingSignal> none;
  return none;
}

void IgnoreFailedWriteSignals() {}

void OnStopSignals(std::function<void(int)>) {}

#endif

}  // namespace morvane
