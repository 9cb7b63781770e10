// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog that compares the ESC with a settings file, in each language shipped and in
// English: every text whole at the size it opens with, no horizontal scroll bar, and the
// count in its heading in its singular or plural form.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTranslator>
#include <memory>
#include <string>
#include <vector>

#include "app/compare_dialog.h"
#include "link/settings_table.h"
#include "window_bench.h"

namespace morvane::test {
namespace {

class CompareDialogIn : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const QString language = QLatin1String(GetParam());
    if (language == QLatin1String("en")) return;  // the texts as written
    translator_ = std::make_unique<QTranslator>();
    ASSERT_TRUE(translator_->load(QStringLiteral(":/i18n/morvane_%1.qm").arg(language)));
    QCoreApplication::installTranslator(translator_.get());
  }
  void TearDown() override {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
  }

 private:
  std::unique_ptr<QTranslator> translator_;
};

// Every setting with the ESC on entry `shift` of its list and the file on the next one.
std::vector<SettingDifference> EveryoneDiffering(int shift) {
  std::vector<SettingDifference> diff;
  for (int setting : kPanelOrder) {
    const int count = kSettings[static_cast<std::size_t>(setting)].count;
    diff.push_back({setting, shift % count, (shift + 1) % count});
  }
  return diff;
}

void ExpectEverythingWhole(const CompareDialog& dialog, const std::string& what) {
  SCOPED_TRACE(what);
  const auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("Differences"));
  ASSERT_NE(table, nullptr);
  EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(table->verticalScrollBar()->isVisible());
  // The style's item text sits inside a margin on either side of its cell.
  const int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
  for (int row = 0; row < table->rowCount(); ++row) {
    for (int col = 0; col < table->columnCount(); ++col) {
      const QTableWidgetItem* item = table->item(row, col);
      const QRect cell = table->visualItemRect(item).adjusted(margin, 0, -margin, 0);
      ExpectFits(item->font(), item->text(), cell, Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("cell %1,%2").arg(row).arg(col));
      EXPECT_TRUE(table->viewport()->rect().contains(table->visualItemRect(item)));
    }
  }
  const QHeaderView* header = table->horizontalHeader();
  for (int col = 0; col < table->columnCount(); ++col) {
    const QString title = table->horizontalHeaderItem(col)->text();
    EXPECT_GE(header->sectionSize(col), QFontMetrics(header->font()).horizontalAdvance(title))
        << title.toStdString();
  }
  const auto* heading = dialog.findChild<QLabel*>();
  EXPECT_GE(heading->height(), heading->heightForWidth(heading->width()));
}

TEST_P(CompareDialogIn, OpensWithEveryTextWholeAndNoScrollBar) {
  for (int shift = 0; shift < 8; ++shift) {
    CompareDialog dialog(QStringLiteral("/home/pilot/s1.json"), EveryoneDiffering(shift));
    dialog.show();
    ExpectEverythingWhole(dialog, "entries from " + std::to_string(shift));
  }
  // As a reviewer sees it: four settings differ, the last one the ESC holds already.
  std::vector<SettingDifference> four = EveryoneDiffering(0);
  four.back().file = four.back().esc;
  CompareDialog dialog(QStringLiteral("/home/pilot/s1.json"), four);
  dialog.show();
  ExpectEverythingWhole(dialog, "four differ");
  const QDir shots(QStringLiteral(MORVANE_SHOTS_DIR));
  ASSERT_TRUE(shots.mkpath(QStringLiteral(".")));
  EXPECT_TRUE(dialog.grab().save(
      shots.filePath(QStringLiteral("compare-dialog-%1.png").arg(QLatin1String(GetParam())))));
}

INSTANTIATE_TEST_SUITE_P(Languages, CompareDialogIn, testing::Values("en", "de", "es"),
                         [](const auto& info) { return std::string(info.param); });

TEST(CompareDialog, CountsOneSettingInTheSingularAndMoreInThePlural) {
  struct Case {
    std::vector<SettingDifference> diff;
    const char* heading;
  };
  const std::vector<Case> cases = {
      {{{2, 0, 0}}, "The ESC holds every setting of s1.json."},
      {{{2, 0, 1}, {4, 0, 0}}, "The ESC differs from s1.json in 1 setting."},
      {{{0, 1, 3}, {3, 0, 1}, {2, 0, 1}, {1, 1, 0}, {4, 0, 0}},
       "The ESC differs from s1.json in 4 settings."},
  };
  for (const Case& c : cases) {
    const CompareDialog dialog(QStringLiteral("/x/s1.json"), c.diff);
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), QString::fromUtf8(c.heading));
  }
}

}  // namespace
}  // namespace morvane::test
