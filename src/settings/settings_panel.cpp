// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_panel.h"

#include <algorithm>

namespace morvane {

SettingValues PanelValues(Controls& c) {
  SettingValues values = kNoSettings;
  for (int i = 0; i < kSettingCount; ++i) {
    // A box without a selection has index -1, which is kNotGiven.
    values[static_cast<std::size_t>(i)] = c.setting(i).listIndex();
  }
  return values;
}

SettingsDocument PanelDocument(Controls& c) {
  SettingsDocument doc;
  doc.values = PanelValues(c);
  if (c.TxtConnState.text() == kConnected) {
    doc.model = c.TxtHardVer.text();
    doc.firmware = c.TxtFirmVer.text();
  }
  return doc;
}

bool ReadyForLoad(const AppState& s, const Controls& c) {
  return c.TxtConnState.text() == kConnected &&
         std::none_of(s.deviceValue.begin(), s.deviceValue.end(),
                      [](std::int32_t v) { return v == -1; });
}

int PickSettings(Controls& c, const SettingValues& values) {
  int changed = 0;
  for (int i = 0; i < kSettingCount; ++i) {
    const int index = values[static_cast<std::size_t>(i)];
    if (index == kNotGiven) continue;
    ComboBox& box = c.setting(i);
    const int before = box.listIndex();
    if (box.setListIndex(index) && box.listIndex() != before) ++changed;
  }
  return changed;
}

}  // namespace morvane
