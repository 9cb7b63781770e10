// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_session.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace morvane::e2e {

std::string SimProgram() {
  return MORVANE_ESC_SIM;
}
std::string ConfigProgram() {
  return MORVANE_ESC_CONFIG;
}

SimSession::SimSession(const std::vector<std::string>& options) {
  if (temp_.path().empty()) return;
  dir_ = temp_.path();
  link_ = dir_ + "/esc";
  start(options);
}

SimSession::SimSession(const std::vector<std::string>& options, const std::string& link) {
  if (temp_.path().empty()) return;
  dir_ = temp_.path();
  link_ = link;
  start(options);
}

void SimSession::start(const std::vector<std::string>& options) {
  log_ = dir_ + "/traffic.log";
  std::vector<std::string> args = {"--link", link_, "--log", log_};
  args.insert(args.end(), options.begin(), options.end());
  process_ = std::make_unique<ChildProcess>(SimProgram(), args);
  if (auto line = process_->firstLine(5000)) device_ = *line;
}

SimSession::~SimSession() {
  process_.reset();
}

namespace {

// "12:34:56.789 frame 41 53 02 00  (read param 0)" or "12:34:56.790 reply 59 01"
std::vector<std::string> LogEntries(const std::string& log, const std::string& kind) {
  std::vector<std::string> entries;
  std::ifstream in(log);
  std::string line;
  const std::string marker = " " + kind + " ";
  while (std::getline(in, line)) {
    const std::size_t at = line.find(marker);
    if (at == std::string::npos) continue;
    const std::size_t start = at + marker.size();
    const std::size_t end = line.find("  (", start);
    entries.push_back(line.substr(start, end == std::string::npos ? end : end - start));
  }
  return entries;
}

}  // namespace

std::vector<std::string> SimSession::frames() const {
  return LogEntries(log_, "frame");
}

std::vector<std::string> SimSession::replies() const {
  return LogEntries(log_, "reply");
}

std::vector<std::string> SimSession::framesStartingWith(const std::string& prefix) const {
  std::vector<std::string> matching;
  for (const std::string& f : frames()) {
    if (f.rfind(prefix, 0) == 0) matching.push_back(f);
  }
  return matching;
}

}  // namespace morvane::e2e
