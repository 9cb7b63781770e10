// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of morvane-esc: a command, its options and its arguments, checked before
// anything is opened. Help texts and usage errors are answered here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/port_table.h"
#include "settings/settings_file.h"

namespace morvane::cli {

// The program's exit statuses.
enum ExitStatus : int {
  kExitDone = 0,
  kExitNoEsc = 1,         // no ESC answered in time
  kExitUsage = 2,         // a mistake on the command line
  kExitFile = 3,          // a settings file could not be read or written
  kExitNotConfirmed = 4,  // a write the ESC did not confirm, or the connection lost meanwhile
  kExitPort = 5,          // a port could not be opened
  kExitDiffer = 6,        // diff: the ESC does not hold what the file gives
};

enum class Command { Ports, Read, Write, Save, Load, Reset, Doctor, Diff, Presets };

struct CliRequest {
  Command command = Command::Read;
  // "COMn" or a device path; empty: the listed ports, or else the USB adapters.
  std::string port;
  std::string file;  // save, load, diff: a path, or for load and diff a preset's name
  std::string record;  // load --each: the CSV file that takes a row per ESC
  bool json = false;
  bool each = false;
  int timeoutMs = 5000;
  SettingValues targets = kNoSettings;  // write
  std::vector<int> order;               // write: the settings in the order given
};

struct ParsedArguments {
  std::optional<CliRequest> request;  // set when there is work to do
  int exitStatus = kExitDone;         // otherwise: 0 after --help or --version, 2 after a mistake
  // What to print when there is no work: the help on standard output, or one error line
  // on standard error; ends with a newline.
  std::string message;
};

// The arguments after the program's name. The help's examples, the port option and what
// Ctrl+C does are told as on `platform`, where a port may also be named "\\.\COMn" on Windows.
ParsedArguments ParseCliArguments(const std::vector<std::string>& args,
                                  Platform platform = CurrentPlatform());

}  // namespace morvane::cli
