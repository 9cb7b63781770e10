// SPDX-License-Identifier: GPL-3.0-or-later
// What the core costs: per received byte, per poll cycle (ping out, reply in, handled) and
// per handshake. "Core" runs the window's logic on seams that cost next to nothing (a
// port that answers at once, timers that only remember); "VirtualLine" runs it on the
// virtual clock, line and ESC the tests use, so the simulation's own cost is included.
//
//   core_bench [Google Benchmark flags]        time
//   core_bench --count NAME N                  run NAME's operation N times, for callgrind
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "sim/esc_model.h"
#include "supportlog/logging_comm.h"
#include "supportlog/support_log.h"
#include "form/form_mvconfig.h"
#include "sim/virtual_clock.h"
#include "sim/virtual_line.h"

// Every allocation counted, so a benchmark can tell how many an operation makes.
namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
// GCC sees the free() of what the replaced new returned as a mismatch once both are inlined.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace morvane::bench {
namespace {

// A port whose ESC answers a frame the moment it is written; bytes can also be put on it.
class InstantComm : public MSComm {
 public:
  void setCommPort(int n) override { port_ = n; }
  int commPort() const override { return port_; }
  bool setPortOpen(bool open) override {
    open_ = open;
    in_.clear();
    return true;
  }
  bool portOpen() const override { return open_; }
  void setOutBufferCount(int) override {}
  void setInBufferCount(int n) override {
    if (n == 0) in_.clear();
  }
  int inBufferCount() const override { return static_cast<int>(in_.size()); }
  std::uint8_t input() override {
    const std::uint8_t b = in_.front();
    in_.pop_front();
    return b;
  }
  void setOutput(std::span<const std::uint8_t> bytes) override {
    ++frames_;
    if (!answering) return;
    for (std::uint8_t b : bytes) {
      if (auto command = esc.receive(b)) {
        for (std::uint8_t r : esc.answer(*command, 0)) in_.push_back(r);
      }
    }
  }
  void drainOutput(int) override {}
  void setRThreshold(int n) override { threshold_ = n; }
  int rThreshold() const override { return threshold_; }
  int commEvent() const override { return comEvReceive; }

  void put(std::uint8_t b) { in_.push_back(b); }
  // The notification a real port raises when bytes came.
  void notify() { raiseOnComm(); }
  long frames() const { return frames_; }

  sim::EscModel esc;
  bool answering = true;

 private:
  int port_ = 0;
  bool open_ = false;
  int threshold_ = 0;
  long frames_ = 0;
  std::deque<std::uint8_t> in_;
};

class StubTimer : public Timer {
 public:
  void setEnabled(bool on) override { on_ = on; }
  bool enabled() const override { return on_; }
  void setInterval(int ms) override { interval_ = ms; }
  int interval() const override { return interval_; }

 private:
  bool on_ = false;
  int interval_ = 0;
};

class NoPump : public EventPump {
 public:
  void doEvents() override {}
};

// The window on instant seams, driven by hand: a tick of Timer1 sends, OnComm receives.
struct CoreRig {
  InstantComm comm;
  StubTimer timer1;
  StubTimer timer2;
  NoPump pump;
  FormMVconfig form{comm, timer1, timer2, pump, AppVersion{1, 0, 14}};

  CoreRig() { form.Load(); }

  bool connected() const { return form.controls().TxtConnState.text() == "Connected"; }
  bool settled() const {
    for (int v : form.state().deviceValue) {
      if (v < 0) return false;
    }
    return connected() && QueueEmpty(form.state());
  }
  void cycle() {
    form.link().Timer1Tick();
    form.link().OnComm();
  }
  // From a lost ESC: pings, the version, the five reads and the throttle, until idle.
  void handshake() {
    do cycle();
    while (!settled());
  }
  // Three reply timeouts in a row: the ESC is lost.
  void lose() {
    comm.answering = false;
    for (int i = 0; i < 3; ++i) {
      form.link().Timer1Tick();
      form.link().Timer2Tick();
    }
    comm.answering = true;
  }
};

class StepClock : public Clock {
 public:
  std::int64_t elapsedMs() const override { return ms; }
  std::int64_t ms = 0;
};

// The window's motor run on instant seams: a GET_SPEED and its reply each cycle. With `logged`
// the port is tapped by the support log, which then takes two lines a cycle (the frame sent,
// the echo and the reply); without, the same cycle costs what the log does not.
struct MotorRig {
  explicit MotorRig(bool logged) : tap(comm, log), form(logged ? static_cast<MSComm&>(tap) : comm,
                                                        timer1, timer2, pump, AppVersion{1, 0, 14}) {
    if (logged) tap.follow(&form.link());
    form.Load();
    while (!settled()) cycle();
    form.state().motorRunning = true;
    // Past the log's age limit, so lines are dropped as they come, as in a long run.
    for (int i = 0; i < 7000; ++i) cycle();
  }
  bool settled() const {
    return form.controls().TxtConnState.text() == "Connected" && QueueEmpty(form.state());
  }
  void cycle() {
    clock.ms += 100;
    form.link().Timer1Tick();
    comm.notify();
  }

  InstantComm comm;
  StepClock clock;
  SupportLog log{clock};
  LoggingComm tap;
  StubTimer timer1;
  StubTimer timer2;
  NoPump pump;
  FormMVconfig form;
};

// The window on the virtual clock, line and ESC.
struct VirtualRig {
  sim::VirtualClock clock;
  sim::VirtualSerialLine line{clock};
  sim::EscModel esc;
  sim::VirtualTimer timer1{clock, 100};
  sim::VirtualTimer timer2{clock, 300};
  FormMVconfig form{line, timer1, timer2, clock, AppVersion{1, 0, 14}};

  VirtualRig() {
    line.setRecording(false);
    line.attachEsc(1, esc);
    form.Load();
    clock.runFor(sim::Ms(2000));
  }
  // Until the next poll's reply has been handled and Timer1 runs again.
  void cycle() {
    const auto ticks = timer1.ticks();
    clock.runUntilTrue([&] { return timer1.ticks() > ticks && timer1.enabled(); },
                       clock.now() + sim::Ms(1000));
  }
};

// One byte per notification, as a line at 38400 baud delivers a reply: a noise byte
// while a reply is awaited.
void ReceiveByteCore(benchmark::State& state) {
  CoreRig rig;
  rig.comm.answering = false;
  rig.form.link().Timer1Tick();
  for (auto _ : state) {
    rig.comm.put(0x13);
    rig.form.link().OnComm();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReceiveByteCore);

// Many bytes in one notification.
void ReceiveBytesBulkCore(benchmark::State& state) {
  CoreRig rig;
  rig.comm.answering = false;
  rig.form.link().Timer1Tick();
  for (auto _ : state) {
    for (int i = 0; i < 64; ++i) rig.comm.put(0x13);
    rig.form.link().OnComm();
  }
  state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(ReceiveBytesBulkCore);

void PollCycleCore(benchmark::State& state) {
  CoreRig rig;
  rig.handshake();
  for (auto _ : state) rig.cycle();
}
BENCHMARK(PollCycleCore);

void HandshakeCore(benchmark::State& state) {
  CoreRig rig;
  rig.handshake();
  const long frames = rig.comm.frames();
  for (auto _ : state) {
    rig.lose();
    rig.handshake();
  }
  state.counters["frames"] = benchmark::Counter(static_cast<double>(rig.comm.frames() - frames),
                                                benchmark::Counter::kAvgIterations);
}
BENCHMARK(HandshakeCore);

// A motor-run cycle with and without the support log: the difference is what the log's two
// lines cost (instructions by callgrind, allocations counted here).
void MotorCycle(benchmark::State& state, bool logged) {
  MotorRig rig(logged);
  const long before = gAllocations.load();
  for (auto _ : state) rig.cycle();
  state.counters["allocs"] =
      benchmark::Counter(static_cast<double>(gAllocations.load() - before),
                         benchmark::Counter::kAvgIterations);
  state.counters["kept"] = static_cast<double>(rig.log.lines().size());
}
void MotorCycleCore(benchmark::State& state) { MotorCycle(state, false); }
void MotorCycleLogged(benchmark::State& state) { MotorCycle(state, true); }
BENCHMARK(MotorCycleCore);
BENCHMARK(MotorCycleLogged);

void ReceiveByteVirtualLine(benchmark::State& state) {
  VirtualRig rig;
  rig.line.detachEsc(1);
  rig.clock.runFor(sim::Ms(400));  // a ping is out, its reply awaited
  for (auto _ : state) {
    rig.line.inject({0x13});
    rig.clock.runFor(sim::ByteTimes(1));
    if (!rig.timer2.enabled()) state.SkipWithError("not awaiting a reply");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReceiveByteVirtualLine);

void PollCycleVirtualLine(benchmark::State& state) {
  VirtualRig rig;
  for (auto _ : state) rig.cycle();
}
BENCHMARK(PollCycleVirtualLine);

// The same operations for a fixed count, so an instruction counter can divide by it.
int Count(const std::string& name, long n) {
  const std::map<std::string, std::function<void()>> ops = {
      {"byte",
       [n] {
         CoreRig rig;
         rig.comm.answering = false;
         rig.form.link().Timer1Tick();
         for (long i = 0; i < n; ++i) {
           rig.comm.put(0x13);
           rig.form.link().OnComm();
         }
       }},
      {"cycle",
       [n] {
         CoreRig rig;
         rig.handshake();
         for (long i = 0; i < n; ++i) rig.cycle();
       }},
      {"motor",
       [n] {
         MotorRig rig(false);
         for (long i = 0; i < n; ++i) rig.cycle();
       }},
      {"logged",
       [n] {
         MotorRig rig(true);
         for (long i = 0; i < n; ++i) rig.cycle();
       }},
      {"handshake",
       [n] {
         CoreRig rig;
         rig.handshake();
         for (long i = 0; i < n; ++i) {
           rig.lose();
           rig.handshake();
         }
       }},
  };
  auto op = ops.find(name);
  if (op == ops.end()) {
    std::fprintf(stderr, "unknown operation %s (byte, cycle, motor, logged, handshake)\n", name.c_str());
    return 2;
  }
  op->second();
  return 0;
}

}  // namespace
}  // namespace morvane::bench

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--count") == 0) {
    return morvane::bench::Count(argv[2], std::atol(argv[3]));
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
