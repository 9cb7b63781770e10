// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_seams.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

namespace morvane::web {

WebTimer::~WebTimer() {
  if (pending_ != 0) emscripten_clear_timeout(pending_);
}

void WebTimer::setEnabled(bool on) {
  if (pending_ != 0) emscripten_clear_timeout(pending_);
  pending_ = on ? emscripten_set_timeout(&WebTimer::Fire, interval_, this) : 0;
}

void WebTimer::Fire(void* self) {
  auto* timer = static_cast<WebTimer*>(self);
  timer->pending_ = 0;
  timer->raiseTick();
}

bool WebComm::setPortOpen(bool open) {
  if (open == open_) return true;
  if (open && present_.count(port_) == 0) return false;
  open_ = open;
  in_.clear();
  // The start-up scan only asks whether a port would open.
  if (!scanning_) host_.call<void>(open ? "open" : "close", port_);
  return true;
}

void WebComm::setInBufferCount(int n) {
  if (n == 0) in_.clear();
}

std::uint8_t WebComm::input() {
  const std::uint8_t byte = in_.front();
  in_.pop_front();
  return byte;
}

void WebComm::setOutput(std::span<const std::uint8_t> bytes) {
  if (!open_) return;
  host_.call<void>("write", port_,
                   emscripten::val(emscripten::typed_memory_view(bytes.size(), bytes.data())));
}

void WebComm::setPresent(int n, bool present) {
  if (present) {
    present_.insert(n);
  } else {
    present_.erase(n);
  }
}

void WebComm::deliver(int n, const std::vector<std::uint8_t>& bytes) {
  if (!open_ || n != port_) return;
  in_.insert(in_.end(), bytes.begin(), bytes.end());
  notifyPending();
}

void WebComm::lost(int n) {
  setPresent(n, false);
  if (open_ && n == port_) raisePortFailed();
}

void WebComm::notifyPending() {
  if (open_ && rThreshold_ > 0 && !in_.empty()) raiseOnComm();
}

std::int64_t WebClock::elapsedMs() const {
  return static_cast<std::int64_t>(emscripten_get_now());
}

}  // namespace morvane::web
