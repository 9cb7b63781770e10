// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real window logic on the virtual clock, line and ESC with whatever the input
// says: bytes on the line, replies lost, late, split, noisy or replaced, timers firing
// early, and a user picking, sliding, clicking and pulling adapters. After every step the
// state must still make sense; anything else aborts with a message.
#include <bitset>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "sim/esc_model.h"
#include "fuzz_ops.h"
#include "protocol/process_reply.h"
#include "form/form_mvconfig.h"
#include "sim/virtual_clock.h"
#include "sim/virtual_line.h"

namespace morvane::fuzz {
namespace {

using sim::ByteTimes;
using sim::Ms;

[[noreturn]] void Fail(const char* what, const char* where, sim::Ticks now,
                       const std::string& detail) {
  std::fprintf(stderr, "invariant broken after %s at tick %lld: %s [%s]\n", where,
               static_cast<long long>(now), what, detail.c_str());
  std::abort();
}

// The detail is built only when the check fails.
#define FUZZ_CHECK(cond, detail)                                         \
  do {                                                                   \
    if (!(cond)) Fail(#cond, where_, clock_.now(), std::string(detail)); \
  } while (0)

bool IsDecimal(std::string_view t) {
  if (t.empty() || t.size() > 9) return false;
  if (t.size() > 1 && t[0] == '0') return false;
  for (char ch : t) {
    if (ch < '0' || ch > '9') return false;
  }
  return true;
}

// "w.ddd" with a whole part of up to digitsBefore digits; returns thousandths or -1.
long Thousandths(std::string_view t, std::size_t digitsBefore) {
  const auto dot = t.find('.');
  if (dot == std::string_view::npos || dot == 0 || dot > digitsBefore || t.size() != dot + 4) {
    return -1;
  }
  const std::string_view whole = t.substr(0, dot);
  const std::string_view frac = t.substr(dot + 1);
  if (!IsDecimal(whole)) return -1;
  for (char ch : frac) {
    if (ch < '0' || ch > '9') return -1;
  }
  return std::stol(std::string(whole)) * 1000 + std::stol(std::string(frac));
}

bool IsModelText(std::string_view t) {
  static constexpr std::string_view kModels[] = {"MORVANE QR-5A V",  "MORVANE QR-10A V",
                                                 "MORVANE QR-18A V", "MORVANE QR-25A V",
                                                 "MORVANE QR-35A V", "MORVANE QR-50A V"};
  for (std::string_view m : kModels) {
    if (t.substr(0, m.size()) != m) continue;
    const long rev = Thousandths(t.substr(m.size()), 1);
    return rev >= 1000 && rev <= 1499;
  }
  return false;
}

bool IsFirmwareText(std::string_view t) {
  return t.size() > 1 && t[0] == 'V' && Thousandths(t.substr(1), 2) >= 0;
}

struct PlannedReply {
  std::uint8_t mode = kPass;
  std::uint8_t a = 0;
  std::uint8_t b = 0;
  std::vector<std::uint8_t> bytes;
};

class Session {
 public:
  Session(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  void run() {
    if (size_ < kHeaderBytes) return;
    const std::uint8_t wiring = next();
    const std::uint16_t hardware = static_cast<std::uint16_t>(next() | next() << 8);
    const std::uint16_t firmware = static_cast<std::uint16_t>(next() | next() << 8);
    esc_ =
        std::make_unique<sim::EscModel>(sim::EscConfig{hardware, firmware, sim::kFactorySettings});
    for (int n = 1; n <= kFuzzPorts; ++n) {
      if (wiring & 1 << (n - 1)) line_.addPort(n);
    }
    escPort_ = (wiring >> 4 & 3) + 1;
    if (wiring & 1 << (escPort_ - 1)) line_.attachEsc(escPort_, *esc_);
    line_.setEcho(wiring & 0x40);
    line_.setShaper([this](const std::vector<std::uint8_t>& reply) { return shape(reply); });

    Controls& c = form_.controls();
    c.SldPower.changed.connect(
        [this, &c] { sliderValues_.set(static_cast<std::size_t>(c.SldPower.value())); });
    sliderValues_.set(0);

    form_.Load();
    check("load");
    while (pos_ < size_ && clock_.now() < kTimeLimit) {
      step();
      check("step");
    }
    form_.Unload();
    check("unload");
  }

 private:
  static constexpr sim::Ticks kTimeLimit = Ms(10000);

  std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::vector<std::uint8_t> nextBytes(std::size_t n) {
    std::vector<std::uint8_t> out;
    while (n-- > 0 && pos_ < size_) out.push_back(data_[pos_++]);
    return out;
  }

  void step() {
    Controls& c = form_.controls();
    const std::uint8_t op = next() % kOpCount;
    switch (op) {
      case kRunMs:
        clock_.runFor(Ms(next()));
        break;
      case kRunLong:
        clock_.runFor(Ms((next() + 1) * 20));
        break;
      case kRunBytes:
        clock_.runFor(ByteTimes(next()));
        break;
      case kInject:
        line_.inject(nextBytes(next() % 16 + 1));
        break;
      case kPlanReply:
        plan();
        break;
      case kPickSetting: {
        const int box = next() % kSettingCount;
        c.setting(box).setListIndex(next() - 2);
        break;
      }
      case kMoveThrottle:
        c.SldPower.setValue(next() - 28);
        break;
      case kMovePole:
        c.VSlPole.setValue(next() % 30 - 2);
        break;
      case kClickTab:
        c.TabStrip1.clickTab(next() % 4);
        break;
      case kPickPort:
        c.CombPort.setListIndex(next() % 6 - 1);
        break;
      case kRestore:
        c.CmdReset.click();
        break;
      case kUnplug:
        line_.unplug();
        break;
      case kRewire:
        rewire(next());
        break;
      case kEcho:
        line_.setEcho(next() & 1);
        break;
      case kEarly:
        early(next() % 3);
        break;
      case kEscSetting: {
        const int id = next() % static_cast<int>(sim::kParamCount);
        esc_->setSetting(id, next());
        break;
      }
      case kStopKey:
        form_.OnStopKey();
        break;
      case kHotPlug: {
        const std::uint8_t what = next();
        const int n = (what & 7) + 1;
        if (what & 0x80) {
          line_.removePort(n);
          form_.PortVanished(n);
        } else {
          if (n == escPort_) {
            line_.attachEsc(n, *esc_);
          } else {
            line_.addPort(n);
          }
          form_.PortAppeared(n);
        }
        break;
      }
      default:
        break;
    }
  }

  void plan() {
    PlannedReply p;
    p.mode = next() % kModeCount;
    switch (p.mode) {
      case kPass:
        p.a = next();
        break;
      case kSplit:
        p.a = next();
        p.b = next();
        break;
      case kNoise:
      case kTrail:
        p.bytes = nextBytes(next() % 16 + 1);
        break;
      case kReplace:
        p.bytes = nextBytes(next() % 8);
        break;
      case kCorrupt:
        p.a = next();
        p.b = next();
        break;
      default:
        break;
    }
    if (plans_.size() < 64) plans_.push_back(std::move(p));
  }

  std::vector<sim::ReplyChunk> shape(const std::vector<std::uint8_t>& reply) {
    if (plans_.empty()) return {{1.0, reply}};
    PlannedReply p = std::move(plans_.front());
    plans_.pop_front();
    switch (p.mode) {
      case kPass:
        return {{p.a * 2.0, reply}};
      case kDrop:
        return {};
      case kSplit: {
        const std::size_t at = reply.empty() ? 0 : p.a % reply.size();
        return {{1.0, {reply.begin(), reply.begin() + static_cast<long>(at)}},
                {p.b * 2.0, {reply.begin() + static_cast<long>(at), reply.end()}}};
      }
      case kNoise: {
        std::vector<std::uint8_t> bytes = p.bytes;
        bytes.insert(bytes.end(), reply.begin(), reply.end());
        return {{1.0, bytes}};
      }
      case kReplace:
        return {{1.0, p.bytes}};
      case kCorrupt: {
        std::vector<std::uint8_t> bytes = reply;
        if (!bytes.empty()) bytes[p.a % bytes.size()] ^= p.b;
        return {{1.0, bytes}};
      }
      case kTrail:
        return {{1.0, reply}, {0.0, p.bytes}};
      default:
        return {{1.0, reply}};
    }
  }

  void rewire(std::uint8_t what) {
    const int n = (what >> 3) % kFuzzPorts + 1;
    switch (what % 8) {
      case 0:
        line_.addPort(n);
        break;
      case 1:
        line_.removePort(n);
        break;
      case 2:
        line_.detachEsc(escPort_);
        escPort_ = n;
        line_.attachEsc(n, *esc_);
        break;
      case 3:
        line_.detachEsc(escPort_);
        break;
      case 4:
      case 5:
        esc_->setHardware(static_cast<std::uint16_t>(next() | next() << 8));
        break;
      default:
        esc_->setHardware(9503);
        break;
    }
  }

  void early(int which) {
    Link& link = form_.link();
    if (which == 0 && timer1_.enabled()) link.Timer1Tick();
    if (which == 1 && timer2_.enabled()) link.Timer2Tick();
    if (which == 2) link.OnComm();
  }

  void check(const char* where) {
    const AppState& s = form_.state();
    Controls& c = form_.controls();
    where_ = where;

    FUZZ_CHECK(s.queue.size() == static_cast<std::size_t>(kQueueSlots), "");
    FUZZ_CHECK(s.sendIndex >= 0 && s.sendIndex < kQueueSlots, "");
    FUZZ_CHECK(s.addIndex >= 0 && s.addIndex < kQueueSlots, "");
    FUZZ_CHECK(PendingCount(s) <= kMaxPending, "");
    for (int i = s.sendIndex; i != s.addIndex; i = NextSlot(i)) {
      const CommandSlot& slot = s.queue[static_cast<std::size_t>(i)];
      FUZZ_CHECK(slot.tx[0] <= CMD_GET_SPEED, "");
      FUZZ_CHECK(slot.txLength >= 1 && slot.txLength <= 6, "");
      FUZZ_CHECK(slot.replyLength >= 1 && slot.replyLength <= 5, "");
    }
    const ReplyParser& p = form_.link().parser();
    FUZZ_CHECK(p.replyCount >= 0 && p.replyCount <= 5, "");
    FUZZ_CHECK(!p.busy, "");
    FUZZ_CHECK(s.missCount >= 0 && s.missCount < 3, "");

    for (int i = 0; i < kSettingCount; ++i) {
      FUZZ_CHECK(s.deviceValue[i] >= -1 && s.deviceValue[i] <= 254, "setting " + std::to_string(i));
      FUZZ_CHECK(s.wantedValue[i] == c.setting(i).listIndex(), "");
      FUZZ_CHECK(s.wantedValue[i] >= 0 && s.wantedValue[i] < c.setting(i).listCount(), "");
    }
    FUZZ_CHECK(
        s.lastThrottle >= kThrottleUnknown && s.lastThrottle <= c.SldPower.max(), "");
    FUZZ_CHECK(s.speedSamplePos >= 0 && s.speedSamplePos < kSpeedRing, "");
    for (std::size_t i = kSpeedRing; i < s.speedSamples.size(); ++i)
      FUZZ_CHECK(s.speedSamples[i] == 0, "");

    const std::string& conn = c.TxtConnState.text();
    const std::string& hard = c.TxtHardVer.text();
    const std::string& firm = c.TxtFirmVer.text();
    FUZZ_CHECK(conn == "Unconnected" || conn == "Connected", conn);
    FUZZ_CHECK(hard == "Unknown" || IsModelText(hard), hard);
    FUZZ_CHECK(firm == "Unknown" || IsFirmwareText(firm), firm);
    // Only an identified model connects, and losing it forgets the texts.
    FUZZ_CHECK((conn == "Connected") == IsModelText(hard), conn + " " + hard);
    FUZZ_CHECK((conn == "Connected") == (firm != "Unknown"), conn + " " + firm);
    FUZZ_CHECK(IsDecimal(c.TxtRev.text()) && std::stol(c.TxtRev.text()) <= 398671, c.TxtRev.text());

    const int throttle = c.SldPower.value();
    // No throttle without an identified ESC.
    FUZZ_CHECK(c.SldPower.enabled() == (conn == "Connected"), conn);
    if (conn != "Connected") FUZZ_CHECK(throttle == 0, std::to_string(throttle));
    FUZZ_CHECK(c.LbPower.text() == std::to_string(throttle), "");
    FUZZ_CHECK(s.prevSliderValue == throttle, "");
    if (throttle > 25) FUZZ_CHECK(s.motorRunning, "");
    if (throttle < 20) FUZZ_CHECK(!s.motorRunning, "");
    FUZZ_CHECK(c.TxtPole.text() == std::to_string(c.VSlPole.value()), "");

    // The list is in number order, each number once, and shows the open port as chosen.
    const ComboBox& ports = c.CombPort;
    for (int i = 1; i < ports.listCount(); ++i) {
      FUZZ_CHECK(ports.itemData(i - 1) < ports.itemData(i), "");
    }
    if (line_.portOpen()) {
      FUZZ_CHECK(ports.listIndex() >= 0 && ports.itemData(ports.listIndex()) == s.openPort, "");
    }

    // An open port is always either waiting to send or awaiting a reply; a closed one is quiet.
    if (line_.portOpen()) {
      FUZZ_CHECK(timer1_.enabled() != timer2_.enabled(), "");
    } else {
      FUZZ_CHECK(!timer1_.enabled() && !timer2_.enabled(), "");
    }
    FUZZ_CHECK(clock_.pendingEvents() < 4096, "");

    for (const auto& w : line_.writes()) checkFrame(w.bytes);
    line_.clearWrites();
    FUZZ_CHECK(sliderValues_.test(static_cast<std::size_t>(esc_->throttle())),
               "esc throttle " + std::to_string(esc_->throttle()));
  }

  // Every frame we write is well formed and carries only values the user could choose.
  void checkFrame(const std::vector<std::uint8_t>& f) {
    FUZZ_CHECK(f.size() >= 3 && f[0] == 0x41 && f[1] == 0x53, "");
    const int length = sim::CommandLength(f[2]);
    FUZZ_CHECK(length > 0 && f.size() == static_cast<std::size_t>(2 + length), "");
    Controls& c = form_.controls();
    if (f[2] == CMD_READ_PARAM || f[2] == CMD_WRITE_PARAM) {
      const int i = SettingIndexOfParam(f[3]);
      FUZZ_CHECK(i >= 0, "");
      if (f[2] == CMD_WRITE_PARAM) {
        FUZZ_CHECK(f[4] >= 1 && f[4] <= c.setting(i).listCount(), "");
      }
    }
    if (f[2] == CMD_SET_THROTTLE) {
      FUZZ_CHECK(f[3] <= c.SldPower.max() && sliderValues_.test(f[3]),
                 "throttle " + std::to_string(f[3]));
    }
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;

  sim::VirtualClock clock_;
  sim::VirtualSerialLine line_{clock_};
  std::unique_ptr<sim::EscModel> esc_;
  sim::VirtualTimer timer1_{clock_, 100};
  sim::VirtualTimer timer2_{clock_, 300};
  FormMVconfig form_{line_, timer1_, timer2_, clock_, AppVersion{1, 0, 14}};
  int escPort_ = 1;
  std::deque<PlannedReply> plans_;
  const char* where_ = "";
  std::bitset<256> sliderValues_;
};

}  // namespace
}  // namespace morvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvane::fuzz::Session session(data, size);
  session.run();
  return 0;
}
