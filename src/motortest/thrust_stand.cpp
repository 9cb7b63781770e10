// SPDX-License-Identifier: GPL-3.0-or-later
#include "motortest/thrust_stand.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <locale>
#include <sstream>
#include <string>

namespace morvane {
namespace {

std::string_view Trim(std::string_view s) {
  const auto space = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// A plain decimal number, read without the locale; "nan", "inf" and anything after it refused.
std::optional<double> Number(std::string_view s, std::size_t* used = nullptr) {
  if (s.empty()) return std::nullopt;
  const char* begin = s.data();
  if (*begin == '+') ++begin;
  const char* end = s.data() + s.size();
  if (begin == end ||
      !(std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '-' || *begin == '.')) {
    return std::nullopt;
  }
  // The number's extent: a sign, digits, a point, digits; at least one digit.
  const char* ptr = begin;
  if (*ptr == '-') ++ptr;
  const auto digits = [&] {
    const char* from = ptr;
    while (ptr != end && std::isdigit(static_cast<unsigned char>(*ptr))) ++ptr;
    return ptr != from;
  };
  bool any = digits();
  if (ptr != end && *ptr == '.') {
    ++ptr;
    any = digits() || any;
  }
  if (!any) return std::nullopt;
  // Converted in the classic locale, so a point is always the decimal point. (The
  // WebAssembly build's libc++ has no from_chars for a double.)
  std::istringstream in(std::string(begin, ptr));
  in.imbue(std::locale::classic());
  double value = 0;
  if (!(in >> value) || !std::isfinite(value)) return std::nullopt;
  if (used != nullptr) {
    *used = static_cast<std::size_t>(ptr - s.data());
  } else if (ptr != end) {
    return std::nullopt;
  }
  return value;
}

bool IsName(std::string_view s) {
  return !s.empty() && std::isalpha(static_cast<unsigned char>(s.front())) &&
         std::all_of(s.begin(), s.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '(' || c == ')' ||
                  c == '[' || c == ']' || c == '/' || c == ' ';
         });
}

// "thrust_g", "Thrust (g)", "current", "I", "voltage_v", "U": what a header or label names.
StandColumn ColumnNamed(std::string_view name) {
  const std::string n = Lower(name);
  const std::string head = n.substr(0, n.find_first_of("_([/ "));
  for (const char* word : {"thrust", "weight", "load", "force", "mass"}) {
    if (head.rfind(word, 0) == 0) return StandColumn::Thrust;
  }
  if (head.rfind("curr", 0) == 0 || head.rfind("amp", 0) == 0 || head == "i") {
    return StandColumn::Current;
  }
  if (head.rfind("volt", 0) == 0 || head == "v" || head == "u") return StandColumn::Voltage;
  return StandColumn::Unused;
}

// A unit after a labelled value, as the factor to grams, amperes or volts; none for a unit
// that is not one of these.
std::optional<double> UnitFactor(std::string_view unit) {
  const std::string u = Lower(Trim(unit));
  if (u.empty() || u == "g" || u == "gf" || u == "a" || u == "v") return 1.0;
  if (u == "kg" || u == "kgf") return 1000.0;
  if (u == "ma" || u == "mv") return 0.001;
  return std::nullopt;
}

void Put(StandReading& r, StandColumn column, double value) {
  switch (column) {
    case StandColumn::Thrust:
      r.thrustG = value;
      break;
    case StandColumn::Current:
      r.currentA = value;
      break;
    case StandColumn::Voltage:
      r.voltageV = value;
      break;
    case StandColumn::Unused:
      break;
  }
}

// Less than this above the tare is no weight to calibrate with: the scale would be noise.
constexpr double kLeastCalibrationG = 1.0;

}  // namespace

std::optional<double> StandReading::powerW() const {
  if (!currentA || !voltageV) return std::nullopt;
  return *currentA * *voltageV;
}

std::optional<double> StandReading::gramsPerWatt() const {
  const std::optional<double> power = powerW();
  // A stand pulled the wrong way, or tared under load, reads below 0: no efficiency of that.
  if (!thrustG || *thrustG <= 0 || !power || *power <= 0) return std::nullopt;
  return *thrustG / *power;
}

ParsedLine ParseStandLine(std::string_view line, const ColumnMap& columns) {
  line = Trim(line);
  if (line.empty()) return {ParsedLine::Kind::Empty, {}, {}};
  const ParsedLine junk{ParsedLine::Kind::Junk, {}, {}};
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t cut = line.find_first_of(",;\t", start);
    fields.push_back(Trim(line.substr(start, cut - start)));
    if (cut == std::string_view::npos) break;
    start = cut + 1;
  }
  ParsedLine parsed{ParsedLine::Kind::Reading, {}, {}};
  bool numbers = false;
  bool names = false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string_view field = fields[i];
    if (const std::size_t colon = field.find_first_of(":="); colon != std::string_view::npos) {
      // "thrust: 123.4 g"
      const std::string_view value = Trim(field.substr(colon + 1));
      std::size_t used = 0;
      const std::optional<double> number = Number(value, &used);
      const std::optional<double> factor =
          number ? UnitFactor(value.substr(used)) : std::optional<double>();
      if (!factor) return junk;
      Put(parsed.reading, ColumnNamed(Trim(field.substr(0, colon))), *number * *factor);
      numbers = true;
    } else if (const std::optional<double> number = Number(field)) {
      Put(parsed.reading, i < columns.size() ? columns[i] : StandColumn::Unused, *number);
      numbers = true;
    } else if (IsName(field)) {
      parsed.columns.push_back(ColumnNamed(field));
      names = true;
    } else {
      return junk;
    }
  }
  if (names) {
    // A header names every column, and one of them must be the thrust.
    const bool thrust = std::find(parsed.columns.begin(), parsed.columns.end(),
                                  StandColumn::Thrust) != parsed.columns.end();
    if (numbers || !thrust) return junk;
    parsed.kind = ParsedLine::Kind::Header;
    return parsed;
  }
  if (!parsed.reading.thrustG) return junk;
  return parsed;
}

std::vector<StandLineSplitter::Line> StandLineSplitter::feed(std::string_view bytes) {
  std::vector<Line> lines;
  for (const char c : bytes) {
    if (c == '\n') {
      if (!partial_.empty() && partial_.back() == '\r') partial_.pop_back();
      lines.push_back({std::move(partial_), overflow_});
      partial_.clear();
      overflow_ = false;
    } else if (overflow_) {
      continue;  // junk already: keep none of it
    } else if (partial_.size() < kMaxLine) {
      partial_ += c;
    } else {
      overflow_ = true;
      partial_.clear();
    }
  }
  return lines;
}

ThrustStand::ThrustStand(const Clock& clock) : clock_(clock) {}

void ThrustStand::setOpen(bool open) {
  if (open == open_) return;
  open_ = open;
  splitter_ = {};
  active_ = chosen_;
  rawThrust_.reset();
  latest_.reset();
  latestMs_ = -1;
  good_ = 0;
  junk_ = 0;
  openedMs_ = clock_.elapsedMs();
  changed.notify();
}

void ThrustStand::setColumns(const ColumnMap& columns, bool headerNamesColumns) {
  chosen_ = columns;
  headerNamesColumns_ = headerNamesColumns;
  active_ = columns;
  changed.notify();
}

std::int64_t ThrustStand::quietMs() const {
  return clock_.elapsedMs() - std::max(openedMs_, latestMs_);
}

void ThrustStand::receive(std::string_view bytes) {
  if (!open_) return;
  for (const StandLineSplitter::Line& l : splitter_.feed(bytes)) line(l);
}

void ThrustStand::line(const StandLineSplitter::Line& l) {
  const ParsedLine parsed = l.tooLong ? ParsedLine{} : ParseStandLine(l.text, active_);
  switch (parsed.kind) {
    case ParsedLine::Kind::Empty:
      return;
    case ParsedLine::Kind::Header:
      if (headerNamesColumns_) active_ = parsed.columns;
      changed.notify();
      return;
    case ParsedLine::Kind::Junk:
      ++junk_;
      changed.notify();
      return;
    case ParsedLine::Kind::Reading:
      break;
  }
  rawThrust_ = parsed.reading.thrustG;
  StandReading r = parsed.reading;
  r.thrustG = (*rawThrust_ - calibration_.offsetG) * calibration_.scale;
  latest_ = r;
  latestMs_ = clock_.elapsedMs();
  ++good_;
  reading(r);
}

std::string ThrustStand::tare(const TranslateText& translate) {
  if (!rawThrust_) {
    return Phrase(translate, "Stand",
                  MORVANE_TRANSLATABLE("Stand", "No thrust reading yet: nothing to tare."));
  }
  calibration_.offsetG = *rawThrust_;
  if (latest_) latest_->thrustG = 0.0;
  changed.notify();
  return {};
}

std::string ThrustStand::calibrate(double knownG, const TranslateText& translate) {
  const Phrases say(translate, "Stand");
  if (!std::isfinite(knownG) || knownG <= 0) {
    return say(MORVANE_TRANSLATABLE("Stand", "The known weight must be above 0 g."));
  }
  if (!rawThrust_) {
    return say(MORVANE_TRANSLATABLE("Stand", "No thrust reading yet: nothing to calibrate."));
  }
  const double net = *rawThrust_ - calibration_.offsetG;
  // A load cell that barely moved gives a scale out of noise.
  if (std::abs(net) < kLeastCalibrationG) {
    return say(MORVANE_TRANSLATABLE("Stand",
                                    "The stand reads no weight: tare it empty, then put the "
                                    "known weight on it."));
  }
  calibration_.scale = knownG / net;
  if (latest_) latest_->thrustG = knownG;
  changed.notify();
  return {};
}

}  // namespace morvane
