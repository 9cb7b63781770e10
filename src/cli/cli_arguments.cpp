// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_arguments.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <locale>
#include <sstream>

#include "ports/com_names.h"
#include "protocol/process_reply.h"
#include "link/printable.h"
#include "form/form_mvconfig.h"

namespace morvane::cli {
namespace {

constexpr double kMaxTimeoutSeconds = 3600;
constexpr int kMaxComPort = kPortCount;

enum class Takes { Nothing, File, Assignments };

// The options a command accepts, as a set of bits.
enum Accepts : unsigned {
  kNoOption = 0,
  kPortOption = 1,
  kTimeoutOption = 2,
  kJsonOption = 4,
  kEachOption = 8,  // with --record, which keeps the batch's rows
};

struct CommandInfo {
  const char* name;
  Command command;
  const char* synopsis;
  const char* about;
  unsigned options;  // Accepts bits
  Takes takes;
  bool accepts(unsigned option) const { return (options & option) != 0; }
};

struct OptionInfo {
  const char* name;
  unsigned option;  // the bit a command must accept it by
  bool takesValue;
};

const std::array<OptionInfo, 5> kOptions = {{
    {"--port", kPortOption, true},
    {"--timeout", kTimeoutOption, true},
    {"--json", kJsonOption, false},
    {"--each", kEachOption, false},
    {"--record", kEachOption, true},
}};

const std::array<CommandInfo, 9> kCommands = {{
    {"ports", Command::Ports, "ports [--json]",
     "Lists the port table COM1..COM16, one line per port: COMn, the device and the adapter,\n"
     "separated by tabs. No port is opened.\n",
     kJsonOption, Takes::Nothing},
    {"read", Command::Read, "read [--port P] [--timeout SECONDS] [--json]",
     "Connects, identifies the ESC and reads its five settings, then prints a line\n"
     "\"model: ...\", a line \"firmware: ...\" and one line \"NAME: VALUE\" per setting,\n"
     "in the order of the panel. With --json it prints a settings file instead, which\n"
     "load takes back:\n"
     "  morvane-esc read --json > esc.json\n",
     kPortOption | kTimeoutOption | kJsonOption, Takes::Nothing},
    {"write", Command::Write, "write [--port P] [--timeout SECONDS] SETTING=VALUE...",
     "Connects, reads the five settings, writes each one given and confirms it by the ESC's\n"
     "reply. Prints one line per setting: \"brake: Disable -> Enable\" or\n"
     "\"brake: Enable (unchanged)\".\n",
     kPortOption | kTimeoutOption, Takes::Assignments},
    {"save", Command::Save, "save FILE [--port P] [--timeout SECONDS]",
     "Connects, reads the five settings and saves them to FILE as a settings file.\n",
     kPortOption | kTimeoutOption, Takes::File},
    {"load", Command::Load, "load FILE|PRESET [--port P] [--timeout SECONDS] [--each [--record CSV]]",
     "Reads FILE whole before any port is opened, then connects, writes each setting the file\n"
     "gives that the ESC does not hold yet and confirms it; prints a line per setting as write\n"
     "does. With --each it configures one ESC after another: it waits for an ESC, writes and\n"
     "confirms, prints \"ESC 1: MORVANE QR-18A V1.003, 2 settings written, confirmed\", waits\n"
     "until that ESC is unplugged or stops answering, then takes the next. Ctrl+C ends the\n"
     "batch with a summary; the status is 0 when every ESC was confirmed, else 4.\n"
     "With --record CSV each ESC of the batch appends a row to CSV as it is confirmed or\n"
     "fails: the time (UTC), its number, model, firmware, each setting before and after, and\n"
     "the result (confirmed, not confirmed, lost). A name that is no file is looked up among\n"
     "the presets (see presets).\n",
     kPortOption | kTimeoutOption | kEachOption, Takes::File},
    {"reset", Command::Reset, "reset [--port P] [--timeout SECONDS]",
     "Connects and writes the five factory defaults, as the panel's Restore Default does, and\n"
     "confirms each; prints a line per setting as write does.\n",
     kPortOption | kTimeoutOption, Takes::Nothing},
    {"doctor", Command::Doctor, "doctor [--port P] [--timeout SECONDS] [--json]",
     "Checks what stands between you and the serial adapters, one line per finding with what\n"
     "to do: each adapter (device, chip vendor:product, driver, /dev/serial/by-id name),\n"
     "whether you may open it and why (group, or the uaccess ACL of the user at the seat),\n"
     "whether the package's udev rule is installed, whether ModemManager or brltty run and\n"
     "would take it, which programs hold it now, then whether an ESC answers (the throttle\n"
     "stays 0). The status is 0 when a port opened and an ESC answered.\n",
     kPortOption | kTimeoutOption | kJsonOption, Takes::Nothing},
    {"diff", Command::Diff, "diff FILE|PRESET [--port P] [--timeout SECONDS] [--json]",
     "Connects, reads the five settings and compares them with FILE; nothing is written.\n"
     "Prints one line per setting the file gives: \"= cutoffType: Soft Cutoff\" where the\n"
     "ESC holds the file's value, \"! brake: ESC Disable, file Enable\" where it does not.\n"
     "The status is 0 when the ESC holds every value of the file, 6 when it differs.\n",
     kPortOption | kTimeoutOption | kJsonOption, Takes::File},
    {"presets", Command::Presets, "presets [--json]", nullptr, kJsonOption, Takes::Nothing},
}};

// What the help says where Windows differs: its ports are its own COMn and nothing else
// names them, its presets live elsewhere, and it has no signals to stop a program by.
struct PlatformTexts {
  const char* portHelp;
  const char* presetsFolders;
  const char* stopHelp;
  const char* examplePort;
};

const PlatformTexts kPosixTexts = {
    "  --port P            COMn of the port table (see ports) or a device path such as\n"
    "                      /dev/ttyUSB0. Without it the ports MORVANE_ESC_PORTS lists, or else\n"
    "                      the USB serial adapters, are tried in turn and the first where an\n"
    "                      ESC answers is used; other serial ports are never opened\n",
    "/usr/share/morvane-esc-config/presets and your own in\n"
    "~/.local/share/morvane-esc-config/presets",
    "; 130 stopped by\n"
    "Ctrl+C, 143 by SIGTERM. Errors are one line on standard error.\n",
    "/dev/ttyUSB0",
};

const PlatformTexts kWindowsTexts = {
    "  --port P            COMn, the system's own port of that number (\\\\.\\COMn is the same\n"
    "                      port). Without it the USB serial adapters are tried in turn and the\n"
    "                      first where an ESC answers is used; other serial ports are never\n"
    "                      opened\n",
    "share\\morvane-esc-config\\presets beside the program's folder and your own in\n"
    "%LOCALAPPDATA%\\morvane-esc-config\\presets",
    ".\n"
    "Ctrl+C ends it at once, with the status Windows gives a program so ended (0xC000013A).\n"
    "Errors are one line on standard error.\n",
    "COM3",
};

const PlatformTexts& TextsFor(Platform platform) {
  return platform == Platform::Windows ? kWindowsTexts : kPosixTexts;
}

std::string PresetsAbout(Platform platform) {
  return std::string("Lists the presets: the settings files shipped in\n") +
         TextsFor(platform).presetsFolders +
         " (which win over a shipped one of the same\n"
         "name), one line each: the name, the description and the file, separated by tabs.\n"
         "load and diff take a preset's name in place of a file. No port is opened.\n";
}

const char* const kTimeoutHelp =
    "  --timeout SECONDS   how long to wait, in all, for an ESC to be identified (default 5);\n"
    "                      load --each waits without a limit\n";
const char* const kEachHelp = "  --each              one ESC after another, until Ctrl+C\n";
const char* const kRecordHelp =
    "  --record CSV        with --each: a row per ESC appended to CSV, flushed at once\n";
const char* const kHelpHelp = "  -h, --help          this help\n";

std::string JsonHelp(Command command) {
  if (command == Command::Doctor) {
    return "  --json              the findings as JSON: level, subject, text and remedy\n";
  }
  if (command == Command::Diff) {
    return "  --json              one JSON object: equal, and each setting's name, esc, file\n";
  }
  if (command == Command::Presets) {
    return "  --json              an array of objects with name, description, file and user\n";
  }
  return command == Command::Ports
             ? "  --json              an array of objects with port, device and description\n"
             : "  --json              print a settings file instead of lines\n";
}

std::string SettingsHelp() {
  std::string text =
      "Settings and their values (* the factory default), for SETTING=VALUE\n"
      "and in settings files:\n";
  for (int i : kPanelOrder) {
    std::string line = std::string("  ") + kSettingNames[static_cast<std::size_t>(i)];
    line.resize(21, ' ');
    const std::vector<std::string>& choices = Choices(i);
    for (std::size_t k = 0; k < choices.size(); ++k) {
      line += (k == 0 ? "" : ", ") + choices[k];
      if (static_cast<int>(k) == kSettingDefault[static_cast<std::size_t>(i)]) line += " *";
    }
    text += line + "\n";
  }
  return text +
         "A value matches ignoring case and the degree sign: timingAdvance=10-20 is 10-20\u00b0.\n";
}

const char* const kLicence =
    "Copyright (C) 2026 the Morvane ESC Config maintainers.\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

const char* const kExitHelp =
    "Exit status: 0 done; 1 no ESC answered in time; 2 a usage error; 3 a settings file could\n"
    "not be read or written, or standard output could not be written; 4 a write the ESC did\n"
    "not confirm, the connection lost during the work, or an ESC of an unknown model;\n"
    "5 a port could not be opened; 6 diff: the ESC differs from the file";

std::string ExitHelp(Platform platform) {
  return std::string(kExitHelp) + TextsFor(platform).stopHelp;
}

std::string ProgramHelp(Platform platform) {
  std::string text =
      "Usage: morvane-esc COMMAND [OPTIONS]\n"
      "\n"
      "Reads and changes the five settings of a Morvane ESC over a serial port, with the rules\n"
      "of the window morvane-esc-config. It never runs the motor: the only throttle it sends\n"
      "is 0.\n"
      "\n"
      "Commands:\n";
  for (const CommandInfo& info : kCommands)
    text += "  morvane-esc " + std::string(info.synopsis) + "\n";
  text += "\nOptions:\n";
  text += TextsFor(platform).portHelp;
  text += kTimeoutHelp;
  text +=
      "  --json              read: print a settings file; ports, presets: a JSON array;\n"
      "                      doctor, diff: JSON\n";
  text += kEachHelp;
  text += kRecordHelp;
  text += kHelpHelp;
  text += "  --version           the program's version\n";
  text += "'morvane-esc COMMAND --help' explains one command.\n\n";
  text += SettingsHelp() + "\n" + ExitHelp(platform);
  text += "\nExamples:\n";
  text += std::string("  morvane-esc read --port ") + TextsFor(platform).examplePort + "\n";
  text +=
      "  morvane-esc write brake=Enable timingAdvance=20-30\n"
      "  morvane-esc read --json > quad.json\n"
      "  morvane-esc load quad.json --each\n"
      "  morvane-esc diff quad.json\n"
      "  morvane-esc load 3s-lipo-soft-cutoff --each --record batch.csv\n";
  return text;
}

std::string CommandHelp(const CommandInfo& info, Platform platform) {
  std::string text = "Usage: morvane-esc " + std::string(info.synopsis) + "\n\n";
  text += info.about != nullptr ? info.about : PresetsAbout(platform);
  text += "\nOptions:\n";
  if (info.accepts(kPortOption)) text += TextsFor(platform).portHelp;
  if (info.accepts(kTimeoutOption)) text += kTimeoutHelp;
  if (info.accepts(kJsonOption)) text += JsonHelp(info.command);
  if (info.accepts(kEachOption)) {
    text += kEachHelp;
    text += kRecordHelp;
  }
  text += kHelpHelp;
  // Appended piece by piece: "\n" + a string trips GCC 12's -Wrestrict at -O3.
  if (info.takes == Takes::Assignments) {
    text += '\n';
    text += SettingsHelp();
  }
  if (info.command != Command::Ports) {
    text += '\n';
    text += ExitHelp(platform);
  }
  return text;
}

ParsedArguments Help(std::string text) {
  return {std::nullopt, kExitDone, std::move(text)};
}

ParsedArguments Mistake(const std::string& what, const std::string& helpFor) {
  return {std::nullopt, kExitUsage,
          "morvane-esc: " + Printable(what) + " (see morvane-esc " + helpFor + "--help)\n"};
}

// "COM" and a number in any case, also one no port has (COM0, COM-1, COM17).
bool LooksLikeComPort(const std::string& text) {
  if (text.size() < 4) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != "com"[i]) return false;
  }
  const std::size_t digits = text[3] == '-' ? 4 : 3;
  return text.size() > digits &&
         std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits), text.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool IsComPortInRange(const std::string& text) {
  if (text[3] == '-') return false;
  const std::size_t first = text.find_first_not_of('0', 3);
  if (first == std::string::npos || text.size() - first > 2) return false;
  const int n = std::stoi(text.substr(first));
  return n >= 1 && n <= kMaxComPort;
}

bool ParseSeconds(const std::string& text, int& ms) {
  // Plain decimal only: no sign, exponent, "inf" or "nan".
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return false;
  // The classic locale, whatever the program's: a point is the decimal point. (libc++ 14,
  // which the WebAssembly build has, has no from_chars for a double.)
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double seconds = 0;
  if (!(in >> seconds) || in.peek() != std::char_traits<char>::eof() || !(seconds > 0) ||
      seconds > kMaxTimeoutSeconds) {
    return false;
  }
  ms = static_cast<int>(std::lround(seconds * 1000));
  return ms > 0;
}

// A mistake in one option or its value, or nothing when it was taken into the request.
std::optional<ParsedArguments> TakeOption(const CommandInfo& info, const OptionInfo& option,
                                          std::string value, Platform platform,
                                          CliRequest& request) {
  const std::string helpFor = std::string(info.name) + " ";
  const std::string name = option.name;
  if (name == "--port") {
    if (value.empty()) return Mistake("--port needs a port: COMn or a device path", helpFor);
    // Windows opens COM10 and above as \\.\COM10: a user may give that name too.
    if (platform == Platform::Windows && ComNumberOf(value) > 0) {
      value = value.substr(value.find_last_of('\\') + 1);
    }
    if (LooksLikeComPort(value) && !IsComPortInRange(value)) {
      return Mistake(
          "ports are COM1 to COM" + std::to_string(kMaxComPort) + ", not '" + value + "'",
          helpFor);
    }
    request.port = value;
  } else if (name == "--record") {
    if (value.empty()) return Mistake("--record needs a file", helpFor);
    request.record = value;
  } else if (!ParseSeconds(value, request.timeoutMs)) {
    return Mistake("--timeout takes seconds above 0, up to 3600, not '" + value + "'", helpFor);
  }
  return std::nullopt;
}

// The options into the request, the rest into positional; a mistake ends it.
std::optional<ParsedArguments> TakeOptions(const std::vector<std::string>& args,
                                           const CommandInfo& info, Platform platform,
                                           CliRequest& request,
                                           std::vector<std::string>& positional) {
  const std::string helpFor = std::string(info.name) + " ";
  for (std::size_t i = 1; i < args.size(); ++i) {
    std::string name = args[i];
    if (name.empty() || name[0] != '-') {
      positional.push_back(name);
      continue;
    }
    std::optional<std::string> value;
    if (const std::size_t eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    const auto option = std::find_if(kOptions.begin(), kOptions.end(),
                                      [&](const OptionInfo& o) { return name == o.name; });
    if (option == kOptions.end()) return Mistake("unknown option '" + name + "'", helpFor);
    if (!info.accepts(option->option)) {
      return Mistake(name + " is not an option of " + info.name, helpFor);
    }
    if (!option->takesValue) {
      if (value) return Mistake("option " + name + " takes no value", helpFor);
      (name == "--json" ? request.json : request.each) = true;
      continue;
    }
    if (!value) {
      if (i + 1 >= args.size()) return Mistake("option " + name + " needs a value", helpFor);
      value = args[++i];
    }
    if (auto mistake = TakeOption(info, *option, *value, platform, request)) return mistake;
  }
  if (!request.record.empty() && !request.each) {
    return Mistake("--record keeps the rows of a batch: it needs --each", helpFor);
  }
  return std::nullopt;
}

// The arguments that are no option: a FILE, SETTING=VALUE pairs, or none.
std::optional<ParsedArguments> TakePositional(const CommandInfo& info,
                                              const std::vector<std::string>& positional,
                                              CliRequest& request) {
  const std::string helpFor = std::string(info.name) + " ";
  switch (info.takes) {
    case Takes::Nothing:
      if (!positional.empty()) {
        return Mistake("unexpected argument '" + positional.front() + "'", helpFor);
      }
      break;
    case Takes::File:
      if (positional.size() != 1) {
        return Mistake(std::string(info.name) + " takes one FILE", helpFor);
      }
      request.file = positional.front();
      break;
    case Takes::Assignments: {
      if (positional.empty()) return Mistake("write needs SETTING=VALUE", helpFor);
      const ParsedSettings parsed = ParseAssignments(positional);
      if (!parsed.error.empty()) return Mistake(parsed.error, helpFor);
      request.targets = parsed.values;
      for (const std::string& assignment : positional) {
        request.order.push_back(SettingByName(assignment.substr(0, assignment.find('='))));
      }
      break;
    }
  }
  return std::nullopt;
}

}  // namespace

ParsedArguments ParseCliArguments(const std::vector<std::string>& args, Platform platform) {
  if (args.empty()) return Mistake("no command given", "");
  const std::string& first = args[0];
  if (first == "--help" || first == "-h") return Help(ProgramHelp(platform));
  if (first == "--version") {
    return Help("morvane-esc " + std::to_string(MORVANE_VERSION_MAJOR) + "." +
                std::to_string(MORVANE_VERSION_MINOR) + "." +
                std::to_string(MORVANE_VERSION_PATCH) + "\n" + kLicence);
  }
  const auto info = std::find_if(kCommands.begin(), kCommands.end(),
                                 [&](const CommandInfo& c) { return first == c.name; });
  if (info == kCommands.end()) {
    if (first.rfind('-', 0) == 0) return Mistake("options follow a command: '" + first + "'", "");
    return Mistake("unknown command '" + first + "'", "");
  }
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") return Help(CommandHelp(*info, platform));
  }

  CliRequest request;
  request.command = info->command;
  std::vector<std::string> positional;
  if (auto mistake = TakeOptions(args, *info, platform, request, positional)) return *mistake;
  if (auto mistake = TakePositional(*info, positional, request)) return *mistake;
  return {request, kExitDone, {}};
}

}  // namespace morvane::cli
