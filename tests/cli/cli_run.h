// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc run by a test as a user runs it: its status and both outputs, never on the
// machine's own ports unless a test names them.
#pragma once

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"

namespace morvane::e2e {

struct Outcome {
  std::optional<int> status;
  std::string out;
  std::string err;
};

inline std::string CliProgram() {
  return MORVANE_ESC;
}

inline Outcome RunCli(const std::vector<std::string>& args, const EnvChanges& env = {}) {
  EnvChanges all = {{"MORVANE_ESC_PORTS", std::nullopt}};
  for (const auto& [name, value] : env) all[name] = value;
  ChildProcess cli(CliProgram(), args, all);
  const std::optional<int> status = cli.wait(30000);
  return {status, cli.standardOutput(), cli.errorOutput()};
}

// The program behind a shell that redirects its standard output: ">&-" closes it.
inline Outcome RunCliRedirected(const std::vector<std::string>& args, const std::string& redirect,
                                const EnvChanges& env = {}) {
  std::vector<std::string> shell = {"-c", "exec \"$0\" \"$@\" " + redirect, CliProgram()};
  shell.insert(shell.end(), args.begin(), args.end());
  EnvChanges all = {{"MORVANE_ESC_PORTS", std::nullopt}};
  for (const auto& [name, value] : env) all[name] = value;
  ChildProcess cli("/bin/sh", shell, all);
  const std::optional<int> status = cli.wait(30000);
  return {status, cli.standardOutput(), cli.errorOutput()};
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

}  // namespace morvane::e2e
