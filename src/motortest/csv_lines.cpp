// SPDX-License-Identifier: GPL-3.0-or-later
#include "motortest/csv_lines.h"

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

std::string SweepTableRow(const SweepRow& row) {
  return std::to_string(row.throttle) + "," + FixedPoint(row.rpmMean, 1) + "," +
         (row.rpmSd ? FixedPoint(*row.rpmSd, 1) : std::string()) + "," +
         std::to_string(row.samples);
}

}  // namespace morvane
