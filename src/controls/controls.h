// SPDX-License-Identifier: GPL-3.0-or-later
// Headless controls: each holds what its window control holds. Setting a combo box's
// selection or a slider's value raises that control's handler at once, before the
// assignment returns, as a window does. Observers let a view mirror every change.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/callback_list.h"
#include "link/settings_table.h"
#include "link/translatable.h"

namespace morvane {

// Functions called on every change. An observer may connect or disconnect others, or
// itself, while they are being called.
class Observers : public CallbackList<> {
 public:
  void notify() { (*this)(); }
};

class Control {
 public:
  explicit Control(std::string name, bool visible = true)
      : name_(std::move(name)), visible_(visible) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  bool visible() const { return visible_; }
  void setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    changed.notify();
  }
  // A disabled control takes no input from the user; the view greys it out.
  bool enabled() const { return enabled_; }
  void setEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    changed.notify();
  }
  // SetFocus: the view moves the keyboard focus.
  void setFocus() { focusRequested.notify(); }

  Observers changed;
  Observers focusRequested;

 private:
  std::string name_;
  bool visible_;
  bool enabled_ = true;
};

// A text box or a label: one text, set by the logic.
class TextControl : public Control {
 public:
  TextControl(std::string name, std::string text) : Control(std::move(name)), text_(std::move(text)) {}
  const std::string& text() const { return text_; }
  void setText(std::string t) {
    if (t == text_) return;
    text_ = std::move(t);
    changed.notify();
  }

 private:
  std::string text_;
};

class ComboBox : public Control {
 public:
  struct Entry {
    std::string text;
    std::int32_t itemData = 0;
  };

  explicit ComboBox(std::string name) : Control(std::move(name)) {}

  void addItem(std::string text) {
    entries_.push_back({std::move(text), 0});
    changed.notify();
  }
  void setItemData(int i, std::int32_t data) {
    if (validIndex(i)) entries_[static_cast<std::size_t>(i)].itemData = data;
  }
  // -1 when i is no entry (the caller checks listIndex() first).
  std::int32_t itemData(int i) const {
    return validIndex(i) ? entries_[static_cast<std::size_t>(i)].itemData : -1;
  }
  const std::string& list(int i) const { return entries_.at(static_cast<std::size_t>(i)).text; }
  int listCount() const { return static_cast<int>(entries_.size()); }
  const std::vector<Entry>& entries() const { return entries_; }

  // Inserting raises no click; the selected entry stays selected.
  void insertItem(int i, std::string text, std::int32_t itemData) {
    if (i < 0 || i > listCount()) return;
    entries_.insert(entries_.begin() + i, {std::move(text), itemData});
    if (listIndex_ >= i) ++listIndex_;
    changed.notify();
  }
  // The entry carrying this item data; -1 when none does.
  int findItemData(std::int32_t data) const {
    for (int i = 0; i < listCount(); ++i) {
      if (entries_[static_cast<std::size_t>(i)].itemData == data) return i;
    }
    return -1;
  }

  // Removing the selected entry leaves nothing selected and raises no click.
  void removeItem(int i) {
    if (!validIndex(i)) return;
    entries_.erase(entries_.begin() + i);
    if (listIndex_ == i) {
      listIndex_ = -1;
    } else if (listIndex_ > i) {
      --listIndex_;
    }
    changed.notify();
  }

  int listIndex() const { return listIndex_; }
  // Selecting an entry (by the user or by code) raises the click handler, also when the
  // entry was already selected. An index that is no entry is refused.
  bool setListIndex(int i) {
    if (!validIndex(i)) return false;
    if (i != listIndex_) {
      listIndex_ = i;
      changed.notify();
    }
    if (onClick) onClick();
    return true;
  }

  std::function<void()> onClick;

 private:
  bool validIndex(int i) const { return i >= 0 && i < listCount(); }
  std::vector<Entry> entries_;
  int listIndex_ = -1;
};

// A slider or a scroll bar: Value within Min..Max. A change of value raises onChange.
class RangeControl : public Control {
 public:
  RangeControl(std::string name, int min, int max, int value, int smallChange, int largeChange)
      : Control(std::move(name)),
        min_(min),
        max_(max),
        value_(value),
        smallChange_(smallChange),
        largeChange_(largeChange) {}

  int min() const { return min_; }
  int max() const { return max_; }
  int value() const { return value_; }
  int smallChange() const { return smallChange_; }
  int largeChange() const { return largeChange_; }

  void setValue(int v) {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    if (v == value_) return;
    value_ = v;
    changed.notify();
    if (onChange) onChange();
  }

  std::function<void()> onChange;

 private:
  int min_;
  int max_;
  int value_;
  int smallChange_;
  int largeChange_;
};

class Button : public Control {
 public:
  Button(std::string name, std::string caption, bool visible = true)
      : Control(std::move(name), visible), caption_(std::move(caption)) {}
  const std::string& caption() const { return caption_; }
  void click() {
    if (onClick) onClick();
  }
  std::function<void()> onClick;

 private:
  std::string caption_;
};

class TabStrip : public Control {
 public:
  TabStrip(std::string name, std::vector<std::string> captions)
      : Control(std::move(name)), captions_(std::move(captions)) {}
  const std::vector<std::string>& captions() const { return captions_; }
  int selectedItem() const { return selected_; }  // 1-based
  // A click on a tab: selects it and raises the click handler.
  void clickTab(int n) {
    if (n < 1 || n > static_cast<int>(captions_.size())) return;
    if (n != selected_) {
      selected_ = n;
      changed.notify();
    }
    if (onClick) onClick();
  }
  std::function<void()> onClick;

 private:
  std::vector<std::string> captions_;
  int selected_ = 1;
};

// The slot of the setting with this parameter id; an id no setting has does not build.
consteval std::size_t SlotOfParam(std::uint8_t paramId) {
  const int slot = SettingIndexOfParam(paramId);
  if (slot < 0) throw "no setting has this parameter id";
  return static_cast<std::size_t>(slot);
}

// The window's controls whose state the logic reads or writes, by their window names.
struct Controls {
  TextControl caption{"FormMVconfig", ""};

  Control FrameConnect{"FrameConnect"};
  Control FrameConfig{"FrameConfig", false};
  Control FrameRun{"FrameRun", true};

  ComboBox CombPort{"CombPort"};
  TextControl TxtConnState{"TxtConnState", "Unconnected"};
  TextControl TxtHardVer{"TxtHardVer", "Unknown"};
  TextControl TxtFirmVer{"TxtFirmVer", "Unknown"};

  // The settings boxes, a slot per row of kSettings (the order of deviceValue and
  // wantedValue), each named as its row says; and the window's names for the five.
  std::array<ComboBox, kSettingCount> settingBoxes;
  ComboBox& CombCutOffV = settingBoxes[SlotOfParam(PARAM_CUTOFF_VOLTAGE)];
  ComboBox& CombBrake = settingBoxes[SlotOfParam(PARAM_BRAKE)];
  ComboBox& CombTiming = settingBoxes[SlotOfParam(PARAM_TIMING)];
  ComboBox& CombCutOffT = settingBoxes[SlotOfParam(PARAM_CUTOFF_TYPE)];
  ComboBox& CombDir = settingBoxes[SlotOfParam(PARAM_DIRECTION)];
  Button CmdSave{"CmdSave", MORVANE_TRANSLATABLE("FormView", "&Save to file"), false};
  Button CmdLoad{"CmdLoad", MORVANE_TRANSLATABLE("FormView", "&Load from file"), false};
  Button CmdReset{"CmdReset", MORVANE_TRANSLATABLE("FormView", "R&estore Default")};

  TabStrip TabStrip1{"TabStrip1",
                     {MORVANE_TRANSLATABLE("FormView", "&Config"),
                      MORVANE_TRANSLATABLE("FormView", " &Run")}};

  TextControl TxtPole{"TxtPole", "2"};
  RangeControl VSlPole{"VSlPole", 2, 24, 2, 2, 2};
  TextControl TxtRev{"TxtRev", "0"};
  TextControl LbPower{"LbPower", "0"};
  RangeControl SldPower{"SldPower", 0, 200, 0, 1, 5};

  Controls();

  // The settings box of a slot of deviceValue and wantedValue.
  ComboBox& setting(int index) { return settingBoxes.at(static_cast<std::size_t>(index)); }
  const ComboBox& setting(int index) const {
    return settingBoxes.at(static_cast<std::size_t>(index));
  }
};

// Compared as English texts; the window shows them translated.
inline constexpr const char* kUnconnected = MORVANE_TRANSLATABLE("FormView", "Unconnected");
inline constexpr const char* kConnected = MORVANE_TRANSLATABLE("FormView", "Connected");
inline constexpr const char* kUnknown = MORVANE_TRANSLATABLE("FormView", "Unknown");

}  // namespace morvane
