// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_runner.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <string>

namespace morvane::sim {
namespace {

// A frame arrives in one write; a pause this long means its missing bytes are not coming.
constexpr double kFrameGapMs = 20;

timespec ToTimespec(double ms) {
  const double clamped = std::max(0.0, ms);
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(clamped / 1000);
  ts.tv_nsec = static_cast<long>(std::fmod(clamped, 1000.0) * 1e6);
  return ts;
}

}  // namespace

SimRunner::SimRunner(const SimOptions& options, int fd, FrameLog& log, int standFd)
    : fd_(fd),
      log_(log),
      echo_(options.echo),
      esc_(options.esc),
      faults_(options.faults),
      start_(std::chrono::steady_clock::now()),
      standFd_(standFd) {
  if (standFd_ >= 0 && options.stand) stand_.emplace(*options.stand);
}

double SimRunner::nowMs() const {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
      .count();
}

void SimRunner::run(const sigset_t& waitMask, const volatile std::sig_atomic_t& stop) {
  std::uint8_t buf[256];
  while (stop == 0) {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {standFd_, POLLIN, 0}};
    pollfd& pfd = fds[0];
    timespec timeout{};
    const timespec* wait = nullptr;
    double dueMs = stand_ ? standDueMs_ : -1;
    if (!pending_.empty()) dueMs = dueMs < 0 ? pending_.front().dueMs
                                             : std::min(dueMs, pending_.front().dueMs);
    if (dueMs >= 0) {
      timeout = ToTimespec(dueMs - nowMs());
      wait = &timeout;
    }
    const int ready = ::ppoll(fds, stand_ ? 2 : 1, wait, &waitMask);
    if (ready < 0) continue;  // EINTR: a signal; the loop test decides
    if (stand_ && (fds[1].revents & POLLIN) != 0) {
      // A stand only talks. Whatever reaches it is a fault of the program on the far end.
      const ssize_t n = ::read(standFd_, buf, sizeof buf);
      if (n > 0) log_.note("thrust stand received " + std::to_string(n) + " bytes");
    }
    if ((pfd.revents & POLLIN) != 0) {
      const ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n > 0) received(buf, static_cast<std::size_t>(n));
    } else if ((pfd.revents & (POLLHUP | POLLERR)) != 0) {
      // The slave is held open here, so this should not happen; never spin on it.
      const timespec pause = ToTimespec(10);
      ::nanosleep(&pause, nullptr);
    }
    sendDue();
    sendStandDue();
  }
}

void SimRunner::sendStandDue() {
  if (!stand_ || nowMs() < standDueMs_) return;
  const double now = nowMs();
  const std::string text = stand_->next(now, esc_.erps(now));
  // Unread lines pile up in the terminal until it is full; then they are lost, as on a wire.
  if (!text.empty()) {
    const ssize_t n = ::write(standFd_, text.data(), text.size());
    static_cast<void>(n);
  }
  // Late wake-ups do not bunch the lines: the next one is a period after this one.
  standDueMs_ = now + stand_->periodMs();
}

void SimRunner::received(const std::uint8_t* bytes, std::size_t n) {
  const double now = nowMs();
  if (now - lastByteMs_ > kFrameGapMs) esc_.resetReceiver();
  lastByteMs_ = now;
  if (echo_) write({bytes, bytes + n});
  for (std::size_t i = 0; i < n; ++i) {
    auto command = esc_.receive(bytes[i]);
    if (!command) continue;
    log_.frame(*command);
    const std::vector<std::uint8_t> reply = esc_.answer(*command, now);
    const std::vector<ReplyChunk> chunks = faults_.shape(reply);
    if (reply.empty()) {
      log_.note("no reply: unknown command");
    } else if (chunks.empty()) {
      log_.note(faults_.options().silent ? "no reply: silent" : "no reply: dropped");
    }
    double due = std::max(now, lineFreeMs_);
    for (const ReplyChunk& chunk : chunks) {
      due += chunk.delayMs;
      pending_.push_back({due, chunk.bytes});
    }
    lineFreeMs_ = due;
  }
}

void SimRunner::sendDue() {
  while (!pending_.empty() && pending_.front().dueMs <= nowMs()) {
    log_.reply(pending_.front().bytes);
    write(pending_.front().bytes);
    pending_.pop_front();
  }
}

void SimRunner::write(const std::vector<std::uint8_t>& bytes) {
  // With nobody reading the line its buffer can fill; what does not fit is lost, as on a wire.
  const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
  if (n < static_cast<ssize_t>(bytes.size())) log_.note("line full: bytes lost");
}

}  // namespace morvane::sim
