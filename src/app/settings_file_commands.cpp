// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_file_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeySequence>
#include <QMessageBox>
#include <QWidget>

#include "settings/settings_panel.h"
#include "shell/settings_json.h"
#include "shell/window_language.h"
#include "form/form_mvconfig.h"

namespace morvane {

QString ConnectFirstText() {
  return QCoreApplication::translate(
      "SettingsFile",
      "Connect an ESC first: its five settings are read when it connects, and they would "
      "replace settings loaded before.");
}

namespace {

// The commands belong to the panel: the shortcuts of a hidden widget do not fire, so on the
// Run tab, where the throttle works, neither command does.
QAction* MakeCommand(const QString& text, QKeyCombination key, QWidget* panel) {
  auto* action = new QAction(text, panel);
  action->setShortcut(QKeySequence(key));
  action->setShortcutContext(Qt::WindowShortcut);
  action->setShortcutVisibleInContextMenu(true);
  panel->addAction(action);
  return action;
}

void Save(QWidget& window, FormMVconfig& form, const FileCommandDialogs& dialogs) {
  const QString path = dialogs.saveFileName(&window);
  if (path.isEmpty()) return;
  // What the panel shows now, after the dialog: the ESC may have come or gone meanwhile.
  SettingsDocument doc = PanelDocument(form);
  doc.saved = UtcNow();
  if (const std::string error =
          WriteSettingsFile(QFile::encodeName(path).toStdString(), doc, InWindowLanguage);
      !error.empty()) {
    dialogs.showError(&window, QString::fromStdString(error));
  }
}

void Load(QWidget& window, FormMVconfig& form, const FileCommandDialogs& dialogs) {
  const auto ready = [&form] { return ReadyForLoad(form); };
  if (!ready()) {
    dialogs.showError(&window, ConnectFirstText());
    return;
  }
  const QString path = dialogs.openFileName(&window);
  if (path.isEmpty()) return;
  const SettingsRead read = ReadSettingsFile(QFile::encodeName(path).toStdString(), InWindowLanguage);
  if (!read.document) {
    dialogs.showError(&window, QString::fromStdString(read.error));
    return;
  }
  if (!ready()) {
    dialogs.showError(&window, ConnectFirstText());
    return;
  }
  PickSettings(form, read.document->values);
}

}  // namespace

FileCommandDialogs StandardFileCommandDialogs() {
  const QString filter = QObject::tr("Settings files (*.json)");
  return {
      [filter](QWidget* parent) {
        QFileDialog dialog(parent, QObject::tr("Save settings to file"), QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("json"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
      },
      [filter](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QObject::tr("Load settings from file"),
                                            QString(), filter);
      },
      [](QWidget* parent, const QString& message) {
        QMessageBox::warning(parent, QObject::tr("Settings file"), message);
      },
  };
}

SettingsFileCommands InstallSettingsFileCommands(QWidget& window, FormMVconfig& form,
                                                 FileCommandDialogs dialogs) {
  auto* panel = window.findChild<QWidget*>(QStringLiteral("FrameConfig"));
  QAction* save =
      MakeCommand(QObject::tr("Save settings to file\u2026"), Qt::CTRL | Qt::Key_S, panel);
  QAction* load =
      MakeCommand(QObject::tr("Load settings from file\u2026"), Qt::CTRL | Qt::Key_O, panel);
  panel->setContextMenuPolicy(Qt::ActionsContextMenu);
  panel->setToolTip(QObject::tr(
      "Right-click for the file commands: Ctrl+S saves these settings to a file, Ctrl+O loads "
      "a file into the connected ESC."));

  QObject::connect(save, &QAction::triggered, panel,
                   [&window, &form, dialogs] { Save(window, form, dialogs); });
  QObject::connect(load, &QAction::triggered, panel,
                   [&window, &form, dialogs] { Load(window, form, dialogs); });
  return {save, load};
}

}  // namespace morvane
