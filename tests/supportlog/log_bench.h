// SPDX-License-Identifier: GPL-3.0-or-later
// A bench whose port is tapped by the support log: the window's logic, the virtual line and
// ESC, the log's ring and the form's log on them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench.h"
#include "supportlog/form_log.h"
#include "supportlog/logging_comm.h"
#include "supportlog/support_log.h"

namespace morvane::test {

struct LogBench : SimulatedLink {
  SupportLog log{clock};
  LoggingComm comm{line, log, [](int n) { return n == 1 ? std::string("/dev/esc") : ""; }};
  FormMVconfig form{comm, timer1, timer2, clock, AppVersion{1, 0, 14}};
  std::optional<FormLog> formLog;

  LogBench() { form.setClock(clock); }

  Controls& c() { return form.controls(); }
  bool connect() {
    line.addPort(1);
    line.attachEsc(1, esc);
    load();
    return runUntil([&] { return c().TxtConnState.text() == "Connected" && readDone(); },
                    Ms(2000)) &&
           runUntil([&] { return QueueEmpty(form.state()); }, Ms(2000));
  }
  // As the program does: the start-up defaults are no pick of the user's.
  void load() {
    form.Load();
    formLog.emplace(form, comm, log);
  }
  bool readDone() {
    for (int i = 0; i < kSettingCount; ++i)
      if (form.state().deviceValue[i] == -1) return false;
    return true;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const LogLine& l : log.lines()) out.push_back(l.text());
    return out;
  }
};

// Every expected line, in this order, among the log's lines; a line may go on after what is
// expected ("(in 2 pieces)").
inline ::testing::AssertionResult InOrder(const std::vector<std::string>& lines,
                                          const std::vector<std::string>& expected) {
  std::size_t at = 0;
  for (const std::string& want : expected) {
    while (at < lines.size() && !lines[at].starts_with(want)) ++at;
    if (at == lines.size()) {
      std::string all;
      for (const std::string& l : lines) all += "\n  " + l;
      return ::testing::AssertionFailure() << "no \"" << want << "\" in order in:" << all;
    }
    ++at;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace morvane::test
