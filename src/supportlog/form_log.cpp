// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/form_log.h"

#include "link/link.h"

namespace morvane {
namespace {

// The settings as the panel labels them, in the order of Controls::setting().
constexpr std::array<const char*, kSettingCount> kSettingNames = {
    "Cutoff voltage", "Cutoff type", "Brake", "Timing advance", "Rotation direction"};

std::string TabName(const std::string& caption) {
  std::string name;
  for (const char ch : caption) {
    if (ch != '&' && !(name.empty() && ch == ' ')) name += ch;
  }
  return name;
}

}  // namespace

FormLog::FormLog(FormMVconfig& form, LoggingComm& comm, SupportLog& log)
    : form_(form), comm_(comm), log_(log) {
  Controls& c = form_.controls();
  connection_ = form_.connection();
  for (int i = 0; i < kSettingCount; ++i) {
    setting_[static_cast<std::size_t>(i)] = c.setting(i).listIndex();
  }
  port_ = c.CombPort.listIndex();
  throttle_ = c.SldPower.value();
  poles_ = c.VSlPole.value();
  tab_ = c.TabStrip1.selectedItem();

  watch(c.TxtConnState, [this] { connectionChanged(); });
  device_ = form_.state().deviceValue;
  subscriptions_.push_back(form_.replyHandled.subscribe([this] { replyHandled(); }));
  for (int i = 0; i < kSettingCount; ++i) watch(c.setting(i), [this, i] { settingChanged(i); });
  watch(c.CombPort, [this] {
    const ComboBox& box = form_.controls().CombPort;
    if (box.listIndex() == port_) return;
    port_ = box.listIndex();
    if (port_ >= 0) log_.add("Port " + box.list(port_) + " picked");
  });
  watch(c.SldPower, [this] {
    const int value = form_.controls().SldPower.value();
    if (value == throttle_) return;
    throttle_ = value;
    log_.add("Throttle " + std::to_string(value));
  });
  watch(c.VSlPole, [this] {
    const int value = form_.controls().VSlPole.value();
    if (value == poles_) return;
    poles_ = value;
    log_.add("Motor poles " + std::to_string(value));
  });
  watch(c.TabStrip1, [this] {
    const TabStrip& tabs = form_.controls().TabStrip1;
    if (tabs.selectedItem() == tab_) return;
    tab_ = tabs.selectedItem();
    log_.add("Tab " + TabName(tabs.captions()[static_cast<std::size_t>(tab_ - 1)]));
  });
  // One key press may reach the program's key filter more than once (each widget it passes).
  subscriptions_.push_back(form_.stopRequested.subscribe([this] {
    const std::int64_t now = log_.clock().elapsedMs();
    if (now == stopMs_) return;
    stopMs_ = now;
    log_.add("Stop key: throttle to 0");
  }));
  comm_.setBeforeFrameLine([this] { beforeFrameLine(); });
}

FormLog::~FormLog() {
  comm_.setBeforeFrameLine({});
}

void FormLog::watch(Control& control, Observers::Fn fn) {
  subscriptions_.push_back(control.changed.subscribe(std::move(fn)));
}

void FormLog::connectionChanged() {
  const Connection now = form_.connection();
  if (now == connection_) return;
  connection_ = now;
  if (now == Connection::Connected) {
    announce_ = true;
    return;
  }
  const std::string text = kUnconnected;
  if (lost_) {
    log_.add(text + ": the ESC was lost after " + std::to_string(kMissesToLose) + " misses");
  } else if (!comm_.portOpen()) {
    // A port closed on purpose while connected is sent the stop frame first; one whose
    // device is gone is closed as it is.
    log_.add(text + (comm_.closedAfterStop() ? ": the port was closed" : ": the device went away"));
  } else {
    log_.add(text + ": another port opened");
  }
  lost_ = false;
}

// What a reply showed: the ESC found, and each setting the ESC reported, read or written.
void FormLog::replyHandled() {
  Controls& c = form_.controls();
  if (announce_) {
    announce_ = false;
    log_.add("Connected " + c.TxtHardVer.text() + " " + c.TxtFirmVer.text());
  }
  const auto& device = form_.state().deviceValue;
  for (int i = 0; i < kSettingCount; ++i) {
    const int value = device[static_cast<std::size_t>(i)];
    if (value == device_[static_cast<std::size_t>(i)]) continue;
    device_[static_cast<std::size_t>(i)] = value;
    if (value < 0) continue;
    const ComboBox& box = c.setting(i);
    log_.add(std::string(kSettingNames[static_cast<std::size_t>(i)]) + " on the ESC: " +
             (value < box.listCount() ? box.list(value) : "value " + std::to_string(value + 1)));
  }
}

// Inside a reply the panel shows what the ESC reported (told above); anything else is a
// pick: the user's, Restore Default or a settings file.
void FormLog::settingChanged(int index) {
  const ComboBox& box = form_.controls().setting(index);
  const auto i = static_cast<std::size_t>(index);
  if (box.listIndex() == setting_[i] || box.listIndex() < 0) return;
  setting_[i] = box.listIndex();
  if (comm_.inNotification()) return;
  log_.add(std::string(kSettingNames[i]) + " picked: " + box.list(box.listIndex()));
}

// The link counts a miss when a reply does not come in time and sends again; the third miss
// in a row clears the count and sends the stop frame.
void FormLog::beforeFrameLine() {
  const int misses = form_.state().missCount;
  if (form_.connection() == Connection::Connected) {
    if (misses > misses_) {
      log_.add("no reply in time: miss " + std::to_string(misses) + " of " +
               std::to_string(kMissesToLose));
    } else if (misses == 0 && misses_ == kMissesToLose - 1 && !comm_.lastAttemptAnswered()) {
      log_.add("no reply in time: miss " + std::to_string(kMissesToLose) + " of " +
               std::to_string(kMissesToLose));
      lost_ = true;
    }
  }
  misses_ = misses;
}

}  // namespace morvane
