// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc's flows on the virtual bench: a host that keeps what the flow prints, saves and
// ends with, and the flow on the bench's line.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench.h"
#include "cli/cli_flow.h"

namespace morvane::test {

using cli::CliRequest;

struct FakeHost : cli::FlowHost {
  std::vector<std::string> out;
  std::vector<std::string> err;
  std::optional<int> status;
  std::optional<SettingsDocument> printed;
  std::optional<SettingsDocument> saved;
  std::string saveError;
  std::map<int, std::string> failures;

  void print(const std::string& line) override { out.push_back(line); }
  void report(const std::string& line) override { err.push_back(line); }
  void printDocument(const SettingsDocument& doc) override { printed = doc; }
  std::string saveDocument(const SettingsDocument& doc) override {
    saved = doc;
    return saveError;
  }
  std::string openFailure(int port) override { return failures[port]; }
  void finished(int s) override { status = s; }
  std::vector<std::string> rows;
  std::string recordRow(const std::string& line) override {
    rows.push_back(line);
    return {};
  }
  std::string utcNow() override { return "2026-05-01T10:00:00Z"; }
};

inline CliRequest Request(const std::vector<std::string>& args) {
  const cli::ParsedArguments parsed = cli::ParseCliArguments(args);
  EXPECT_TRUE(parsed.request) << parsed.message;
  return parsed.request.value_or(CliRequest{});
}

struct CliBench : Bench {
  sim::VirtualTimer tick{clock, 1};
  sim::VirtualTimer soon{clock, 1};
  FakeHost host;
  std::unique_ptr<cli::CliFlow> flow;

  // The flow on COM1..COMports of the line.
  void start(const CliRequest& request, int ports = 1) {
    std::vector<std::string> names;
    for (int n = 1; n <= ports; ++n) names.push_back("/dev/esc" + std::to_string(n));
    flow = std::make_unique<cli::CliFlow>(form, tick, soon, host, request, names);
    flow->start();
  }
  bool finished(Ticks limit = Ms(20000)) {
    return runUntil([&] { return host.status.has_value(); }, limit);
  }
  bool printed(const std::string& line, Ticks limit = Ms(20000)) {
    return runUntil(
        [&] { return std::find(host.out.begin(), host.out.end(), line) != host.out.end(); }, limit);
  }
  std::vector<Bytes> frames(std::uint8_t code) const {
    std::vector<Bytes> out;
    for (const auto& w : line.writes()) {
      if (w.bytes.size() > 2 && w.bytes[2] == code) out.push_back(w.bytes);
    }
    return out;
  }
  // From now on the ESC answers every write with the value it held before.
  void refuseWrites() {
    line.setShaper([](const std::vector<std::uint8_t>& reply) {
      std::vector<std::uint8_t> kept = reply;
      if (kept.size() == 2) kept[1] = 1;
      return std::vector<sim::ReplyChunk>{{1.0, kept}};
    });
  }
};

}  // namespace morvane::test
