// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc's command line: what each command takes, and every mistake refused in one
// line with status 2 before anything is opened.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_arguments.h"

namespace morvane::cli {
namespace {

TEST(CliArguments, TakeEachCommandWithItsOptionsInEitherForm) {
  struct Case {
    std::vector<std::string> args;
    Command command;
    std::string port;
    std::string file;
    bool json;
    bool each;
    int timeoutMs;
  };
  const Case cases[] = {
      {{"ports"}, Command::Ports, "", "", false, false, 5000},
      {{"ports", "--json"}, Command::Ports, "", "", true, false, 5000},
      {{"read", "--port", "COM2", "--json"}, Command::Read, "COM2", "", true, false, 5000},
      {{"read", "--port=/dev/ttyUSB0", "--timeout=0.5"},
       Command::Read,
       "/dev/ttyUSB0",
       "",
       false,
       false,
       500},
      {{"save", "quad.json", "--timeout", "12"},
       Command::Save,
       "",
       "quad.json",
       false,
       false,
       12000},
      {{"load", "--each", "quad.json", "--port", "/tmp/esc"},
       Command::Load,
       "/tmp/esc",
       "quad.json",
       false,
       true,
       5000},
      {{"reset", "--port", "COM1"}, Command::Reset, "COM1", "", false, false, 5000},
      {{"diff", "quad.json", "--json"}, Command::Diff, "", "quad.json", true, false, 5000},
      {{"presets"}, Command::Presets, "", "", false, false, 5000},
  };
  for (const Case& c : cases) {
    const ParsedArguments parsed = ParseCliArguments(c.args);
    ASSERT_TRUE(parsed.request) << c.args[0] << ": " << parsed.message;
    EXPECT_EQ(parsed.request->command, c.command) << c.args[0];
    EXPECT_EQ(parsed.request->port, c.port) << c.args[0];
    EXPECT_EQ(parsed.request->file, c.file) << c.args[0];
    EXPECT_EQ(parsed.request->json, c.json) << c.args[0];
    EXPECT_EQ(parsed.request->each, c.each) << c.args[0];
    EXPECT_EQ(parsed.request->timeoutMs, c.timeoutMs) << c.args[0];
  }
}

TEST(CliArguments, WriteKeepsTheSettingsInTheOrderGiven) {
  const ParsedArguments parsed =
      ParseCliArguments({"write", "rotationDirection=reverse", "--port", "COM1", "brake=Enable"});
  ASSERT_TRUE(parsed.request) << parsed.message;
  EXPECT_EQ(parsed.request->targets, (SettingValues{kNotGiven, kNotGiven, 1, kNotGiven, 1}));
  EXPECT_EQ(parsed.request->order, (std::vector<int>{4, 2}));
}

TEST(CliArguments, MistakesAreOneLineAndStatusTwo) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "no command given"},
      {{"flash"}, "unknown command 'flash'"},
      {{"--port", "COM1", "read"}, "options follow a command: '--port'"},
      {{"read", "--each"}, "--each is not an option of read"},
      {{"write", "brake=Enable", "--json"}, "--json is not an option of write"},
      {{"read", "--colour"}, "unknown option '--colour'"},
      {{"read", "-x"}, "unknown option '-x'"},
      {{"read", "--port"}, "option --port needs a value"},
      {{"read", "--port="}, "--port needs a port: COMn or a device path"},
      {{"read", "--json=yes"}, "option --json takes no value"},
      {{"read", "--timeout", "0"}, "--timeout takes seconds above 0, up to 3600, not '0'"},
      {{"read", "--timeout", "-1"}, "--timeout takes seconds above 0, up to 3600, not '-1'"},
      {{"read", "--timeout", "1e3"}, "--timeout takes seconds above 0, up to 3600, not '1e3'"},
      {{"read", "--timeout", "3601"}, "--timeout takes seconds above 0, up to 3600, not '3601'"},
      {{"read", "COM1"}, "unexpected argument 'COM1'"},
      {{"save"}, "save takes one FILE"},
      {{"load", "a.json", "b.json"}, "load takes one FILE"},
      {{"write"}, "write needs SETTING=VALUE"},
      {{"load", "q.json", "--record", "r.csv"}, "--record keeps the rows of a batch: it needs --each"},
      {{"diff", "q.json", "--record=r.csv"}, "--record is not an option of diff"},
      {{"diff"}, "diff takes one FILE"},
      {{"presets", "q.json"}, "unexpected argument 'q.json'"},
      {{"write", "brake=Maybe"}, "brake: \"Maybe\" is not allowed; allowed: Disable, Enable"},
      {{"write", "brake=Enable", "brake=Disable"}, "brake is given twice"},
      {{"read", "--port", "COM0"}, "ports are COM1 to COM16, not 'COM0'"},
      {{"read", "--port=com-1"}, "ports are COM1 to COM16, not 'com-1'"},
      {{"read", "--port", "COM17"}, "ports are COM1 to COM16, not 'COM17'"},
      {{"flash\x1b[2J\x9b"}, "unknown command 'flash\\x1b[2J\\x9b'"},
      {{"write", std::string("brake=En\0able", 13)}, "brake: \"En\\x00able\" is not allowed; allowed: Disable, Enable"},
  };
  for (const auto& [args, what] : cases) {
    const ParsedArguments parsed = ParseCliArguments(args);
    EXPECT_FALSE(parsed.request) << what;
    EXPECT_EQ(parsed.exitStatus, kExitUsage) << what;
    const std::string& line = parsed.message;
    EXPECT_EQ(line.rfind("morvane-esc: " + what + " (see morvane-esc ", 0), 0u) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
    EXPECT_EQ(line.back(), '\n') << line;
  }
}

TEST(CliArguments, HelpForTheProgramAndForEachCommand) {
  const ParsedArguments program = ParseCliArguments({"--help"});
  EXPECT_EQ(program.exitStatus, kExitDone);
  EXPECT_FALSE(program.request);
  for (const char* text :
       {"ports", "read", "write", "save FILE", "load FILE", "reset", "--each", "--timeout",
        "--port", "Exit status", "5 a port could not be opened", "timingAdvance", "5.6V *",
        "diff FILE", "presets", "--record CSV", "6 diff"}) {
    EXPECT_NE(program.message.find(text), std::string::npos) << text;
  }
  const std::vector<std::pair<const char*, const char*>> commands = {
      {"ports", "--json"}, {"read", "--json"}, {"write", "SETTING=VALUE"},
      {"save", "FILE"},    {"load", "--each"}, {"reset", "defaults"},
  };
  for (const auto& [command, text] : commands) {
    const ParsedArguments help = ParseCliArguments({command, "--port", "COM1", "--help"});
    EXPECT_EQ(help.exitStatus, kExitDone) << command;
    EXPECT_FALSE(help.request) << command;
    EXPECT_EQ(help.message.rfind(std::string("Usage: morvane-esc ") + command, 0), 0u) << command;
    EXPECT_NE(help.message.find(text), std::string::npos) << command;
  }
}

// The program's help, and the help of the commands whose texts differ by system.
std::string AllHelp(Platform platform) {
  std::string text;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, {"read", "--help"}, {"presets", "--help"}}) {
    const ParsedArguments parsed = ParseCliArguments(args, platform);
    EXPECT_EQ(parsed.exitStatus, kExitDone);
    text += parsed.message;
  }
  return text;
}

struct PlatformHelpCase {
  const char* name;
  Platform platform;
  std::vector<const char*> says;
  std::vector<const char*> never;
};

void PrintTo(const PlatformHelpCase& c, std::ostream* os) {
  *os << c.name;
}

class PlatformHelp : public ::testing::TestWithParam<PlatformHelpCase> {};

TEST_P(PlatformHelp, NamesPortsPresetsAndTheWayToStopAsTheSystemHasThem) {
  const PlatformHelpCase& c = GetParam();
  const std::string text = AllHelp(c.platform);
  for (const char* said : c.says) EXPECT_NE(text.find(said), std::string::npos) << said;
  for (const char* unsaid : c.never) EXPECT_EQ(text.find(unsaid), std::string::npos) << unsaid;
}

INSTANTIATE_TEST_SUITE_P(
    Systems, PlatformHelp,
    ::testing::Values(
        PlatformHelpCase{"Windows",
                         Platform::Windows,
                         {"  morvane-esc read --port COM3\n", R"((\\.\COMn is the same)",
                          R"(%LOCALAPPDATA%\morvane-esc-config\presets)", "Ctrl+C ends it at once",
                          "(0xC000013A)", "6 diff: the ESC differs from the file.\n"},
                         {"/dev/", "MORVANE_ESC_PORTS", "SIGTERM", "130", "~/.local"}},
        PlatformHelpCase{"Linux",
                         Platform::Linux,
                         {"  morvane-esc read --port /dev/ttyUSB0\n", "MORVANE_ESC_PORTS",
                          "~/.local/share/morvane-esc-config/presets",
                          "6 diff: the ESC differs from the file; 130 stopped by\nCtrl+C, 143 by "
                          "SIGTERM. Errors are one line on standard error.\n"},
                         {"COM3", "0xC000013A", "%LOCALAPPDATA%", "\\"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliArgumentsOfThisBuild, HelpAsItsSystemHasIt) {
#if defined(_WIN32)
  const char* example = "  morvane-esc read --port COM3\n";
#else
  const char* example = "  morvane-esc read --port /dev/ttyUSB0\n";
#endif
  EXPECT_NE(ParseCliArguments({"--help"}).message.find(example), std::string::npos);
}

struct DeviceNamespaceCase {
  const char* name;
  Platform platform;
  std::string port;
  std::string taken;  // the request's port; empty: refused with `refused`
  std::string refused;
};

void PrintTo(const DeviceNamespaceCase& c, std::ostream* os) {
  *os << c.name;
}

class DeviceNamespacePort : public ::testing::TestWithParam<DeviceNamespaceCase> {};

TEST_P(DeviceNamespacePort, IsTheComPortOnWindowsAndAPathElsewhere) {
  const DeviceNamespaceCase& c = GetParam();
  const ParsedArguments parsed = ParseCliArguments({"read", "--port", c.port}, c.platform);
  if (c.taken.empty()) {
    EXPECT_FALSE(parsed.request);
    EXPECT_EQ(parsed.message.rfind("morvane-esc: " + c.refused + " (see", 0), 0u) << parsed.message;
    return;
  }
  ASSERT_TRUE(parsed.request) << parsed.message;
  EXPECT_EQ(parsed.request->port, c.taken);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DeviceNamespacePort,
    ::testing::Values(
        DeviceNamespaceCase{"TenAndAboveOnWindows", Platform::Windows, R"(\\.\COM12)", "COM12", ""},
        DeviceNamespaceCase{"BelowTenOnWindows", Platform::Windows, R"(\\.\com3)", "com3", ""},
        DeviceNamespaceCase{"PastTheTableOnWindows", Platform::Windows, R"(\\.\COM17)", "",
                            "ports are COM1 to COM16, not 'COM17'"},
        DeviceNamespaceCase{"PlainOnWindows", Platform::Windows, "COM16", "COM16", ""},
        DeviceNamespaceCase{"AnOddPathOnLinux", Platform::Linux, R"(\\.\COM12)", R"(\\.\COM12)",
                            ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvane::cli
