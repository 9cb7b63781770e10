// SPDX-License-Identifier: GPL-3.0-or-later
#include "motortest/csv_lines.h"

#include <algorithm>
#include <cmath>

namespace morvane {
namespace {

// Digits by integer arithmetic: no library call that could take a comma from the locale.
std::string Scaled(std::int64_t scaled, int places) {
  const bool negative = scaled < 0;
  std::string digits = std::to_string(negative ? -scaled : scaled);
  if (places > 0) {
    if (static_cast<int>(digits.size()) <= places) {
      digits.insert(0, static_cast<std::size_t>(places + 1) - digits.size(), '0');
    }
    digits.insert(digits.size() - static_cast<std::size_t>(places), 1, '.');
  }
  return negative ? "-" + digits : digits;
}

}  // namespace

std::string FixedPoint(double value, int places) {
  return Scaled(std::llround(value * std::pow(10.0, places)), places);
}

std::string RecordingRow(const MotorSample& s, std::int64_t startMs) {
  return Scaled(s.tMs - startMs, 3) + "," + std::to_string(s.throttle) + "," +
         (s.rpmRaw ? std::to_string(*s.rpmRaw) : std::string()) + "," + std::to_string(s.rpmAvg) +
         "," + std::to_string(s.poles);
}

namespace {

std::string Fixed(const std::optional<double>& value, int places) {
  return value ? FixedPoint(*value, places) : std::string();
}

std::string Cell(const std::optional<double>& value, int places) {
  // Appended, not "," + a temporary: GCC 12 warns on that at -O3 (-Wrestrict).
  std::string cell(",");
  cell += Fixed(value, places);
  return cell;
}

}  // namespace

std::vector<std::string> SweepRowCells(const SweepRow& row, bool standColumns) {
  std::vector<std::string> cells = {std::to_string(row.throttle), FixedPoint(row.rpmMean, 1),
                                    Fixed(row.rpmSd, 1), std::to_string(row.samples)};
  if (!standColumns) return cells;
  const StandRow s = row.stand.value_or(StandRow{});
  for (const std::string& cell :
       {Fixed(s.thrustMean, 1), Fixed(s.thrustSd, 1), Fixed(s.currentA, 2), Fixed(s.voltageV, 2),
        Fixed(s.powerW, 1), Fixed(s.gramsPerWatt, 2)}) {
    cells.push_back(cell);
  }
  return cells;
}

std::string SweepTableRow(const SweepRow& row, bool standColumns) {
  const std::vector<std::string> cells = SweepRowCells(row, standColumns);
  std::string line = cells.front();
  for (std::size_t i = 1; i < cells.size(); ++i) line += "," + cells[i];
  return line;
}

bool HasStandColumns(const std::vector<SweepRow>& rows) {
  return std::any_of(rows.begin(), rows.end(),
                     [](const SweepRow& r) { return r.stand.has_value(); });
}

std::vector<std::string> SweepTable(const std::vector<SweepRow>& rows) {
  const bool stand = HasStandColumns(rows);
  std::vector<std::string> lines = {stand ? std::string(kSweepTableHeader) + kSweepStandHeader
                                          : std::string(kSweepTableHeader)};
  for (const SweepRow& row : rows) lines.push_back(SweepTableRow(row, stand));
  return lines;
}

std::string StandColumns(const std::optional<StandReading>& r) {
  if (!r) return ",,,";
  return Cell(r->thrustG, 1) + Cell(r->currentA, 2) + Cell(r->voltageV, 2);
}

}  // namespace morvane
