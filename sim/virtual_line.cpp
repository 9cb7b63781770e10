// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtual_line.h"

#include <algorithm>
#include <cmath>

namespace morvane::sim {
namespace {

Ticks MsToTicks(double ms) { return static_cast<Ticks>(std::llround(ms * kTicksPerMs)); }

}  // namespace

VirtualSerialLine::VirtualSerialLine(VirtualClock& clock) : clock_(clock) {
  setFaults(FaultOptions{});
}

void VirtualSerialLine::setFaults(const FaultOptions& options) {
  faults_ = ReplyFaults(options);
  shaper_ = [this](const std::vector<std::uint8_t>& reply) { return faults_.shape(reply); };
}

void VirtualSerialLine::addPort(int n) { ports_[n].present = true; }

void VirtualSerialLine::attachEsc(int n, EscModel& esc) {
  ports_[n].present = true;
  ports_[n].esc = &esc;
}

void VirtualSerialLine::detachEsc(int n) { ports_[n].esc = nullptr; }

void VirtualSerialLine::removePort(int n) { ports_[n].present = false; }

void VirtualSerialLine::refuseOpen(int n, OpenFailure why) {
  ports_[n].present = true;
  ports_[n].refusal = std::move(why);
}

int VirtualSerialLine::openAttempts(int n) const {
  auto it = ports_.find(n);
  return it == ports_.end() ? 0 : it->second.openAttempts;
}

VirtualSerialLine::Port* VirtualSerialLine::openDevice() {
  if (!open_) return nullptr;
  auto it = ports_.find(openNumber_);
  return it == ports_.end() ? nullptr : &it->second;
}

bool VirtualSerialLine::setPortOpen(bool open) {
  if (!open) {
    if (open_) {
      if (Port* p = openDevice(); p != nullptr && p->esc != nullptr) p->esc->resetReceiver();
    }
    open_ = false;
    ++generation_;
    in_.clear();
    for (const TxByte& t : tx_) clock_.cancel(t.event);
    tx_.clear();
    clock_.cancel(notifyEvent_);
    notifyEvent_ = 0;
    return true;
  }
  if (open_) return true;  // already open: nothing changes, as on the real port
  Port& port = ports_[commPort_];
  ++port.openAttempts;
  if (!port.present) {
    lastFailure_ = {OpenFailure::Kind::Gone, {}};
    return false;
  }
  if (port.refusal.kind != OpenFailure::Kind::None) {
    lastFailure_ = port.refusal;
    return false;
  }
  open_ = true;
  openNumber_ = commPort_;
  ++generation_;
  in_.clear();
  txFreeAt_ = rxFreeAt_ = clock_.now();
  return true;
}

void VirtualSerialLine::unplug() {
  Port* p = openDevice();
  if (p == nullptr) return;
  p->present = false;
  setPortOpen(false);
  raisePortFailed();
}

void VirtualSerialLine::setOutBufferCount(int n) {
  if (n != 0) return;
  for (const TxByte& t : tx_) clock_.cancel(t.event);
  tx_.clear();
  txFreeAt_ = clock_.now();
}

void VirtualSerialLine::setInBufferCount(int n) {
  if (n == 0) in_.clear();
}

std::uint8_t VirtualSerialLine::input() {
  if (in_.empty()) return 0;
  const std::uint8_t b = in_.front();
  in_.pop_front();
  return b;
}

void VirtualSerialLine::setOutput(std::span<const std::uint8_t> bytes) {
  if (!open_) return;
  if (recording_) writes_.push_back({clock_.now(), openNumber_, {bytes.begin(), bytes.end()}});
  Ticks at = std::max(clock_.now(), txFreeAt_);
  const std::uint64_t gen = generation_;
  for (std::uint8_t b : bytes) {
    at += kTicksPerByte;
    const auto id = clock_.schedule(at, [this, b, gen] {
      if (!tx_.empty()) tx_.pop_front();
      if (gen == generation_) transmitted(b);
    });
    tx_.push_back({id, b});
  }
  txFreeAt_ = at;
}

void VirtualSerialLine::drainOutput(int /*timeoutMs*/) {
  // The bytes leave within a few byte times: deliver them now, in order.
  while (!tx_.empty()) {
    const TxByte t = tx_.front();
    tx_.pop_front();
    clock_.cancel(t.event);
    transmitted(t.byte);
  }
  txFreeAt_ = clock_.now();
}

void VirtualSerialLine::transmitted(std::uint8_t b) {
  if (echo_) arrive(b);
  Port* p = openDevice();
  if (p == nullptr || p->esc == nullptr) return;
  if (auto command = p->esc->receive(b)) sendReply(p->esc->answer(*command, clock_.nowMs()));
}

void VirtualSerialLine::sendReply(const std::vector<std::uint8_t>& reply) {
  Ticks at = clock_.now();
  const std::uint64_t gen = generation_;
  for (const ReplyChunk& chunk : shaper_(reply)) {
    at = std::max(at + MsToTicks(chunk.delayMs), rxFreeAt_);
    for (std::uint8_t b : chunk.bytes) {
      at += kTicksPerByte;
      clock_.schedule(at, [this, b, gen] {
        if (gen == generation_) arrive(b);
      });
    }
    rxFreeAt_ = at;
  }
}

void VirtualSerialLine::inject(const std::vector<std::uint8_t>& bytes) {
  Ticks at = std::max(clock_.now(), rxFreeAt_);
  const std::uint64_t gen = generation_;
  for (std::uint8_t b : bytes) {
    at += kTicksPerByte;
    clock_.schedule(at, [this, b, gen] {
      if (gen == generation_) arrive(b);
    });
  }
  rxFreeAt_ = at;
}

void VirtualSerialLine::arrive(std::uint8_t b) {
  if (!open_) return;
  if (in_.size() < kInBufferSize) in_.push_back(b);
  rxFreeAt_ = std::max(rxFreeAt_, clock_.now());
  if (rThreshold_ < 1 || notifyEvent_ != 0) return;
  notifyEvent_ = clock_.schedule(clock_.now(), [this] {
    notifyEvent_ = 0;
    if (!open_ || rThreshold_ < 1 || in_.empty()) return;
    ++notifications_;
    raiseOnComm();
  });
}

}  // namespace morvane::sim
