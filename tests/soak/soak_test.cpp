// SPDX-License-Identifier: GPL-3.0-or-later
// Days of use squeezed into seconds on the virtual clock: a flaky line, an ESC that loses
// replies, and a user who keeps changing settings and the throttle.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <set>

#include "bench.h"
#include "protocol/process_reply.h"

// Live heap blocks and bytes of the whole test program, to see whether memory grows.
namespace {
std::atomic<long> gLiveBlocks{0};
std::atomic<long> gLiveBytes{0};

long BlockSize(void* p) {
#if defined(_WIN32)
  return static_cast<long>(_msize(p));
#else
  return static_cast<long>(malloc_usable_size(p));
#endif
}
}  // namespace

void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  void* p = std::malloc(n == 0 ? 1 : n);
  if (p == nullptr) return nullptr;
  ++gLiveBlocks;
  gLiveBytes += BlockSize(p);
  return p;
}
void* operator new(std::size_t n) {
  void* p = operator new(n, std::nothrow);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  --gLiveBlocks;
  gLiveBytes -= BlockSize(p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}
// Every form that frees what the forms above allocate, so no runtime's own pairs with ours.
void operator delete(void* p, const std::nothrow_t&) noexcept {
  operator delete(p);
}

namespace morvane::test {
namespace {

constexpr Ticks kHour = Ms(3600 * 1000);

// A user at the bench: settings on the Config tab, the throttle on the Run tab.
struct User {
  Bench& b;
  std::mt19937& rng;
  std::array<int, kSettingCount> choice{kSettingDefault};
  std::set<int> throttles{0};  // every throttle the slider showed after an action of ours

  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

  void act() {
    Controls& c = b.c();
    const int what = pick(100);
    if (what < 40) {
      c.TabStrip1.clickTab(1);
      const int i = pick(kSettingCount);
      // Now and then the arrow keys run through the list: picks a few ms apart, some of
      // them while the previous pick is being written.
      const int picks = pick(4) == 0 ? 2 + pick(3) : 1;
      for (int k = 0; k < picks; ++k) {
        if (k > 0) b.clock.runFor(Ms(pick(40)));
        choice[i] = pick(c.setting(i).listCount());
        c.setting(i).setListIndex(choice[i]);
      }
    } else if (what < 45) {
      c.TabStrip1.clickTab(1);
      c.CmdReset.click();
      choice = kSettingDefault;
    } else if (what < 85) {
      c.TabStrip1.clickTab(2);
      c.SldPower.setValue(pick(c.SldPower.max() + 1));
    } else if (what < 90) {
      c.VSlPole.setValue(2 * (1 + pick(12)));
    } else {
      c.TabStrip1.clickTab(1);
    }
    throttles.insert(c.SldPower.value());
  }
};

// What must hold at any moment, whatever the line does.
void ExpectSane(Bench& b, const User& user) {
  const AppState& s = b.s();
  ASSERT_EQ(s.queue.size(), 20u);
  ASSERT_LE(PendingCount(s), 19);
  ASSERT_LT(s.missCount, 3);
  ASSERT_LE(b.form.link().parser().replyCount, 5);
  for (int i = 0; i < kSettingCount; ++i) {
    ASSERT_GE(s.deviceValue[i], -1);
    ASSERT_LE(s.deviceValue[i], 254);
  }
  ASSERT_TRUE(user.throttles.count(b.esc.throttle())) << "the ESC runs at " << b.esc.throttle();
  if (b.conn() != "Connected") {
    ASSERT_FALSE(b.c().SldPower.enabled());
    ASSERT_EQ(b.c().SldPower.value(), 0);
  }
  // Nothing piles up: a handful of timers and bytes in flight, no traffic log.
  ASSERT_LE(b.clock.pendingEvents(), 32u);
  ASSERT_TRUE(b.line.writes().empty());
  ASSERT_LE(b.line.inBufferCount(), 16);
}

struct Shape {
  double latencyMs = 1.0;
  int noise = 0;
  int split = 0;
  double gapMs = 0;
  int trail = 0;
};

// A reply as a flaky line delivers it: late, after noise, in two pieces, with stray
// bytes behind it.
std::vector<sim::ReplyChunk> Deliver(const std::vector<std::uint8_t>& reply, const Shape& sh,
                                     std::mt19937& rng) {
  sim::ReplyChunk first{sh.latencyMs, {}};
  for (int i = 0; i < sh.noise; ++i) first.bytes.push_back(sim::NoiseByte(rng));
  const auto cut =
      reply.begin() + std::min<long>(sh.split > 0 ? sh.split : 99, static_cast<long>(reply.size()));
  first.bytes.insert(first.bytes.end(), reply.begin(), cut);
  std::vector<sim::ReplyChunk> out{first};
  if (cut != reply.end()) out.push_back({sh.gapMs, {cut, reply.end()}});
  if (sh.trail > 0) {
    sim::ReplyChunk tail{0.0, {}};
    for (int i = 0; i < sh.trail; ++i) tail.bytes.push_back(static_cast<std::uint8_t>(rng()));
    out.push_back(tail);
  }
  return out;
}

Shape RandomShape(std::mt19937& rng, std::size_t replyLength) {
  auto chance = [&](double p) { return std::bernoulli_distribution(p)(rng); };
  Shape sh;
  sh.latencyMs = std::uniform_real_distribution<double>(0.2, 30.0)(rng);
  if (chance(0.2)) sh.noise = std::uniform_int_distribution<int>(1, 4)(rng);
  if (replyLength > 1 && chance(0.2)) {
    sh.split = std::uniform_int_distribution<int>(1, static_cast<int>(replyLength) - 1)(rng);
    sh.gapMs = std::uniform_real_distribution<double>(0.0, 200.0)(rng);
  }
  if (chance(0.1)) sh.trail = std::uniform_int_distribution<int>(1, 3)(rng);
  return sh;
}

// Live heap after warming up, and the most seen since.
struct HeapWatch {
  long base = 0;
  long peak = 0;
  void start() { base = peak = gLiveBytes.load(); }
  void sample() { peak = std::max(peak, gLiveBytes.load()); }
};

// The soaks run a full day of virtual time; one action of the user every 30 s on average.
template <typename Each>
void RunDay(Bench& b, User& user, std::mt19937& rng, Ticks length, Each each) {
  std::exponential_distribution<double> gap(1.0 / 30000.0);
  const Ticks end = b.clock.now() + length;
  while (b.clock.now() < end) {
    b.clock.runUntil(std::min(end, b.clock.now() + Ms(1 + static_cast<std::int64_t>(gap(rng)))));
    user.act();
    each();
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(Soak, ADayOfFaultsNeverLosesTheEscAndEndsWithTheUsersChoices) {
  Bench b;
  std::mt19937 rng(20261207);
  User user{b, rng};
  b.line.setRecording(false);
  b.line.attachEsc(1, b.esc);

  int losses = 0;
  b.c().TxtConnState.changed.connect([&] { losses += b.conn() == "Unconnected"; });

  bool faults = true;
  int droppedInARow = 0;
  long replies = 0, dropped = 0, echoSwitches = 0, foreignThrottles = 0;
  b.line.setShaper([&](const std::vector<std::uint8_t>& reply) -> std::vector<sim::ReplyChunk> {
    ++replies;
    // The ESC has just taken a command: it may only ever run at a throttle the user set.
    foreignThrottles += user.throttles.count(b.esc.throttle()) == 0;
    if (!faults) return {{1.0, reply}};
    // The line changes only between exchanges, when no echo is under way.
    if (std::bernoulli_distribution(0.01)(rng)) {
      b.line.setEcho(!(echoSwitches++ % 2));
    }
    if (droppedInARow < 2 && std::bernoulli_distribution(0.08)(rng)) {
      ++droppedInARow;
      ++dropped;
      return {};
    }
    droppedInARow = 0;
    return Deliver(reply, RandomShape(rng, reply.size()), rng);
  });

  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  losses = 0;

  HeapWatch heap;
  const auto each = [&] {
    ExpectSane(b, user);
    heap.sample();
    // This ESC takes every value: nothing the link does may undo a pick of the user.
    for (int i = 0; i < kSettingCount; ++i) ASSERT_EQ(b.c().setting(i).listIndex(), user.choice[i]);
  };
  RunDay(b, user, rng, kHour, each);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  heap.start();
  RunDay(b, user, rng, 23 * kHour, each);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());

  faults = false;
  b.clock.runFor(Ms(60000));
  ExpectSane(b, user);
  EXPECT_EQ(b.esc.throttle(), b.c().SldPower.value());
  // Settings are written between polls of a standing motor: the user ends on the Config tab.
  b.c().TabStrip1.clickTab(1);
  b.clock.runFor(Ms(10000));

  EXPECT_EQ(losses, 0);
  EXPECT_EQ(foreignThrottles, 0);
  EXPECT_EQ(b.conn(), "Connected");
  EXPECT_GT(replies, 24 * 3600 * 5) << "a day of polls, at least one reply every 200 ms";
  EXPECT_GT(dropped, replies / 20) << "the faults did happen";
  EXPECT_GT(echoSwitches, 10);
  for (int i = 0; i < kSettingCount; ++i) {
    EXPECT_EQ(b.c().setting(i).listIndex(), user.choice[i]) << "setting " << i;
    EXPECT_EQ(b.esc.setting(kSettings[static_cast<std::size_t>(i)].paramId), user.choice[i] + 1) << "setting " << i;
  }
  EXPECT_EQ(b.esc.throttle(), 0);
  EXPECT_LE(heap.peak - heap.base, 4096) << "live heap grew from " << heap.base;
  EXPECT_LE(gLiveBytes.load() - heap.base, 4096);
}

TEST(Soak, BurstsOfMissingRepliesLoseTheEscAndItIsAlwaysFoundAgain) {
  Bench b;
  std::mt19937 rng(7);
  User user{b, rng};
  b.line.setRecording(false);
  b.line.attachEsc(1, b.esc);

  int losses = 0, finds = 0;
  b.c().TxtConnState.changed.connect([&] {
    if (b.conn() == "Unconnected") ++losses;
    if (b.conn() == "Connected") ++finds;
  });

  int burstLeft = 0;
  b.line.setShaper([&](const std::vector<std::uint8_t>& reply) -> std::vector<sim::ReplyChunk> {
    if (burstLeft > 0) {
      --burstLeft;
      return {};
    }
    return Deliver(reply, RandomShape(rng, reply.size()), rng);
  });

  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  losses = finds = 0;

  int bursts = 0;
  HeapWatch heap;
  std::uniform_int_distribution<int> length(3, 12);
  std::uniform_int_distribution<int> every(1, 600);  // seconds to the next burst
  Ticks nextBurst = b.clock.now() + Ms(1000LL * every(rng));
  const auto each = [&] {
    ExpectSane(b, user);
    heap.sample();
    if (b.clock.now() < nextBurst) return;
    ++bursts;
    burstLeft = length(rng);
    ASSERT_TRUE(b.runUntil([&] { return losses == bursts; }, Ms(5000)))
        << "burst " << bursts << " did not end the connection";
    // It still hears us: the loss stops its motor within a few byte times.
    ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 0; }, Ms(3)))
        << "the motor still runs at " << b.esc.throttle() << " after losing it in burst " << bursts;
    ASSERT_TRUE(b.runUntil([&] { return burstLeft == 0; }, Ms(10000)));
    // The next ping is answered: identified, the five settings read, the motor at rest.
    ASSERT_TRUE(b.connectAndRead()) << "the ESC was not found again after burst " << bursts;
    ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 0; }, Ms(1000)))
        << "the motor still runs at " << b.esc.throttle() << " after burst " << bursts;
    EXPECT_EQ(finds, bursts);
    nextBurst = b.clock.now() + Ms(1000LL * every(rng));
  };
  RunDay(b, user, rng, kHour, each);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  heap.start();
  RunDay(b, user, rng, 23 * kHour, each);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());

  EXPECT_GT(bursts, 200);
  EXPECT_EQ(losses, bursts) << "a connection was lost outside a burst";
  EXPECT_EQ(finds, bursts);
  EXPECT_LE(heap.peak - heap.base, 4096) << "live heap grew from " << heap.base;
}

}  // namespace
}  // namespace morvane::test
