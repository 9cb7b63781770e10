// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_options.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>

namespace morvane::sim {
namespace {

constexpr int kNoiseBytes = 2;
constexpr double kMaxDelayMs = 60000;

bool ParseInt(const std::string& text, long min, long max, long& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return !text.empty() && ec == std::errc() && ptr == end && out >= min && out <= max;
}

bool ParseMs(const std::string& text, double& out) {
  // Plain decimal only: no sign, exponent, "inf" or "nan".
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return false;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && std::isfinite(out) && out <= kMaxDelayMs;
}

bool ParseSettings(const std::string& text, SettingBytes& out) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const std::size_t comma = text.find(',', start);
    const bool last = i + 1 == out.size();
    if (last != (comma == std::string::npos)) return false;
    long v = 0;
    if (!ParseInt(text.substr(start, last ? std::string::npos : comma - start), 0, 255, v)) {
      return false;
    }
    out[i] = static_cast<std::uint8_t>(v);
    start = comma + 1;
  }
  return true;
}

// Any of the stand's options puts a stand on the second terminal.
StandConfig& Stand(SimOptions& o) {
  if (!o.stand) o.stand.emplace();
  return *o.stand;
}

bool ParseStandForm(const std::string& text, StandForm& out) {
  static const std::map<std::string, StandForm> forms = {
      {"plain", StandForm::Plain}, {"labelled", StandForm::Labelled}, {"csv", StandForm::Csv}};
  const auto found = forms.find(text);
  if (found == forms.end()) return false;
  out = found->second;
  return true;
}

using ValueSetter = std::function<bool(const std::string&, SimOptions&)>;

struct ValueOption {
  const char* meta;
  const char* expected;
  ValueSetter set;
};

const std::map<std::string, ValueOption>& ValueOptions() {
  static const std::map<std::string, ValueOption> options = {
      {"--latency",
       {"MS", "a number of milliseconds from 0 to 60000",
        [](const std::string& v, SimOptions& o) { return ParseMs(v, o.faults.latencyMs); }}},
      {"--split",
       {"MS", "a number of milliseconds from 0 to 60000",
        [](const std::string& v, SimOptions& o) {
          o.faults.splitAfter = 1;
          return ParseMs(v, o.faults.splitGapMs);
        }}},
      {"--hardware",
       {"N", "a whole number from 0 to 65535",
        [](const std::string& v, SimOptions& o) {
          long n = 0;
          if (!ParseInt(v, 0, 65535, n)) return false;
          o.esc.hardware = static_cast<std::uint16_t>(n);
          return true;
        }}},
      {"--firmware",
       {"N", "a whole number from 0 to 65535",
        [](const std::string& v, SimOptions& o) {
          long n = 0;
          if (!ParseInt(v, 0, 65535, n)) return false;
          o.esc.firmware = static_cast<std::uint16_t>(n);
          return true;
        }}},
      {"--settings",
       {"a,b,c,d,e", "five value bytes from 0 to 255, separated by commas",
        [](const std::string& v, SimOptions& o) { return ParseSettings(v, o.esc.settings); }}},
      {"--motor-kv",
       {"KV", "a whole number from 100 to 5000",
        [](const std::string& v, SimOptions& o) {
          long n = 0;
          if (!ParseInt(v, 100, 5000, n)) return false;
          o.esc.motor.kv = static_cast<double>(n);
          return true;
        }}},
      {"--drop-every",
       {"N", "a whole number from 1 to 1000000",
        [](const std::string& v, SimOptions& o) {
          long n = 0;
          if (!ParseInt(v, 1, 1000000, n)) return false;
          o.faults.dropEvery = static_cast<int>(n);
          return true;
        }}},
      {"--link",
       {"PATH", "a path",
        [](const std::string& v, SimOptions& o) {
          o.linkPath = v;
          return !v.empty();
        }}},
      {"--thrust-stand",
       {"PATH", "a path",
        [](const std::string& v, SimOptions& o) {
          Stand(o);
          o.standLinkPath = v;
          return !v.empty();
        }}},
      {"--stand-form",
       {"FORM", "plain, labelled or csv",
        [](const std::string& v, SimOptions& o) { return ParseStandForm(v, Stand(o).form); }}},
      {"--stand-rate",
       {"HZ", "a whole number from 1 to 200",
        [](const std::string& v, SimOptions& o) {
          long n = 0;
          if (!ParseInt(v, 1, 200, n)) return false;
          Stand(o).rateHz = static_cast<double>(n);
          return true;
        }}},
      {"--stand-garbage-every",
       {"N", "a whole number from 1 to 1000000",
        [](const std::string& v, SimOptions& o) {
          long n = 0;
          if (!ParseInt(v, 1, 1000000, n)) return false;
          Stand(o).garbageEvery = static_cast<int>(n);
          return true;
        }}},
      {"--stand-silent-after",
       {"MS", "a number of milliseconds from 0 to 60000",
        [](const std::string& v, SimOptions& o) {
          return ParseMs(v, Stand(o).silentAfterMs);
        }}},
      {"--log",
       {"FILE", "a file name",
        [](const std::string& v, SimOptions& o) {
          o.logPath = v;
          return !v.empty();
        }}},
  };
  return options;
}

const std::map<std::string, std::function<void(SimOptions&)>>& FlagOptions() {
  static const std::map<std::string, std::function<void(SimOptions&)>> flags = {
      {"--echo", [](SimOptions& o) { o.echo = true; }},
      {"--noise", [](SimOptions& o) { o.faults.noiseBytes = kNoiseBytes; }},
      {"--silent", [](SimOptions& o) { o.faults.silent = true; }},
      {"--stand-no-header", [](SimOptions& o) { Stand(o).header = false; }},
      {"--help", [](SimOptions& o) { o.help = true; }},
      {"-h", [](SimOptions& o) { o.help = true; }},
  };
  return flags;
}

ParseResult Fail(std::string message) {
  return {std::nullopt, std::move(message) + " (see --help)"};
}

}  // namespace

ParseResult ParseSimOptions(const std::vector<std::string>& args) {
  SimOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const std::size_t eq = name.find('=');
        name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    if (auto flag = FlagOptions().find(name); flag != FlagOptions().end()) {
      if (value) return Fail("option " + name + " takes no value");
      flag->second(options);
      continue;
    }
    auto option = ValueOptions().find(name);
    if (option == ValueOptions().end()) {
      if (name.rfind('-', 0) == 0) return Fail("unknown option '" + name + "'");
      return Fail("unexpected argument '" + name + "'");
    }
    if (!value) {
      if (i + 1 >= args.size()) {
        return Fail("option " + name + " needs a value (" + option->second.meta + ")");
      }
      value = args[++i];
    }
    if (!option->second.set(*value, options)) {
      return Fail("bad value '" + *value + "' for " + name + ": expected " +
                  option->second.expected);
    }
  }
  return {options, {}};
}

std::string SimUsage() {
  return R"(Usage: morvane-esc-sim [OPTION]...
A simulated Morvane ESC on a pseudo-terminal. Prints the terminal's device path as the
first line of its output, then answers the configuration tool on it in real time until
it is stopped with Ctrl+C (SIGINT) or SIGTERM.

Line and device:
  --link PATH        also make PATH a symbolic link to the terminal, removed on exit;
                     refused (status 1) where something is already there, except a
                     link into /dev/pts/ that a killed simulator left behind
  --echo             the line returns every frame before the reply, as a one-wire link does
  --hardware N       hardware number of the version reply, 0..65535 (default 9503,
                     "MORVANE QR-18A V1.003")
  --firmware N       firmware number of the version reply, 0..65535 (default 1234, "V1.234")
  --settings a,b,c,d,e
                     the five setting value bytes (0..255) by parameter id: cutoff voltage,
                     brake, timing, cutoff type, direction (default 2,1,2,2,1: factory)

Motor:
  --motor-kv KV      a motor of KV r/min per volt (100..5000) with 14 poles on 11.1 V,
                     turning a propeller: its speed rises less and less with the throttle
                     (default: 10 electrical revolutions a second per throttle step, a
                     straight line)

Faults:
  --latency MS       pause from the end of a frame to its reply (default 1)
  --split MS         send each reply longer than one byte in two pieces, MS apart: the 'Y'
                     first, then the rest
  --noise            two stray bytes (never 'A' or 'Y') before every reply
  --drop-every N     lose every Nth reply
  --silent           answer nothing

Thrust stand:
  --thrust-stand PATH
                     a thrust stand on a second terminal, PATH a symbolic link to it as
                     with --link; its device path is the second line of the output. It
                     sends readings of the simulated motor: thrust with the square of
                     the speed, current with its cube, with 1 % noise, on a mount of 35 g
  --stand-form FORM  plain ("123.4"), labelled ("thrust: 123.4 g, current: ...") or
                     csv ("123.4,12.10,11.92", the default)
  --stand-no-header  csv without the header line "thrust_g,current_a,voltage_v" (sent
                     first and every 10 s otherwise)
  --stand-rate HZ    readings a second, 1..200 (default 40)
  --stand-garbage-every N
                     every Nth line is garbage
  --stand-silent-after MS
                     the stand sends nothing from MS after the start
Any of the stand's options alone puts a stand on a second terminal without a link.

Other:
  --log FILE         write every frame received and every reply sent to FILE, one per line,
                     with the time; a log that cannot be written is reported once, the
                     ESC goes on answering, and the exit status is 1
  -h, --help         show this help and exit

The motor's speed follows the throttle with a time constant of 250 ms, and the speed it
reports wavers by up to 0.6 %. Exit status: 0 when stopped by a signal, 1 when the
terminal, the link or the log cannot be made or the log could not be written, 2 for a
bad option.

Example: morvane-esc-sim --link /tmp/esc --echo &
         MORVANE_ESC_PORTS=/tmp/esc morvane-esc-config

)" + std::string("morvane-esc-sim ") +
         std::to_string(MORVANE_VERSION_MAJOR) + "." + std::to_string(MORVANE_VERSION_MINOR) + "." +
         std::to_string(MORVANE_VERSION_PATCH) +
         "\n"
         "Copyright (C) 2026 the Morvane ESC Config maintainers.\n"
         "License GPL-3.0-or-later: GNU GPL version 3 or later "
         "<https://gnu.org/licenses/gpl.html>.\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.\n";
}

}  // namespace morvane::sim
