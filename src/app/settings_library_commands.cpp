// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_library_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

#include "app/compare_dialog.h"
#include "app/settings_file_commands.h"
#include "settings/settings_file.h"
#include "settings/settings_history.h"
#include "settings/settings_panel.h"
#include "shell/settings_json.h"
#include "shell/settings_presets.h"
#include "shell/window_language.h"
#include "form/form_mvconfig.h"

namespace morvane {
namespace {

// What a step changes, as the history tells it ("brake Enable → Disable"), with the entries
// as the panel lists them in the window's language; the settings keep their file keys.
QString StepText(const HistoryStep& step, bool back) {
  const auto key = [](const SettingChange& c) {
    return QString::fromUtf8(kSettingNames[static_cast<std::size_t>(c.setting)]);
  };
  QStringList parts;
  if (step.size() > 2) {
    for (const SettingChange& c : step) parts << key(c);
    return QObject::tr("%n settings (%1)", nullptr, static_cast<int>(step.size()))
        .arg(parts.join(QStringLiteral(", ")));
  }
  const auto entry = [](int setting, int index) {
    return QString::fromStdString(ChoiceText(setting, index, InWindowLanguage));
  };
  for (const SettingChange& c : step) {
    parts << key(c) + u' ' + entry(c.setting, back ? c.to : c.from) + QStringLiteral(" \u2192 ") +
                 entry(c.setting, back ? c.from : c.to);
  }
  return parts.join(QStringLiteral(", "));
}

const char* const kEscChanged = QT_TRANSLATE_NOOP(
    "SettingsFile",
    "The ESC was lost or another connected while the dialog was open: nothing was written. "
    "Compare again.");

// The history lives with the panel, and with it its subscriptions to the form.
class HistoryHolder : public QObject {
 public:
  HistoryHolder(FormMVconfig& form, QObject* parent) : QObject(parent), history(form) {}
  SettingsHistory history;
};

// Counts the connections begun and ended while a dialog is open: the values it shows are
// those of the ESC connected when it opened, and of no other.
class ConnectionWatch {
 public:
  explicit ConnectionWatch(FormMVconfig& form)
      : found_(form.escFound.subscribe([this](const EscFound&) { changed_ = true; })),
        lost_(form.escLost.subscribe([this](const EscLost&) { changed_ = true; })) {}
  bool changed() const { return changed_; }

 private:
  bool changed_ = false;
  CallbackList<const EscFound&>::Subscription found_;
  CallbackList<const EscLost&>::Subscription lost_;
};

QAction* MakeCommand(const QString& text, QWidget* panel) {
  auto* action = new QAction(text, panel);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setShortcutVisibleInContextMenu(true);
  panel->addAction(action);
  return action;
}

void AddSeparator(QWidget* panel) {
  auto* separator = new QAction(panel);
  separator->setSeparator(true);
  panel->addAction(separator);
}

SettingValues EscValues(const FormMVconfig& form) {
  SettingValues values = kNoSettings;
  for (int i = 0; i < kSettingCount; ++i) {
    values[static_cast<std::size_t>(i)] = form.state().deviceValue[static_cast<std::size_t>(i)];
  }
  return values;
}

// As Ctrl+O loads a file: read whole first, then picked entry by entry.
void LoadFile(QWidget& window, FormMVconfig& form, const LibraryDialogs& dialogs,
              const std::string& path) {
  if (!ReadyForLoad(form)) {
    dialogs.showError(&window, ConnectFirstText());
    return;
  }
  const SettingsRead read = ReadSettingsFile(path, InWindowLanguage);
  if (!read.document) {
    dialogs.showError(&window, QString::fromStdString(read.error));
    return;
  }
  PickSettings(form, read.document->values);
}

void Compare(QWidget& window, FormMVconfig& form, const LibraryDialogs& dialogs) {
  if (!ReadyForLoad(form)) {
    dialogs.showError(&window, ConnectFirstText());
    return;
  }
  const ConnectionWatch watch(form);
  const QString path = dialogs.compareFileName(&window);
  if (path.isEmpty()) return;
  const SettingsRead read = ReadSettingsFile(QFile::encodeName(path).toStdString(), InWindowLanguage);
  if (!read.document) {
    dialogs.showError(&window, QString::fromStdString(read.error));
    return;
  }
  if (watch.changed() || !ReadyForLoad(form)) {
    dialogs.showError(&window, QCoreApplication::translate("SettingsFile", kEscChanged));
    return;
  }
  const std::vector<SettingDifference> diff =
      CompareSettings(EscValues(form), read.document->values);
  if (!dialogs.showDifferences(&window, path, diff)) return;
  if (watch.changed() || !ReadyForLoad(form)) {
    dialogs.showError(&window, QCoreApplication::translate("SettingsFile", kEscChanged));
    return;
  }
  PickSettings(form, Differing(diff));
}

void FillPresetMenu(QMenu* menu, QWidget& window, FormMVconfig& form,
                    const LibraryDialogs& dialogs) {
  menu->clear();
  const PresetList list = ListPresets();
  for (const Preset& preset : list.presets) {
    QAction* item = menu->addAction(QString::fromStdString(preset.description));
    item->setToolTip(QFile::decodeName(QByteArray::fromStdString(preset.path)));
    const std::string path = preset.path;
    QObject::connect(item, &QAction::triggered, &window,
                     [&window, &form, dialogs, path] { LoadFile(window, form, dialogs, path); });
  }
  if (list.presets.empty()) menu->addAction(QObject::tr("(no presets found)"))->setEnabled(false);
}

// A preset never replaces another in silence: two descriptions may make one file name
// ("My quad" and "MY QUAD!"), and the user is asked first. Unless Replace is the answer, both
// are kept under names of their own.
void SavePreset(QWidget& window, FormMVconfig& form, const LibraryDialogs& dialogs) {
  const QString description = dialogs.presetDescription(&window).trimmed();
  if (description.isEmpty()) return;
  const PresetPlace place = UserPresetPlace(description.toStdString());
  Existing existing = Existing::Keep;
  if (place.taken) {
    const auto fileName = [](const std::string& name) {
      return QFile::decodeName(QByteArray::fromStdString(name + ".json"));
    };
    switch (dialogs.presetExists(&window, QString::fromStdString(*place.taken),
                                 fileName(place.name), fileName(place.otherName))) {
      case LibraryDialogs::Clash::Cancel:
        return;
      case LibraryDialogs::Clash::Replace:
        existing = Existing::Replace;
        break;
      case LibraryDialogs::Clash::KeepBoth:
        break;
    }
  }
  // What the panel shows now, after the dialogs, as Ctrl+S saves it.
  if (const SavedPreset saved = SaveUserPreset(description.toStdString(), PanelDocument(form),
                                               existing, InWindowLanguage);
      !saved.error.empty()) {
    dialogs.showError(&window, QString::fromStdString(saved.error));
  }
}

}  // namespace

LibraryDialogs StandardLibraryDialogs() {
  return {
      [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QObject::tr("Compare with file"), QString(),
                                            QObject::tr("Settings files (*.json)"));
      },
      [](QWidget* parent, const QString& file, const std::vector<SettingDifference>& diff) {
        CompareDialog dialog(file, diff, parent);
        return dialog.exec() == QDialog::Accepted;
      },
      [](QWidget* parent) {
        return QInputDialog::getText(parent, QObject::tr("Save as preset"),
                                     QObject::tr("Description, e.g. \"3S LiPo, soft cutoff\":"));
      },
      [](QWidget* parent, const QString& message) {
        QMessageBox::warning(parent, QObject::tr("Settings library"), message);
      },
      [](QWidget* parent, const QString& existing, const QString& file, const QString& otherFile) {
        QMessageBox ask(QMessageBox::Question, QObject::tr("Save as preset"),
                        QObject::tr("The preset \"%1\" is saved as %2 already. Replace it, or "
                                    "keep it and save the new one as %3?")
                            .arg(existing, file, otherFile),
                        QMessageBox::NoButton, parent);
        QPushButton* replace = ask.addButton(QObject::tr("&Replace"), QMessageBox::DestructiveRole);
        QPushButton* keep = ask.addButton(QObject::tr("&Keep both"), QMessageBox::AcceptRole);
        ask.addButton(QMessageBox::Cancel);
        ask.setDefaultButton(keep);
        ask.exec();
        if (ask.clickedButton() == replace) return LibraryDialogs::Clash::Replace;
        if (ask.clickedButton() == keep) return LibraryDialogs::Clash::KeepBoth;
        return LibraryDialogs::Clash::Cancel;
      },
  };
}

SettingsLibraryCommands InstallSettingsLibraryCommands(QWidget& window, FormMVconfig& form,
                                                       LibraryDialogs dialogs) {
  auto* panel = window.findChild<QWidget*>(QStringLiteral("FrameConfig"));
  panel->setContextMenuPolicy(Qt::ActionsContextMenu);
  SettingsHistory* history = &(new HistoryHolder(form, panel))->history;

  AddSeparator(panel);
  QAction* compare = MakeCommand(QObject::tr("Compare with file\u2026"), panel);
  QAction* applyPreset = MakeCommand(QObject::tr("Apply preset"), panel);
  auto* presets = new QMenu(panel);
  applyPreset->setMenu(presets);
  QAction* savePreset = MakeCommand(QObject::tr("Save as preset\u2026"), panel);
  AddSeparator(panel);
  QAction* undo = MakeCommand(QObject::tr("Undo"), panel);
  undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  QAction* redo = MakeCommand(QObject::tr("Redo"), panel);
  redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));

  QObject::connect(compare, &QAction::triggered, panel,
                   [&window, &form, dialogs] { Compare(window, form, dialogs); });
  QObject::connect(presets, &QMenu::aboutToShow, panel, [presets, &window, &form, dialogs] {
    FillPresetMenu(presets, window, form, dialogs);
  });
  QObject::connect(savePreset, &QAction::triggered, panel,
                   [&window, &form, dialogs] { SavePreset(window, form, dialogs); });
  QObject::connect(undo, &QAction::triggered, panel, [history] { history->undo(); });
  QObject::connect(redo, &QAction::triggered, panel, [history] { history->redo(); });

  // What undo and redo would do, in the window's language, whenever that changes.
  const auto show = [history, undo, redo] {
    const std::vector<HistoryStep>& undos = history->undoSteps();
    const std::vector<HistoryStep>& redos = history->redoSteps();
    undo->setText(undos.empty() ? QObject::tr("Undo")
                                : QObject::tr("Undo: %1").arg(StepText(undos.back(), true)));
    undo->setEnabled(history->canUndo());
    redo->setText(redos.empty() ? QObject::tr("Redo")
                                : QObject::tr("Redo: %1").arg(StepText(redos.back(), false)));
    redo->setEnabled(history->canRedo());
  };
  show();
  history->changed.connect(show);
  return {compare, applyPreset, savePreset, undo, redo, history};
}

}  // namespace morvane
