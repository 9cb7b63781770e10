// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_history.h"

#include <algorithm>

namespace morvane {
namespace {

// The step as the values it leaves (to) or finds (from), kNotGiven for settings it leaves alone.
SettingValues Ends(const HistoryStep& step, bool to) {
  SettingValues values = kNoSettings;
  for (const SettingChange& c : step)
    values[static_cast<std::size_t>(c.setting)] = to ? c.to : c.from;
  return values;
}

std::string Describe(const char* what, const HistoryStep& step, bool back) {
  if (step.empty()) return what;
  std::string text = std::string(what) + ": ";
  if (step.size() > 2) {
    text += std::to_string(step.size()) + " settings";
    for (std::size_t k = 0; k < step.size(); ++k) {
      text += (k == 0 ? " (" : ", ") +
              std::string(kSettingNames[static_cast<std::size_t>(step[k].setting)]);
    }
    return text + ")";
  }
  for (std::size_t k = 0; k < step.size(); ++k) {
    const SettingChange& c = step[k];
    text += (k == 0 ? "" : ", ") + std::string(kSettingNames[static_cast<std::size_t>(c.setting)]) +
            " " + ChoiceText(c.setting, back ? c.to : c.from) + " \u2192 " +
            ChoiceText(c.setting, back ? c.from : c.to);
  }
  return text;
}

}  // namespace

SettingsHistory::SettingsHistory(FormMVconfig& form) : form_(form) {
  found_ = form_.escFound.subscribe([this](const EscFound&) { clear(); });
  lost_ = form_.escLost.subscribe([this](const EscLost&) { clear(); });
  reported_ = form_.settingReported.subscribe(
      [this](const SettingReport& r) { known_[static_cast<std::size_t>(r.setting)] = r.value; });
  confirmed_ = form_.settingConfirmed.subscribe([this](const SettingReport& r) { onConfirmed(r); });
}

void SettingsHistory::clear() {
  known_ = kNoSettings;
  open_.clear();
  doing_ = Doing::User;
  undo_.clear();
  redo_.clear();
  changed.notify();
}

void SettingsHistory::onConfirmed(const SettingReport& report) {
  int& known = known_[static_cast<std::size_t>(report.setting)];
  if (known != kNotGiven && known != report.value) {
    const auto same = [&](const SettingChange& c) { return c.setting == report.setting; };
    auto it = std::find_if(open_.begin(), open_.end(), same);
    if (it == open_.end()) {
      open_.push_back({report.setting, known, report.value});
    } else if (it->from == report.value) {
      open_.erase(it);  // back where the step found it
    } else {
      it->to = report.value;
    }
  }
  known = report.value;
  if (quiet()) closeStep();
}

// No setting is waiting for its write: the action that started the step has had its answers.
bool SettingsHistory::quiet() const {
  const AppState& s = form_.state();
  for (int i = 0; i < kSettingCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (s.deviceValue[k] != s.wantedValue[k]) return false;
  }
  return true;
}

void SettingsHistory::closeStep() {
  const HistoryStep* expected = doing_ == Doing::Undo   ? &undo_.back()
                                : doing_ == Doing::Redo ? &redo_.back()
                                                        : nullptr;
  const bool back = doing_ == Doing::Undo;
  if (expected != nullptr && Ends(open_, true) == Ends(*expected, !back) &&
      Ends(open_, false) == Ends(*expected, back)) {
    // Undone or redone as asked: the step moves to the other list.
    auto& from = back ? undo_ : redo_;
    auto& to = back ? redo_ : undo_;
    to.push_back(from.back());
    from.pop_back();
  } else if (!open_.empty()) {
    undo_.push_back(open_);
    redo_.clear();
  }
  open_.clear();
  doing_ = Doing::User;
  changed.notify();
}

bool SettingsHistory::canUndo() const {
  return !undo_.empty() && doing_ == Doing::User && open_.empty() && quiet();
}

bool SettingsHistory::canRedo() const {
  return !redo_.empty() && doing_ == Doing::User && open_.empty() && quiet();
}

bool SettingsHistory::undo() {
  if (!canUndo() || !pick(undo_.back(), true)) return false;
  doing_ = Doing::Undo;
  changed.notify();
  return true;
}

bool SettingsHistory::redo() {
  if (!canRedo() || !pick(redo_.back(), false)) return false;
  doing_ = Doing::Redo;
  changed.notify();
  return true;
}

// Only while the ESC still holds what the step left, and every entry exists: a step is
// taken back whole or not at all.
bool SettingsHistory::pick(const HistoryStep& step, bool back) {
  if (form_.connection() != Connection::Connected) return false;
  for (const SettingChange& c : step) {
    const int target = back ? c.from : c.to;
    if (known_[static_cast<std::size_t>(c.setting)] != (back ? c.to : c.from) || target < 0 ||
        target >= form_.controls().setting(c.setting).listCount()) {
      return false;
    }
  }
  for (const SettingChange& c : step) form_.pickSetting(c.setting, back ? c.from : c.to);
  return true;
}

std::string SettingsHistory::undoText() const {
  return Describe("Undo", undo_.empty() ? HistoryStep{} : undo_.back(), true);
}

std::string SettingsHistory::redoText() const {
  return Describe("Redo", redo_.empty() ? HistoryStep{} : redo_.back(), false);
}

}  // namespace morvane
