// SPDX-License-Identifier: GPL-3.0-or-later
// The differences between the connected ESC and a settings file, in a small dialog: each
// setting the file gives, the ESC's value beside the file's. "Apply these" loads the
// differing values as Ctrl+O would; "Close" writes nothing.
#pragma once

#include <QDialog>
#include <vector>

#include "settings/settings_diff.h"

class QPushButton;

namespace morvane {

class CompareDialog : public QDialog {
  Q_OBJECT

 public:
  // `file` is the name shown, as the user chose it.
  CompareDialog(const QString& file, const std::vector<SettingDifference>& diff,
                QWidget* parent = nullptr);
  QPushButton* applyButton() const { return apply_; }

 private:
  QPushButton* apply_;
};

}  // namespace morvane
