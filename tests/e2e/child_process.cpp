// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace morvane::e2e {
namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const EnvChanges& envChanges) {
  int out[2];
  int err[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return;
  if (::pipe2(err, O_CLOEXEC) != 0) {
    ::close(out[0]);
    ::close(out[1]);
    return;
  }
  std::vector<std::string> argStrings = {program};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStrings;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (envChanges.count(entry.substr(0, entry.find('='))) == 0) envStrings.push_back(entry);
  }
  for (const auto& [name, value] : envChanges) {
    if (value) envStrings.push_back(name + "=" + *value);
  }
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  // fork rather than posix_spawn: the child must die with this process, even when a
  // timeout kills the test before any destructor runs.
  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    // Tests crash programs on purpose; they leave no core files behind.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    ::execve(program.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  out_ = out[0];
  err_ = err[0];
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !reaped_) {
    ::kill(pid_, SIGTERM);
    if (!wait(2000) && !reaped_) {
      ::kill(pid_, SIGKILL);
      wait(2000);
    }
  }
  if (out_ >= 0) ::close(out_);
  if (err_ >= 0) ::close(err_);
}

void ChildProcess::collect(int fd, std::string& into, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    pollfd pfd{fd, POLLIN, 0};
    if (::poll(&pfd, 1, MsLeft(deadline)) <= 0) return;
    char buf[512];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) return;
    into.append(buf, static_cast<std::size_t>(n));
    if (timeoutMs == 0 || into.find('\n') != std::string::npos) return;
  }
}

std::optional<std::string> ChildProcess::firstLine(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (outText_.find('\n') == std::string::npos && MsLeft(deadline) > 0) {
    const std::size_t before = outText_.size();
    collect(out_, outText_, MsLeft(deadline));
    if (outText_.size() == before) break;  // end of output or out of time
  }
  const std::size_t end = outText_.find('\n');
  if (end == std::string::npos) return std::nullopt;
  return outText_.substr(0, end);
}

std::optional<int> ChildProcess::wait(int timeoutMs) {
  if (pid_ <= 0) return std::nullopt;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!reaped_) {
    const pid_t r = ::waitpid(pid_, &status_, WNOHANG);
    if (r == pid_) {
      reaped_ = true;
      break;
    }
    if (r < 0 || MsLeft(deadline) == 0) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!WIFEXITED(status_)) return std::nullopt;
  return WEXITSTATUS(status_);
}

void ChildProcess::signal(int sig) {
  if (pid_ > 0 && !reaped_) ::kill(pid_, sig);
}

int ChildProcess::endingSignal() const {
  return reaped_ && WIFSIGNALED(status_) ? WTERMSIG(status_) : 0;
}

std::string ChildProcess::errorOutput() {
  std::string more;
  do {
    more.clear();
    collect(err_, more, 0);
    errText_ += more;
  } while (!more.empty());
  return errText_;
}

std::string ChildProcess::standardOutput() {
  std::string more;
  do {
    more.clear();
    collect(out_, more, 0);
    outText_ += more;
  } while (!more.empty());
  return outText_;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace morvane::e2e
