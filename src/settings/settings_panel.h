// SPDX-License-Identifier: GPL-3.0-or-later
// The settings as the Config panel shows them, and a load that picks entries in it as a
// user would: the window's own rules then write each changed setting and confirm it.
#pragma once

#include "settings/settings_file.h"
#include "form/form_mvconfig.h"

namespace morvane {

// The entries the five boxes show; kNotGiven where a box shows none.
SettingValues PanelValues(const FormMVconfig& form);

// What a save writes: the panel, and the ESC's model and firmware while one is connected.
// The time of saving is the shell's to fill in.
SettingsDocument PanelDocument(const FormMVconfig& form);

// A load needs an identified ESC whose five settings have been read: entries picked before
// would be replaced by the ESC's own values when they are read.
bool ReadyForLoad(const FormMVconfig& form);

// Selects each given entry as a user's pick. Returns how many boxes changed.
int PickSettings(FormMVconfig& form, const SettingValues& values);

}  // namespace morvane
