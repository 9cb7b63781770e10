// SPDX-License-Identifier: GPL-3.0-or-later
// doctor's rules on facts alone: the package's udev rule file as it must be, the holders of a
// port in words with their remedies, and what each situation is told and told to do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ports/doctor.h"
#include "ports/link_status.h"
#include "ports/port_holders.h"

namespace morvane {
namespace {

std::string RuleFileText() {
  std::ifstream in(MORVANE_RULE_FILE);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Every line that is no comment is a rule for one chip's terminals: the seat's user and no
// ModemManager, never a mode that opens the device to every user.
TEST(UdevRuleFile, EachRuleMatchesTheTerminalsOfOneNamedChipForTheSeatAndNotForModemManager) {
  const std::string text = RuleFileText();
  ASSERT_FALSE(text.empty()) << MORVANE_RULE_FILE;
  const std::vector<UdevRule> rules = ParseUdevRules(text);
  std::set<std::string> pairs;
  for (const UdevRule& rule : rules) {
    SCOPED_TRACE("line " + std::to_string(rule.line));
    EXPECT_EQ(rule.error, "");
    EXPECT_TRUE(rule.tty);
    EXPECT_TRUE(rule.uaccess);
    EXPECT_TRUE(rule.mmIgnore);
    EXPECT_FALSE(rule.mode);
    EXPECT_TRUE(pairs.insert(rule.vendorProduct).second) << rule.vendorProduct << " twice";
    // The comment above names the chip and its pair.
    EXPECT_FALSE(ChipName(rule.vendorProduct).empty()) << rule.vendorProduct;
    EXPECT_EQ(rule.comment, ChipName(rule.vendorProduct) + " (" + rule.vendorProduct + ")");
  }
  // FTDI, Silicon Labs CP210x, WCH CH340/CH341 and CH9102, Prolific PL2303.
  for (const char* pair : {"0403:6001", "10c4:ea60", "1a86:7523", "1a86:55d4", "067b:2303"}) {
    EXPECT_TRUE(pairs.contains(pair)) << pair;
  }
  EXPECT_EQ(CoveredAdapters(text).size(), rules.size());
}

struct RuleLineCase {
  const char* line;
  bool tty;
  const char* vendorProduct;
  bool uaccess;
  bool mmIgnore;
  bool mode;
  bool error;
};

TEST(UdevRuleFile, ALineIsReadForWhatItDoesAndAnythingElseIsAnError) {
  const std::vector<RuleLineCase> cases = {
      {R"(SUBSYSTEM=="tty", ATTRS{idVendor}=="0403", ATTRS{idProduct}=="6001", TAG+="uaccess", ENV{ID_MM_DEVICE_IGNORE}="1")",
       true, "0403:6001", true, true, false, false},
      {R"(SUBSYSTEM=="tty", ATTRS{idVendor}=="0403", ATTRS{idProduct}=="6001", MODE="0666")", true,
       "0403:6001", false, false, true, false},
      {R"(SUBSYSTEM=="usb", ATTRS{idVendor}=="0403", ATTRS{idProduct}=="6001", TAG+="uaccess")",
       false, "0403:6001", true, false, false, false},
      {R"(SUBSYSTEM=="tty", ATTRS{idVendor}=="0403", GROUP="plugdev")", true, "", false, false,
       false, true},
      {R"(SUBSYSTEM=="tty", ATTRS{idVendor}=="0403", TAG+="uaccess")", true, "", true, false, false,
       true},
      // sysfs gives lower-case hex, and udev compares it as text.
      {R"(SUBSYSTEM=="tty", ATTRS{idVendor}=="10C4", ATTRS{idProduct}=="EA60", TAG+="uaccess")",
       true, "", false, false, false, true},
  };
  for (const RuleLineCase& c : cases) {
    const std::vector<UdevRule> rules = ParseUdevRules(std::string("# a comment\n\n") + c.line);
    ASSERT_EQ(rules.size(), 1u) << c.line;
    const UdevRule& r = rules[0];
    EXPECT_EQ(r.line, 3) << c.line;
    EXPECT_EQ(r.tty, c.tty) << c.line;
    EXPECT_EQ(r.vendorProduct, c.vendorProduct) << c.line;
    EXPECT_EQ(r.uaccess, c.uaccess) << c.line;
    EXPECT_EQ(r.mmIgnore, c.mmIgnore) << c.line;
    EXPECT_EQ(r.mode, c.mode) << c.line;
    EXPECT_EQ(!r.error.empty(), c.error) << c.line << ": " << r.error;
  }
}

struct HoldersCase {
  const char* name;
  std::vector<PortHolder> holders;
  std::string reason;  // FailureReason of the port, as the window and morvane-esc give it
};

void PrintTo(const HoldersCase& c, std::ostream* os) {
  *os << c.name;
}

class Holders : public ::testing::TestWithParam<HoldersCase> {};

TEST_P(Holders, AreNamedLockHolderFirstWithTheRemedyThatFitsThem) {
  OpenFailure failure{OpenFailure::Kind::InUse, {}};
  DescribeHolders(failure, GetParam().holders);
  EXPECT_EQ(FailureReason(failure), GetParam().reason);
}

const std::string kMm =
    "ModemManager probes serial adapters for modems with AT commands, bytes an "
    "ESC may take for the start of a frame. The udev rule of the "
    "morvane-esc-config package keeps it off the usual adapters (plug the "
    "adapter in again once the package is installed); for another adapter, "
    "set ENV{ID_MM_DEVICE_IGNORE}=\"1\" for it in a udev rule of your own.";
const std::string kBrltty =
    "brltty, the braille display service, claims some USB serial "
    "adapters (CH340/CH341 among them) as braille displays, and their "
    "serial port goes. Where no braille display is used: sudo apt "
    "remove brltty (or, to keep it, sudo systemctl mask "
    "brltty-udev.service), then plug the adapter in again.";

INSTANTIATE_TEST_SUITE_P(
    Cases, Holders,
    ::testing::Values(
        HoldersCase{
            "NoneSeen", {}, "in use by another program. Close it, then pick the port again."},
        HoldersCase{"OneAsBefore",
                    {{"minicom", 412}},
                    "in use by another program (minicom, process 412). Close it, then pick the "
                    "port again."},
        HoldersCase{"TheLockHolderBeforeAnOlderOneAndAFourthCounted",
                    {{"cat", 90}, {"screen", 95}, {"picocom", 700, true}, {"tail", 99}},
                    "in use by other programs (picocom, process 700; cat, process 90; screen, "
                    "process 95 and 1 more). Close them, then pick the port again."},
        HoldersCase{"ModemManager",
                    {{"ModemManager", 812}},
                    "in use by another program (ModemManager, process 812). " + kMm +
                        " Then pick the port again."},
        HoldersCase{"PerhapsModemManager",
                    {{"ModemManager", 812, false, true}},
                    "in use by another program (perhaps ModemManager, process 812). " + kMm +
                        " Then pick the port again."},
        HoldersCase{"BrlttyAndAnother",
                    {{"brltty", 640}, {"minicom", 412, true}},
                    "in use by other programs (minicom, process 412; brltty, process 640). " +
                        kBrltty + " Close the other programs, then pick the port again."}),
    [](const ::testing::TestParamInfo<HoldersCase>& info) { return info.param.name; });

// A USB adapter of a chip the rule lists, at /dev/ttyUSB0, that root may open.
PortFacts Adapter(const std::string& chip = "1a86:7523") {
  PortFacts p;
  p.name = "/dev/ttyUSB0";
  p.device = "/dev/ttyUSB0";
  p.usb = UsbFacts{chip, "", "", "ch341-uart"};
  p.access.mayOpen = true;
  p.access.root = true;
  return p;
}

// The simulator's pseudo-terminal through a link, which root may open.
PortFacts PseudoTerminal() {
  PortFacts p;
  p.name = "/tmp/esc";
  p.device = "/dev/pts/3";
  p.pseudoTerminal = true;
  p.access.mayOpen = true;
  p.access.root = true;
  return p;
}

struct DiagnoseCase {
  const char* name;
  SystemFacts facts;
  Finding::Level level;
  std::string subject;
  std::string text;    // the finding's words begin so
  std::string remedy;  // and its remedy holds this
};

void PrintTo(const DiagnoseCase& c, std::ostream* os) {
  *os << c.name;
}

SystemFacts WithRule(SystemFacts facts) {
  facts.rulePath = std::string(kPackageRuleFolder) + "/" + kRuleFile;
  facts.ruleText = RuleFileText();
  return facts;
}

SystemFacts Denied(bool ruled, AccessFacts access, UdevFacts udev = {}) {
  PortFacts p = Adapter();
  p.access = access;
  p.udev = udev;
  SystemFacts f;
  f.ports = {p};
  return ruled ? WithRule(f) : f;
}

class DiagnoseTest : public ::testing::TestWithParam<DiagnoseCase> {};

TEST_P(DiagnoseTest, SaysWhatStandsInTheWayAndWhatToDo) {
  const DiagnoseCase& c = GetParam();
#if defined(_WIN32)
  // A loop of symbolic links is a POSIX trouble; Windows' C library has no words for ELOOP.
  if (std::string_view(c.name) == "ALoopOfSymbolicLinks") GTEST_SKIP();
#endif
  const std::vector<Finding> findings = Diagnose(c.facts);
  const auto it = std::find_if(findings.begin(), findings.end(), [&](const Finding& f) {
    return f.subject == c.subject && f.text.rfind(c.text, 0) == 0;
  });
  ASSERT_NE(it, findings.end()) << [&] {
    std::string all;
    for (const Finding& f : findings) all += FindingLine(f) + "\n";
    return all;
  }();
  EXPECT_EQ(it->level, c.level) << FindingLine(*it);
  EXPECT_NE(it->remedy.find(c.remedy), std::string::npos) << FindingLine(*it);
}

const AccessFacts kNotInDialout{.group = "dialout", .groupMay = true};
const AccessFacts kAddedToDialout{.group = "dialout", .groupMay = true, .inGroupAfterLogin = true};

INSTANTIATE_TEST_SUITE_P(
    Cases, DiagnoseTest,
    ::testing::Values(
        DiagnoseCase{"NoRule", SystemFacts{}, Finding::Level::Problem, "udev rule", "not installed",
                     "Install the morvane-esc-config package"},
        DiagnoseCase{"AddedToTheGroupButNotLoggedInAgain", Denied(true, kAddedToDialout),
                     Finding::Level::Problem, "/dev/ttyUSB0",
                     "you may not open it: you were added to its group dialout",
                     "Log out and in again"},
        DiagnoseCase{"TheRuleGivesTheSeatButThisUserIsNotThere",
                     Denied(true, kNotInDialout, {true, true, true}), Finding::Level::Problem,
                     "/dev/ttyUSB0", "you may not open it: it is for group dialout",
                     "you are not (over ssh, say): sudo usermod -aG dialout $USER"},
        DiagnoseCase{"NoRuleAndNotInTheGroup", Denied(false, kNotInDialout),
                     Finding::Level::Problem, "/dev/ttyUSB0", "you may not open it",
                     "Install the udev rule"},
        DiagnoseCase{"TheRuleCameAfterTheAdapter",
                     Denied(true, kNotInDialout, {true, false, false}), Finding::Level::Problem,
                     "/dev/ttyUSB0", "you may not open it", "Plug the adapter in again"},
        DiagnoseCase{"AnAclForTheSeatsUser",
                     [] {
                       SystemFacts f;
                       f.ports = {Adapter()};
                       f.ports[0].access.root = false;
                       f.ports[0].access.acl = true;
                       return f;
                     }(),
                     Finding::Level::Ok, "/dev/ttyUSB0",
                     "you may open it: an ACL gives it to you as the user at this machine's seat",
                     ""},
        DiagnoseCase{"ModemManagerWouldProbeIt",
                     [] {
                       SystemFacts f;
                       f.ports = {Adapter()};
                       f.modemManager = RunningProgram{"ModemManager", 812};
                       return f;
                     }(),
                     Finding::Level::Problem, "/dev/ttyUSB0", "ModemManager may open it",
                     "ENV{ID_MM_DEVICE_IGNORE}=\"1\""},
        DiagnoseCase{"BrlttyAndNothingPluggedIn",
                     [] {
                       SystemFacts f;
                       f.brltty = RunningProgram{"brltty", 640};
                       return f;
                     }(),
                     Finding::Level::Problem, "brltty", "runs, brltty (process 640).",
                     "sudo apt remove brltty"},
        DiagnoseCase{"BrlttyAndACh340",
                     [] {
                       SystemFacts f;
                       f.ports = {Adapter("1a86:7523")};
                       f.brltty = RunningProgram{"brltty", 640};
                       return f;
                     }(),
                     Finding::Level::Problem, "/dev/ttyUSB0", "brltty claims adapters of this chip",
                     "sudo apt remove brltty"},
        DiagnoseCase{"AProgramWithoutTheLock",
                     [] {
                       SystemFacts f;
                       f.ports = {Adapter()};
                       f.ports[0].holders = {{"cat", 900}};
                       return f;
                     }(),
                     Finding::Level::Note, "/dev/ttyUSB0", "also open in cat, process 900",
                     "close it"},
        DiagnoseCase{"ALoopOfSymbolicLinks",
                     [] {
                       SystemFacts f;
                       f.ports = {Adapter()};
                       f.ports[0].name = "/tmp/esc";
                       f.ports[0].device = "";
                       f.ports[0].look = {OpenFailure::Kind::Other,
                                          "Too many levels of symbolic links", ELOOP};
                       return f;
                     }(),
                     Finding::Level::Problem, "/tmp/esc",
                     "cannot be followed: Too many levels of symbolic links.",
                     "each symbolic link on it"},
        DiagnoseCase{"TheSimulatorAtTheFarEndOfAPseudoTerminal",
                     [] {
                       SystemFacts f;
                       f.ports = {PseudoTerminal()};
                       f.ports[0].holders = {{"morvane-esc-sim", 700, false, false, true}};
                       return f;
                     }(),
                     Finding::Level::Ok, "/tmp/esc",
                     "also open in morvane-esc-sim, process 700, with no lock: the far end", ""},
        DiagnoseCase{
            "AProgramOnThisSideOfAPseudoTerminal",
            [] {
              SystemFacts f;
              f.ports = {PseudoTerminal()};
              f.ports[0].holders = {{"morvane-esc-sim", 700, false, false, true}, {"sleep", 900}};
              return f;
            }(),
            Finding::Level::Note, "/tmp/esc",
            "also open in sleep, process 900, which holds no lock on it.", "close it"},
        DiagnoseCase{"TheLocksHolder",
                     [] {
                       SystemFacts f;
                       f.ports = {Adapter()};
                       f.ports[0].holders = {{"cat", 900}, {"minicom", 950, true}};
                       return f;
                     }(),
                     Finding::Level::Problem, "/dev/ttyUSB0",
                     "in use by other programs (minicom, process 950; cat, process 900).",
                     "Close them"}),
    [](const ::testing::TestParamInfo<DiagnoseCase>& info) { return info.param.name; });

// A name from outside is shown with its control characters escaped, as the "ESC:" line of
// the same output shows it: nothing reaches the terminal as an escape sequence.
TEST(Findings, AreLinesInWhichAHostileNameIsEscaped) {
  const Finding f{Finding::Level::Problem, "bad\tname\x01\x1b[31m\n", "does not exist now.",
                  "Plug the adapter in, or check the path."};
  EXPECT_EQ(FindingLine(f),
            "problem bad\\x09name\\x01\\x1b[31m\\x0a: does not exist now. Remedy: Plug the "
            "adapter in, or check the path.");
}

}  // namespace
}  // namespace morvane
