// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/controls.h"

#include "link/settings_table.h"

namespace morvane {
namespace {

template <std::size_t... Slot>
std::array<ComboBox, sizeof...(Slot)> SettingBoxes(std::index_sequence<Slot...>) {
  return {ComboBox(kSettings[Slot].box)...};
}

}  // namespace

// Each list as the settings' table gives it, the factory default marked; an entry's item
// data is its value byte on the wire.
Controls::Controls()
    : settingBoxes(SettingBoxes(std::make_index_sequence<kSettings.size()>())) {
  for (int i = 0; i < kSettingCount; ++i) {
    const SettingInfo& info = kSettings[static_cast<std::size_t>(i)];
    ComboBox& box = setting(i);
    for (int k = 0; k < info.count; ++k) {
      std::string text = info.texts[static_cast<std::size_t>(k)];
      if (k == info.defaultIndex) text += kDefaultMark;
      box.addItem(std::move(text));
      box.setItemData(k, k + 1);
    }
  }
}

}  // namespace morvane
