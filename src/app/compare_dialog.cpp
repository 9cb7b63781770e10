// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/compare_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/window_language.h"

namespace morvane {
namespace {

// The settings' labels and entries as the panel shows them, in the window's language.
QString Text(const std::string& s) {
  return QCoreApplication::translate("Settings", s.c_str());
}

QString Entry(int setting, int index) {
  return QString::fromStdString(ChoiceText(setting, index, InWindowLanguage));
}

}  // namespace

CompareDialog::CompareDialog(const QString& file, const std::vector<SettingDifference>& diff,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("CompareDialog"));
  setWindowTitle(tr("Compare with file"));
  const int differing = static_cast<int>(
      std::count_if(diff.begin(), diff.end(), [](const auto& d) { return !d.equal(); }));
  auto* heading = new QLabel(this);
  heading->setTextFormat(Qt::PlainText);
  heading->setWordWrap(true);
  const QString name = QFileInfo(file).fileName();
  // English has a singular too: one text for one setting, the translations' forms for more.
  if (differing == 0) {
    heading->setText(tr("The ESC holds every setting of %1.").arg(name));
  } else if (differing == 1) {
    heading->setText(tr("The ESC differs from %1 in 1 setting.").arg(name));
  } else {
    heading->setText(tr("The ESC differs from %1 in %n settings.", nullptr, differing).arg(name));
  }

  auto* table = new QTableWidget(static_cast<int>(diff.size()), 3, this);
  table->setObjectName(QStringLiteral("Differences"));
  table->setAccessibleName(tr("Differences"));
  table->setHorizontalHeaderLabels({tr("Setting"), tr("ESC"), tr("File")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  for (int row = 0; row < static_cast<int>(diff.size()); ++row) {
    const SettingDifference& d = diff[static_cast<std::size_t>(row)];
    const QString cells[] = {Text(kSettings[static_cast<std::size_t>(d.setting)].label),
                             Entry(d.setting, d.esc), Entry(d.setting, d.file)};
    for (int col = 0; col < 3; ++col) {
      auto* item = new QTableWidgetItem(cells[col]);
      // A difference shows in bold, and says so to a screen reader through its tooltip.
      if (!d.equal()) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
        item->setToolTip(tr("differs"));
      }
      table->setItem(row, col, item);
    }
  }
  table->resizeColumnsToContents();
  // A bold glyph's ink may pass its advance (the last f of "Cutoff"): a little room for it.
  const int spare = table->fontMetrics().averageCharWidth() / 2;
  for (int col = 0; col < 3; ++col) table->setColumnWidth(col, table->columnWidth(col) + spare);
  table->horizontalHeader()->setStretchLastSection(true);
  // Its size hint is then the columns' and rows' own, so the dialog opens wide enough for
  // every column whole, in any language, with no scroll bar.
  table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

  auto* buttons = new QDialogButtonBox(this);
  apply_ = buttons->addButton(tr("Apply these"), QDialogButtonBox::AcceptRole);
  apply_->setObjectName(QStringLiteral("ApplyThese"));
  apply_->setEnabled(differing > 0);
  apply_->setToolTip(
      tr("Writes the file's values where the ESC differs, as loading the file "
         "does; each is confirmed by the ESC's reply."));
  QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("Close"));
  close->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(table);
  layout->addWidget(buttons);
}

}  // namespace morvane
