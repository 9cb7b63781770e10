// SPDX-License-Identifier: GPL-3.0-or-later
#include "supportlog/form_log.h"

#include <utility>

#include "link/link.h"
#include "link/settings_table.h"

namespace morvane {
namespace {

// A setting named in a sentence: its label with the words after the first in lower case.
std::string SettingName(int index) {
  std::string name = kSettings[static_cast<std::size_t>(index)].label;
  for (std::size_t i = 1; i < name.size(); ++i) {
    if (name[i] >= 'A' && name[i] <= 'Z') name[i] = static_cast<char>(name[i] - 'A' + 'a');
  }
  return name;
}

// Entry `value` of a setting's list as the panel shows it, the factory default marked.
std::string EntryText(int index, int value) {
  const SettingInfo& info = kSettings[static_cast<std::size_t>(index)];
  if (value >= info.count) return "value " + std::to_string(value + 1);
  std::string text = info.texts[static_cast<std::size_t>(value)];
  if (value == info.defaultIndex) text += kDefaultMark;
  return text;
}

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
  for (int i = 0; i < kSettingCount; ++i) {
    setting_[static_cast<std::size_t>(i)] = c.setting(i).listIndex();
  }
  port_ = c.CombPort.listIndex();
  throttle_ = c.SldPower.value();
  poles_ = c.VSlPole.value();
  tab_ = c.TabStrip1.selectedItem();

  device_ = form_.state().deviceValue;
  found_ = form_.escFound.subscribe([this](const EscFound& esc) {
    // A connection reads every setting anew: each is told again.
    device_.fill(-1);
    log_.add("Connected " + esc.model + " " + esc.firmware);
  });
  lost_ = form_.escLost.subscribe([this](const EscLost& lost) { connectionLost(lost.cause); });
  reported_ = form_.settingReported.subscribe([this](const SettingReport& r) { reported(r); });
  confirmed_ = form_.settingConfirmed.subscribe([this](const SettingReport& r) { reported(r); });
  missed_ = form_.link().replyMissed.subscribe([this](int miss) { miss_ = miss; });
  for (int i = 0; i < kSettingCount; ++i) watch(c.setting(i), [this, i] { settingChanged(i); });
  watch(c.CombPort, [this] {
    const ComboBox& box = form_.controls().CombPort;
    if (box.listIndex() == port_) return;
    port_ = box.listIndex();
    if (port_ >= 0) log_.add("Port COM" + std::to_string(box.itemData(port_)) + " picked");
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
  comm_.follow(&form_.link());
}

FormLog::~FormLog() {
  comm_.follow(nullptr);
  comm_.setBeforeFrameLine({});
}

void FormLog::watch(Control& control, Observers::Fn fn) {
  subscriptions_.push_back(control.changed.subscribe(std::move(fn)));
}

void FormLog::connectionLost(LossCause cause) {
  const std::string text = kUnconnected;
  if (cause == LossCause::Misses) {
    log_.add(text + ": the ESC was lost after " + std::to_string(kMissesToLose) + " misses");
  } else if (!comm_.portOpen()) {
    // A port closed on purpose while connected is sent the stop frame first; one whose
    // device is gone is closed as it is.
    log_.add(text + (comm_.closedAfterStop() ? ": the port was closed" : ": the device went away"));
  } else {
    log_.add(text + ": another port opened");
  }
}

// A setting the ESC reported, read or written, told when it differs from what it held.
void FormLog::reported(const SettingReport& report) {
  auto& known = device_[static_cast<std::size_t>(report.setting)];
  if (report.value == known) return;
  known = report.value;
  if (report.value < 0) return;
  log_.add(SettingName(report.setting) + " on the ESC: " + EntryText(report.setting, report.value));
}

// Inside a reply the panel shows what the ESC reported (told above); anything else is a
// pick: the user's, Restore Default or a settings file.
void FormLog::settingChanged(int index) {
  const ComboBox& box = form_.controls().setting(index);
  const auto i = static_cast<std::size_t>(index);
  if (box.listIndex() == setting_[i] || box.listIndex() < 0) return;
  setting_[i] = box.listIndex();
  if (comm_.inNotification()) return;
  log_.add(SettingName(index) + " picked: " + EntryText(index, box.listIndex()));
}

// A miss is told as the link sends again, before that frame; the third in a row is followed
// by the stop frame and the loss.
void FormLog::beforeFrameLine() {
  const int miss = std::exchange(miss_, 0);
  if (miss == 0 || form_.connection() != Connection::Connected) return;
  log_.add("no reply in time: miss " + std::to_string(miss) + " of " +
           std::to_string(kMissesToLose));
}

}  // namespace morvane
