// SPDX-License-Identifier: GPL-3.0-or-later
// Long, harsh sessions on the virtual clock, written down byte by byte: every frame sent,
// every byte received, every port operation and every change of a control, each at its
// virtual time. The transcripts kept beside this file are what the program did when they
// were recorded; a change that moves code must leave them identical to the byte and the
// tick. MORVANE_GOLDEN_WRITE=DIR writes the transcripts there instead of comparing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench.h"
#include "cli/cli_flow.h"
#include "motortest/motor_test.h"

namespace morvane::test {
namespace {

std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string text;
  char buf[4];
  for (const std::uint8_t b : bytes) {
    std::snprintf(buf, sizeof buf, "%s%02x", text.empty() ? "" : " ", b);
    text += buf;
  }
  return text;
}

class Transcript {
 public:
  explicit Transcript(const sim::VirtualClock& clock) : clock_(clock) {}
  void add(const std::string& what) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%10.3f ", clock_.nowMs());
    text_ += stamp + what + "\n";
  }
  const std::string& text() const { return text_; }

 private:
  const sim::VirtualClock& clock_;
  std::string text_;
};

// Between the logic and the virtual line: passes everything on and writes it down.
class RecordingComm : public MSComm {
 public:
  RecordingComm(MSComm& inner, Transcript& out) : inner_(inner), out_(out) {
    inner_.setOnComm([this] {
      out_.add("comm " + std::to_string(inner_.inBufferCount()) + " waiting");
      raiseOnComm();
    });
    inner_.setOnPortFailed([this] {
      out_.add("port failed");
      raisePortFailed();
    });
  }
  void setCommPort(int n) override {
    inner_.setCommPort(n);
    out_.add("port number " + std::to_string(n) + " -> " + std::to_string(inner_.commPort()));
  }
  int commPort() const override { return inner_.commPort(); }
  bool setPortOpen(bool open) override {
    const bool ok = inner_.setPortOpen(open);
    out_.add(std::string(open ? "open " : "close ") + std::to_string(inner_.commPort()) +
             (ok ? " ok" : " failed"));
    return ok;
  }
  bool portOpen() const override { return inner_.portOpen(); }
  OpenFailure openFailure() const override { return inner_.openFailure(); }
  void setOutBufferCount(int n) override {
    out_.add("clear output");
    inner_.setOutBufferCount(n);
  }
  void setInBufferCount(int n) override {
    out_.add("clear input");
    inner_.setInBufferCount(n);
  }
  int inBufferCount() const override { return inner_.inBufferCount(); }
  std::uint8_t input() override {
    const std::uint8_t b = inner_.input();
    out_.add("in " + Hex({&b, 1}));
    return b;
  }
  void setOutput(std::span<const std::uint8_t> bytes) override {
    out_.add("out " + Hex(bytes));
    inner_.setOutput(bytes);
  }
  void drainOutput(int timeoutMs) override {
    out_.add("drain " + std::to_string(timeoutMs));
    inner_.drainOutput(timeoutMs);
  }
  void setRThreshold(int n) override {
    if (n != inner_.rThreshold()) out_.add("threshold " + std::to_string(n));
    inner_.setRThreshold(n);
  }
  int rThreshold() const override { return inner_.rThreshold(); }
  int commEvent() const override { return inner_.commEvent(); }

 private:
  MSComm& inner_;
  Transcript& out_;
};

// The window's logic on the recording port, with every control's changes written down.
struct GoldenBench {
  sim::VirtualClock clock;
  sim::VirtualSerialLine line{clock};
  Transcript out{clock};
  RecordingComm comm{line, out};
  sim::VirtualTimer timer1{clock, 1};
  sim::VirtualTimer timer2{clock, 1};
  FormMVconfig form{comm, timer1, timer2, clock, AppVersion{1, 0, 14}};
  std::vector<Observers::Subscription> watching;

  GoldenBench() {
    form.setClock(clock);
    Controls& c = form.controls();
    for (TextControl* t : {&c.caption, &c.TxtConnState, &c.TxtHardVer, &c.TxtFirmVer,
                           &c.TxtPole, &c.TxtRev, &c.LbPower}) {
      watch(*t, [t] { return t->text(); });
    }
    for (ComboBox* box : {&c.CombPort, &c.CombCutOffV, &c.CombBrake, &c.CombTiming,
                          &c.CombCutOffT, &c.CombDir}) {
      watch(*box, [box] {
        std::string entries;
        for (const ComboBox::Entry& e : box->entries()) {
          entries += (entries.empty() ? "" : "|") + e.text + "=" + std::to_string(e.itemData);
        }
        return std::to_string(box->listIndex()) + " of [" + entries + "]";
      });
    }
    for (RangeControl* r : {&c.VSlPole, &c.SldPower}) {
      watch(*r, [r] { return std::to_string(r->value()); });
    }
    for (Control* f : {&c.FrameConnect, &c.FrameConfig, &c.FrameRun}) {
      watch(*f, [] { return std::string(); });
    }
    watch(c.TabStrip1, [&c] { return std::to_string(c.TabStrip1.selectedItem()); });
  }

  template <typename Describe>
  void watch(Control& control, Describe describe) {
    watching.push_back(control.changed.subscribe([this, &control, describe] {
      out.add(control.name() + " " + describe() + (control.enabled() ? "" : " disabled") +
              (control.visible() ? "" : " hidden"));
    }));
  }
  void note(const std::string& what) { out.add("-- " + what); }
  void run(int ms) { clock.runFor(Ms(ms)); }
  Controls& c() { return form.controls(); }
  // Page Up on the slider, as a user raises the throttle.
  void pageUp(int times, int gapMs) {
    for (int i = 0; i < times; ++i) {
      c().SldPower.setValue(c().SldPower.value() + c().SldPower.largeChange());
      run(gapMs);
    }
  }
};

// Echo and noise on the line; the five settings read; picks, a restore, a loss and a return.
void HandshakeWritesAndLosses(GoldenBench& b) {
  sim::EscModel esc({9503, 1234, {2, 1, 2, 2, 1}});
  b.line.setEcho(true);
  b.line.setFaults({.latencyMs = 1.5, .noiseBytes = 2, .splitAfter = 1, .splitGapMs = 3});
  b.line.attachEsc(1, esc);
  b.line.inject({0x00, 0x59, 0x13});
  b.form.Load();
  b.run(2000);
  b.note("user picks 7.2V and Enable");
  b.c().CombCutOffV.setListIndex(3);
  b.run(150);
  b.c().CombBrake.setListIndex(1);
  b.run(1500);
  b.note("restore default");
  b.c().CmdReset.click();
  b.run(1500);
  b.note("the ESC changes a setting by itself");
  esc.setSetting(PARAM_TIMING, 3);
  b.run(1000);
  b.note("silent: lost after three misses");
  b.line.setFaults({.latencyMs = 1.5, .silent = true});
  b.run(3000);
  b.note("answers again, every third reply dropped");
  b.line.setFaults({.latencyMs = 2, .noiseBytes = 1, .dropEvery = 3, .seed = 7});
  b.run(4000);
  b.form.Unload();
  b.run(100);
}

// The Run tab: the throttle raised, speed polls, the poles changed, Escape, a loss with the
// motor running.
void MotorRunAndStop(GoldenBench& b) {
  sim::EscModel esc;
  b.line.attachEsc(1, esc);
  b.form.Load();
  b.run(1500);
  b.c().TabStrip1.clickTab(2);
  b.pageUp(8, 120);
  b.run(1000);
  b.c().VSlPole.setValue(14);
  b.run(800);
  b.note("Escape");
  b.form.OnStopKey();
  b.run(800);
  b.pageUp(6, 50);
  b.run(600);
  b.note("the ESC goes silent with the motor running");
  b.line.detachEsc(1);
  b.run(1500);
  b.line.attachEsc(1, esc);
  b.run(1500);
  b.c().TabStrip1.clickTab(1);
  b.run(500);
  b.note("closing with the throttle up");
  b.c().TabStrip1.clickTab(2);
  b.pageUp(3, 100);
  b.form.Unload();
  b.run(100);
}

// Several ports: one refuses, one has nothing behind it; the user picks another; an adapter
// pulled out and plugged in again; new devices appear and vanish.
void PortsFailoverAndHotPlug(GoldenBench& b) {
  sim::EscModel esc;
  sim::EscModel other({10503, 1100, {1, 2, 1, 1, 2}});
  b.line.refuseOpen(1, {OpenFailure::Kind::InUse, "another program"});
  b.line.addPort(2);
  b.line.attachEsc(3, esc);
  b.form.Load();
  b.run(1500);
  b.note("user picks COM3");
  for (int i = 0; i < b.c().CombPort.listCount(); ++i) {
    if (b.c().CombPort.itemData(i) == 3) b.c().CombPort.setListIndex(i);
  }
  b.run(1500);
  b.note("COM5 appears");
  b.line.attachEsc(5, other);
  b.form.PortAppeared(5);
  b.run(500);
  b.note("the open adapter is pulled out");
  b.line.unplug();
  b.form.PortVanished(3);
  b.run(1000);
  b.note("and comes back");
  b.line.attachEsc(3, esc);
  b.form.PortAppeared(3);
  b.run(1500);
  b.note("user picks COM5");
  for (int i = 0; i < b.c().CombPort.listCount(); ++i) {
    if (b.c().CombPort.itemData(i) == 5) b.c().CombPort.setListIndex(i);
  }
  b.run(1500);
  b.line.removePort(2);
  b.form.PortVanished(2);
  b.run(300);
  b.form.Unload();
  b.run(100);
}

// A stepped sweep from 40 to 100 and a recording, ended early by Escape in a second sweep.
void SweepAndRecording(GoldenBench& b) {
  sim::EscModel esc;
  b.line.attachEsc(1, esc);
  b.form.Load();
  MotorTest test(b.form, b.clock);
  b.run(1500);
  b.c().TabStrip1.clickTab(2);
  int rows = 0;
  test.startRecording([&](const std::string& line) {
    if (++rows % 10 == 1) b.out.add("recorded " + line);
  });
  SweepPlan plan;
  plan.from = 40;
  plan.to = 100;
  plan.step = 20;
  plan.settleMs = 500;
  plan.samples = 4;
  plan.maximum = 120;
  b.note("sweep: " + test.sweep().start(plan));
  b.run(10000);
  for (const SweepRow& row : test.sweep().rows()) {
    b.note("row " + std::to_string(row.throttle) + " " + std::to_string(row.rpmMean) + " " +
           std::to_string(row.samples));
  }
  b.note("second sweep, stopped by Escape");
  b.note("sweep: " + test.sweep().start(plan));
  b.run(1200);
  b.form.OnStopKey();
  b.run(600);
  b.note("status: " + test.sweep().status());
  test.stopRecording();
  b.form.Unload();
  b.run(100);
}

struct BatchHost : cli::FlowHost {
  Transcript& out;
  explicit BatchHost(Transcript& o) : out(o) {}
  void print(const std::string& line) override { out.add("print " + line); }
  void report(const std::string& line) override { out.add("report " + line); }
  void printDocument(const SettingsDocument&) override { out.add("document"); }
  std::string saveDocument(const SettingsDocument&) override { return {}; }
  std::string openFailure(int) override { return "refused"; }
  void finished(int status) override { out.add("finished " + std::to_string(status)); }
};

// morvane-esc load --each: three ESCs one after another, one that refuses a write.
void CommandLineBatch(GoldenBench& b) {
  sim::EscModel first;
  sim::EscModel second({10503, 1100, {2, 2, 2, 2, 1}});
  sim::EscModel third({8503, 1000, {1, 1, 1, 1, 1}});
  sim::VirtualTimer tick{b.clock, 1};
  sim::VirtualTimer soon{b.clock, 1};
  BatchHost host(b.out);
  cli::CliRequest request;
  request.command = cli::Command::Load;
  request.file = "quad.json";
  request.each = true;
  request.targets = {3, kNotGiven, 1, 2, 1};
  b.line.attachEsc(1, first);
  cli::CliFlow flow(b.form, tick, soon, host, request, {"/dev/esc"});
  flow.start();
  b.run(3000);
  b.line.unplug();
  b.run(800);
  b.line.attachEsc(1, second);
  b.run(3000);
  b.line.detachEsc(1);
  b.run(1500);
  b.line.attachEsc(1, third);
  b.line.setShaper([](const std::vector<std::uint8_t>& reply) {
    std::vector<std::uint8_t> kept = reply;
    if (kept.size() == 2) kept[1] = 1;  // every write answered with the first entry
    return std::vector<sim::ReplyChunk>{{1.0, kept}};
  });
  b.run(3000);
  flow.interrupt();
  b.run(200);
}

struct Scenario {
  const char* name;
  std::function<void(GoldenBench&)> run;
};

const Scenario kScenarios[] = {
    {"handshake_writes_losses", HandshakeWritesAndLosses},
    {"motor_run_stop", MotorRunAndStop},
    {"ports_failover_hot_plug", PortsFailoverAndHotPlug},
    {"sweep_recording", SweepAndRecording},
    {"command_line_batch", CommandLineBatch},
};

class Golden : public testing::TestWithParam<Scenario> {};

TEST_P(Golden, TheSessionIsTheRecordedOneToTheByteAndTheTick) {
  GoldenBench bench;
  GetParam().run(bench);
  const std::string name = std::string(GetParam().name) + ".txt";
  if (const char* dir = std::getenv("MORVANE_GOLDEN_WRITE")) {
    std::ofstream(std::string(dir) + "/" + name, std::ios::binary) << bench.out.text();
    GTEST_SKIP() << "written to " << dir;
  }
  std::ifstream file(std::string(MORVANE_GOLDEN_DIR) + "/" + name, std::ios::binary);
  ASSERT_TRUE(file) << name << " is missing";
  std::stringstream recorded;
  recorded << file.rdbuf();
  const std::string expected = recorded.str();
  const std::string& actual = bench.out.text();
  if (actual == expected) return;
  // The first line that differs says more than two long texts.
  std::istringstream a(actual), e(expected);
  std::string la, le;
  int n = 0;
  while (true) {
    ++n;
    const bool ga = static_cast<bool>(std::getline(a, la));
    const bool ge = static_cast<bool>(std::getline(e, le));
    if (!ga && !ge) break;
    if (ga != ge || la != le) {
      FAIL() << name << " line " << n << ":\n  recorded: " << (ge ? le : "(end)")
             << "\n  now:      " << (ga ? la : "(end)");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sessions, Golden, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace morvane::test
