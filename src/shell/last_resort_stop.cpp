// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/last_resort_stop.h"

#include <QtGlobal>
#include <atomic>
#include <cstdlib>

#include "link/commands.h"
#include "shell/stop_signals.h"

#if defined(Q_OS_UNIX)
#include <errno.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>
#endif

namespace morvane {
namespace {

// Read by signal handlers, so it must never take a lock.
std::atomic<int> g_port{-1};
static_assert(std::atomic<int>::is_always_lock_free);

// Ordinary context only: the exit() path on the thread that called it.
const std::function<bool()>* g_motorMayRun = nullptr;

#if defined(Q_OS_UNIX)

constexpr long kDrainNs = 50'000'000;
// By signal number, so that the handler finds its own without a search.
struct sigaction g_previous[NSIG];

long NsSince(const timespec& start) {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return (now.tv_sec - start.tv_sec) * 1'000'000'000L + (now.tv_nsec - start.tv_nsec);
}

void Nap() {
  const timespec ms{0, 1'000'000};
  ::nanosleep(&ms, nullptr);
}

// Async-signal-safe throughout: write, ioctl, clock_gettime and nanosleep only. The port is
// non-blocking, so a full queue is waited out within the same bound as the drain.
void WriteStopFrame(int fd) {
  const int savedErrno = errno;
  timespec start{};
  ::clock_gettime(CLOCK_MONOTONIC, &start);
  std::size_t sent = 0;
  while (sent < kStopFrame.size() && NsSince(start) < kDrainNs) {
    const ssize_t n = ::write(fd, kStopFrame.data() + sent, kStopFrame.size() - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
      break;
    } else {
      Nap();
    }
  }
  int queued = 0;
  while (sent > 0 && NsSince(start) < kDrainNs && ::ioctl(fd, TIOCOUTQ, &queued) == 0 &&
         queued > 0) {
    Nap();
  }
  errno = savedErrno;
}

void OnFatalSignal(int sig) {
  // Once only, even if the stop itself faults.
  const int fd = g_port.exchange(-1);
  if (fd >= 0) WriteStopFrame(fd);
  struct sigaction previous = g_previous[sig];
  // Ignored since the start (a background job's SIGQUIT), it would leave the program going on
  // with its motor stopped behind its back and the last resort spent: it ends as by default.
  if ((previous.sa_flags & SA_SIGINFO) == 0 && previous.sa_handler == SIG_IGN) {
    previous.sa_handler = SIG_DFL;
  }
  ::sigaction(sig, &previous, nullptr);
  // Delivered as the handler returns, to the action that was there before ours.
  ::raise(sig);
}

// A stack overflow can only be handled on a stack of its own.
void EnsureSignalStack() {
  static char stack[64 * 1024];
  stack_t current{};
  if (::sigaltstack(nullptr, &current) != 0 || (current.ss_flags & SS_DISABLE) == 0) return;
  stack_t ours{};
  ours.ss_sp = stack;
  ours.ss_size = sizeof stack;
  ::sigaltstack(&ours, nullptr);
}

void OnExit() {
  const int fd = g_port.load();
  if (fd < 0 || g_motorMayRun == nullptr || !(*g_motorMayRun)()) return;
  WriteStopFrame(fd);
}

#endif

}  // namespace

void SetLastResortPort(int fd) {
  g_port.store(fd);
}

LastResortStop::LastResortStop(std::function<bool()> motorMayRun)
    : motorMayRun_(std::move(motorMayRun)) {
  g_motorMayRun = &motorMayRun_;
#if defined(Q_OS_UNIX)
  static const bool exitHooked = std::atexit(OnExit) == 0;
  Q_UNUSED(exitHooked);
  EnsureSignalStack();
  struct sigaction action {};
  action.sa_handler = OnFatalSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_ONSTACK;
  for (const EndingSignal& s : EndingSignals()) {
    if (s.end == SignalEnd::LastResort) ::sigaction(s.number, &action, &g_previous[s.number]);
  }
#endif
}

LastResortStop::~LastResortStop() {
  g_motorMayRun = nullptr;
#if defined(Q_OS_UNIX)
  for (const EndingSignal& s : EndingSignals()) {
    if (s.end == SignalEnd::LastResort) ::sigaction(s.number, &g_previous[s.number], nullptr);
  }
#endif
}

}  // namespace morvane
