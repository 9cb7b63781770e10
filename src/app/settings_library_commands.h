// SPDX-License-Identifier: GPL-3.0-or-later
// The Config panel's library commands, in its context menu after the file commands: compare
// the ESC with a file, apply a preset, save the panel as a preset of the user's, and undo
// and redo the last setting change (Ctrl+Z, Ctrl+Shift+Z). Each changes settings only by
// picking entries as a user would.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "settings/settings_diff.h"

class QAction;
class QWidget;

namespace morvane {

class FormMVconfig;
class SettingsHistory;

// The dialogs the commands open; tests give their own.
struct LibraryDialogs {
  // The file to compare with; empty when the user cancels.
  std::function<QString(QWidget* parent)> compareFileName;
  // Shows the differences; true when the user chose "Apply these".
  std::function<bool(QWidget* parent, const QString& file,
                     const std::vector<SettingDifference>& diff)>
      showDifferences;
  // The new preset's description; empty when the user cancels.
  std::function<QString(QWidget* parent)> presetDescription;
  std::function<void(QWidget* parent, const QString& message)> showError;
  // A preset of the user's has the file the new one would take: `existing` is its
  // description, `file` the file's name, `otherFile` the name the new one takes beside it.
  // The answer the dialog starts on is KeepBoth, which keeps the old file.
  enum class Clash { Replace, KeepBoth, Cancel };
  std::function<Clash(QWidget* parent, const QString& existing, const QString& file,
                      const QString& otherFile)>
      presetExists;
};

LibraryDialogs StandardLibraryDialogs();

struct SettingsLibraryCommands {
  QAction* compare;
  QAction* applyPreset;  // its menu lists the presets when it opens
  QAction* savePreset;
  QAction* undo;
  QAction* redo;
  SettingsHistory* history;  // the panel's; it lives as long as the panel
};

// `window` is the view of `form`; the commands belong to its Config panel, "FrameConfig".
SettingsLibraryCommands InstallSettingsLibraryCommands(
    QWidget& window, FormMVconfig& form, LibraryDialogs dialogs = StandardLibraryDialogs());

}  // namespace morvane
