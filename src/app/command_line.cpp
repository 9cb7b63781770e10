// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "form/theme_names.h"

namespace morvane {
namespace {

constexpr const char* kUsage =
    "Usage: morvane-esc-config [--help | --version] [--log FILE] [--theme NAME]\n"
    "                          [Qt options such as -platform offscreen]\n"
    "Configures a Morvane ESC over a serial port (38400 baud).\n"
    "\n"
    "  --log FILE  append a support log to FILE as things happen: every frame sent, every\n"
    "              reply and stray byte received, port opens and failures, connection\n"
    "              changes and your actions, one line each with its time (UTC). Without it\n"
    "              the last 10 minutes are kept in memory: right-click the Connection group\n"
    "              and choose \"Save support log...\".\n"
    "  --theme NAME  the window's colours for this run: system, light, dark,\n"
    "              high-contrast or bright (for sunlight). Without it the theme last\n"
    "              picked from the window's right-click menu (Theme), else system.\n"
    "\n"
    "COM1 to COM16 are the serial ports the system reports, USB adapters first.\n"
    "MORVANE_ESC_PORTS replaces that list: colon-separated device paths for COM1, COM2, ...\n"
    "(an empty element skips a number). Examples:\n"
    "  MORVANE_ESC_PORTS=/dev/ttyUSB0 morvane-esc-config\n"
    "  morvane-esc-sim --link /tmp/esc &\n"
    "  MORVANE_ESC_PORTS=/tmp/esc:/dev/ttyUSB0 morvane-esc-config\n"
    "    (COM1 the simulated ESC, COM2 the adapter)\n"
    "\n"
    "The window needs a desktop; QT_QPA_PLATFORM=offscreen runs it without one.\n";

constexpr const char* kLicence =
    "Copyright (C) 2026 the Morvane ESC Config maintainers.\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// Qt's options, as QApplication and its platform plugins take them.
constexpr std::array<std::string_view, 14> kQtOptionsWithValue = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "display",         "style",
    "stylesheet",      "session",
    "qwindowgeometry", "qwindowtitle",
    "qwindowicon",     "name",
    "title",           "geometry"};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "sync", "nograb", "dograb",
                                                      "widgetcount"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

CommandLine Refuse(std::string message) {
  return {2, "morvane-esc-config: " + std::move(message) + " (see --help)\n", {}};
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  line.qtArguments.emplace_back(argc > 0 ? argv[0] : "morvane-esc-config");
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") return {0, kUsage, {}};
    if (arg == "--version") {
      return {0,
              "morvane-esc-config " + std::to_string(MORVANE_VERSION_MAJOR) + "." +
                  std::to_string(MORVANE_VERSION_MINOR) + "." +
                  std::to_string(MORVANE_VERSION_PATCH) + "\n" + kLicence,
              {}};
    }
    if (arg == "--log" || arg.starts_with("--log=")) {
      // An option where the name should be is a name forgotten: "./-x" names such a file.
      if (arg.size() > 6) {
        line.logFile = arg.substr(6);
      } else if (i + 1 < argc && argv[i + 1][0] != '-') {
        line.logFile = argv[++i];
      }
      if (line.logFile.empty()) return Refuse("option '--log' needs a file name");
      continue;
    }
    if (arg == "--theme" || arg.starts_with("--theme=")) {
      std::string_view name;
      if (arg.size() > 8) {
        name = arg.substr(8);
      } else if (i + 1 < argc) {
        name = argv[++i];
      }
      if (!ThemeNamed(name)) {
        return Refuse("option '--theme' takes system, light, dark, high-contrast or bright");
      }
      line.theme = name;
      continue;
    }
    // Qt takes "-opt" and "--opt" alike.
    std::string_view option = arg;
    if (option.size() < 2 || option[0] != '-')
      return Refuse("unknown argument '" + std::string(arg) + "'");
    option.remove_prefix(option.starts_with("--") ? 2 : 1);
    const std::size_t equals = option.find('=');
    const std::string_view name = option.substr(0, equals);

    if (name == "qmljsdebugger" && equals != std::string_view::npos) {
      line.qtArguments.emplace_back("-" + std::string(option));
    } else if (Contains(kQtFlags, name) && equals == std::string_view::npos) {
      line.qtArguments.emplace_back("-" + std::string(name));
    } else if (Contains(kQtOptionsWithValue, name)) {
      line.qtArguments.emplace_back("-" + std::string(name));
      if (equals != std::string_view::npos) {
        line.qtArguments.emplace_back(option.substr(equals + 1));
      } else if (i + 1 < argc) {
        line.qtArguments.emplace_back(argv[++i]);
      } else {
        return Refuse("option '" + std::string(arg) + "' needs a value");
      }
    } else {
      return Refuse("unknown argument '" + std::string(arg) + "'");
    }
  }
  return line;
}

QtArgv::QtArgv(std::vector<std::string> arguments)
    : arguments_(std::move(arguments)), argc_(static_cast<int>(arguments_.size())) {
  for (std::string& a : arguments_) pointers_.push_back(a.data());
  pointers_.push_back(nullptr);
}

}  // namespace morvane
