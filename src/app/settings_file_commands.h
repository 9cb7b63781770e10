// SPDX-License-Identifier: GPL-3.0-or-later
// The window's file commands: Ctrl+S saves the five settings to a file, Ctrl+O loads a file
// into the connected ESC; both also in the Config panel's context menu. They act on the
// Config tab only, where the throttle is 0.
#pragma once

#include <QString>
#include <functional>

class QAction;
class QWidget;

namespace morvane {

class FormMVconfig;

// The dialogs the commands open; tests give their own.
struct FileCommandDialogs {
  // The file to save to or to load; empty when the user cancels.
  std::function<QString(QWidget* parent)> saveFileName;
  std::function<QString(QWidget* parent)> openFileName;
  std::function<void(QWidget* parent, const QString& message)> showError;
};

// Why no settings file may be loaded while ReadyForLoad is false, in the window's language.
QString ConnectFirstText();

// File dialogs for .json files and a warning box.
FileCommandDialogs StandardFileCommandDialogs();

struct SettingsFileCommands {
  QAction* save;
  QAction* load;
};

// `window` is the view of `form`; the commands belong to its Config panel, "FrameConfig".
SettingsFileCommands InstallSettingsFileCommands(
    QWidget& window, FormMVconfig& form, FileCommandDialogs dialogs = StandardFileCommandDialogs());

}  // namespace morvane
