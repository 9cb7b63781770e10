// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_panel.h"

#include <algorithm>

namespace morvane {

SettingValues PanelValues(const FormMVconfig& form) {
  SettingValues values = kNoSettings;
  for (int i = 0; i < kSettingCount; ++i) {
    // A box without a selection has index -1, which is kNotGiven.
    values[static_cast<std::size_t>(i)] = form.controls().setting(i).listIndex();
  }
  return values;
}

SettingsDocument PanelDocument(const FormMVconfig& form) {
  SettingsDocument doc;
  doc.values = PanelValues(form);
  if (const auto& esc = form.connectedEsc()) {
    doc.model = esc->model;
    doc.firmware = esc->firmware;
  }
  return doc;
}

bool ReadyForLoad(const FormMVconfig& form) {
  const auto& values = form.state().deviceValue;
  return form.connection() == Connection::Connected &&
         std::none_of(values.begin(), values.end(), [](std::int32_t v) { return v == -1; });
}

int PickSettings(FormMVconfig& form, const SettingValues& values) {
  int changed = 0;
  for (int i = 0; i < kSettingCount; ++i) {
    const int index = values[static_cast<std::size_t>(i)];
    if (index == kNotGiven) continue;
    const int before = form.controls().setting(i).listIndex();
    if (form.pickSetting(i, index) && form.controls().setting(i).listIndex() != before) ++changed;
  }
  return changed;
}

}  // namespace morvane
