// SPDX-License-Identifier: GPL-3.0-or-later
// "Save report...": one page a person can keep, as PDF or PNG by the name's ending. It holds
// the sweep's table, thrust and efficiency against throttle (the speed without a stand), the
// ESC's model, firmware and settings, the stand's calibration and the time.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "motortest/sweep_plan.h"

namespace morvane {

struct MotorReport {
  QDateTime time;
  QString model;
  QString firmware;
  std::vector<std::pair<QString, QString>> settings;  // name, value as the window shows it
  QString stand;                                      // port and calibration; empty without a stand
  QString status;                                     // how the sweep ended
  std::vector<SweepRow> rows;   // for the curves
  QStringList heads;            // the table as the window shows it
  std::vector<QStringList> cells;
};

// The page as a picture width pixels wide (A4's proportions).
QImage RenderReport(const MotorReport& report, int width);
// A PDF for a name ending in .pdf, else a PNG; false, with the reason, when not written. An
// older file of that name stays until the new one is whole.
bool SaveReport(const QString& path, const MotorReport& report, QString* error);

}  // namespace morvane
