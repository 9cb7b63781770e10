// SPDX-License-Identifier: GPL-3.0-or-later
// A thrust stand on a second serial port: a load cell (and often a current and voltage
// sensor) read by a small board that prints one line per reading. The lines come as
// "123.4", "thrust: 123.4 g", or "123.4,12.1,11.85" with or without a header line
// "thrust_g,current_a,voltage_v". Here they are cut into lines, read, tared and calibrated;
// the port itself is the shell's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/controls.h"
#include "link/callback_list.h"
#include "link/seams.h"
#include "link/translatable.h"

namespace morvane {

enum class StandColumn { Thrust, Current, Voltage, Unused };

// What the stand measured in one line; thrust in grams, current in amperes, voltage in volts.
struct StandReading {
  std::optional<double> thrustG;
  std::optional<double> currentA;
  std::optional<double> voltageV;

  std::optional<double> powerW() const;
  // Grams per watt; none without thrust and power above zero.
  std::optional<double> gramsPerWatt() const;
};

struct ParsedLine {
  enum class Kind { Reading, Header, Junk, Empty };
  Kind kind = Kind::Junk;
  StandReading reading;              // Reading
  std::vector<StandColumn> columns;  // Header: what each column holds
};

// Columns of a line of bare numbers, in order; columns past the end are unused.
using ColumnMap = std::vector<StandColumn>;
inline const ColumnMap kDefaultColumns = {StandColumn::Thrust, StandColumn::Current,
                                          StandColumn::Voltage};

// One line without its line break. A value that is not a finite number makes the line junk.
ParsedLine ParseStandLine(std::string_view line, const ColumnMap& columns);

// Bytes as they come off the port, cut at line breaks. A line longer than kMaxLine is
// junk: a board printing garbage is no reason to hold memory.
class StandLineSplitter {
 public:
  static constexpr std::size_t kMaxLine = 200;
  // The complete lines in bytes; an overlong one comes as a line of its own marked too long.
  struct Line {
    std::string text;
    bool tooLong = false;
  };
  std::vector<Line> feed(std::string_view bytes);

 private:
  std::string partial_;
  bool overflow_ = false;
};

// Reading = (raw - offset) * scale; the offset comes from a tare, the scale from a known weight.
struct StandCalibration {
  double offsetG = 0;
  double scale = 1;
};

class ThrustStand {
 public:
  // A stand that sends nothing good for longer than this during a sweep stops it.
  static constexpr std::int64_t kSilentMs = 1000;

  explicit ThrustStand(const Clock& clock);

  // The port is open (readings are expected) or closed.
  void setOpen(bool open);
  bool isOpen() const { return open_; }
  void receive(std::string_view bytes);

  // Header: columns follow a header line when one comes; else always the chosen ones.
  void setColumns(const ColumnMap& columns, bool headerNamesColumns);
  const ColumnMap& columns() const { return active_; }

  // The last reading as calibrated, and when it came; none before the first.
  const std::optional<StandReading>& latest() const { return latest_; }
  std::int64_t latestMs() const { return latestMs_; }
  // How long no good line has come: since the last one, or since the open when none has.
  std::int64_t quietMs() const;
  int goodLines() const { return good_; }
  int junkLines() const { return junk_; }

  // Both refuse (with a reason, in English unless the window passes its language) without
  // a thrust reading; the caller sees to it that the motor stands still.
  std::string tare(const TranslateText& translate = {});
  std::string calibrate(double knownG, const TranslateText& translate = {});
  const StandCalibration& calibration() const { return calibration_; }
  void setCalibration(const StandCalibration& c) { calibration_ = c; }

  // Raised with each good reading, calibrated.
  CallbackList<const StandReading&> reading;
  // Raised on a header, a junk line, an open or a close.
  Observers changed;

 private:
  void line(const StandLineSplitter::Line& l);

  const Clock& clock_;
  bool open_ = false;
  std::int64_t openedMs_ = 0;
  StandLineSplitter splitter_;
  ColumnMap chosen_ = kDefaultColumns;
  ColumnMap active_ = kDefaultColumns;
  bool headerNamesColumns_ = true;
  StandCalibration calibration_;
  std::optional<double> rawThrust_;
  std::optional<StandReading> latest_;
  std::int64_t latestMs_ = -1;
  int good_ = 0;
  int junk_ = 0;
};

}  // namespace morvane
