// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the settings changed in one connection. A step is what one action
// changed (a pick, Restore Default, a loaded file): the changes the ESC confirmed until no
// write is left outstanding. Undo picks each setting's previous entry as a user would, so the
// window's own rules write it once and confirm it by the read-back. The history belongs to
// the connection: a new one, of this ESC or another, starts it empty, so nothing of one ESC
// is ever written to another.
#pragma once

#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "form/form_mvconfig.h"

namespace morvane {

struct SettingChange {
  int setting = 0;
  int from = 0;  // what the ESC held before
  int to = 0;    // what it confirmed
};
using HistoryStep = std::vector<SettingChange>;

class SettingsHistory {
 public:
  explicit SettingsHistory(FormMVconfig& form);
  SettingsHistory(const SettingsHistory&) = delete;
  SettingsHistory& operator=(const SettingsHistory&) = delete;

  // False while nothing is to be taken back or a write is still outstanding.
  bool canUndo() const;
  bool canRedo() const;
  // Picks the step's previous entries; false when it cannot (see canUndo).
  bool undo();
  bool redo();
  // "Undo: brake Enable → Disable", or "Undo" when there is nothing to undo.
  std::string undoText() const;
  std::string redoText() const;

  const std::vector<HistoryStep>& undoSteps() const { return undo_; }
  const std::vector<HistoryStep>& redoSteps() const { return redo_; }
  // Raised whenever what undo or redo would do changes.
  Observers changed;

 private:
  enum class Doing { User, Undo, Redo };

  void clear();
  void onConfirmed(const SettingReport& report);
  bool quiet() const;
  void closeStep();
  bool pick(const HistoryStep& step, bool back);

  FormMVconfig& form_;
  CallbackList<const EscFound&>::Subscription found_;
  CallbackList<const EscLost&>::Subscription lost_;
  CallbackList<const SettingReport&>::Subscription reported_;
  CallbackList<const SettingReport&>::Subscription confirmed_;

  SettingValues known_ = kNoSettings;  // what the ESC last said it holds
  HistoryStep open_;                   // confirmed since the last quiet moment
  Doing doing_ = Doing::User;
  std::vector<HistoryStep> undo_;
  std::vector<HistoryStep> redo_;
};

}  // namespace morvane
