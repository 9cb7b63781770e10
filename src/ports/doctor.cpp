// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/doctor.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
#include <regex>
#include <sstream>
#include <utility>

#include "ports/device_trouble.h"
#include "link/printable.h"

namespace morvane {
namespace {

using Level = Finding::Level;

struct Chip {
  const char* vendorProduct;
  const char* name;
};

// The chips of the usual ESC programming adapters, as the package's rule lists them.
constexpr std::array<Chip, 13> kChips = {{
    {"0403:6001", "FTDI FT232R"},
    {"0403:6010", "FTDI FT2232"},
    {"0403:6011", "FTDI FT4232"},
    {"0403:6014", "FTDI FT232H"},
    {"0403:6015", "FTDI FT230X/FT231X"},
    {"10c4:ea60", "Silicon Labs CP2102/CP2104"},
    {"10c4:ea70", "Silicon Labs CP2105"},
    {"10c4:ea71", "Silicon Labs CP2108"},
    {"1a86:7523", "WCH CH340/CH341"},
    {"1a86:5523", "WCH CH341"},
    {"1a86:55d4", "WCH CH9102"},
    {"067b:2303", "Prolific PL2303"},
    {"067b:23a3", "Prolific PL2303GC"},
}};

// The findings' words are in the window's language when it passes one.
constexpr const char* kContext = "Doctor";

std::string Process(const RunningProgram& p, const Phrases& say) {
  return say(MORVANE_TRANSLATABLE("Doctor", "%1 (process %2)"), {p.name, std::to_string(p.pid)});
}

bool Covered(const std::vector<std::string>& covered, const std::string& vendorProduct) {
  return std::find(covered.begin(), covered.end(), vendorProduct) != covered.end();
}

std::string Identity(const PortFacts& port, const Phrases& say) {
  std::string text;
  if (port.pseudoTerminal) {
    text = say(MORVANE_TRANSLATABLE("Doctor", "a pseudo-terminal"));
  } else if (port.usb) {
    const UsbFacts& usb = *port.usb;
    std::string about = ChipName(usb.vendorProduct);
    for (const std::string& word : {usb.maker, usb.product}) {
      if (!word.empty() && about.find(word) == std::string::npos) {
        about += (about.empty() ? "" : ", ") + word;
      }
    }
    text = about.empty()
               ? say(MORVANE_TRANSLATABLE("Doctor", "USB serial adapter %1"), {usb.vendorProduct})
               : say(MORVANE_TRANSLATABLE("Doctor", "USB serial adapter %1 (%2)"),
                     {usb.vendorProduct, about});
    text = usb.driver.empty()
               ? say(MORVANE_TRANSLATABLE("Doctor", "%1, no driver bound"), {text})
               : say(MORVANE_TRANSLATABLE("Doctor", "%1, driver %2"), {text, usb.driver});
    if (!port.byId.empty()) text += ", " + port.byId;
  } else {
    text = say(MORVANE_TRANSLATABLE("Doctor", "a serial device, not on USB"));
  }
  // The path as named leads elsewhere: say where.
  if (port.name.find(port.device) == std::string::npos) text = port.device + ", " + text;
  return text + ".";
}

Finding AccessFinding(const PortFacts& port, const SystemFacts& facts,
                      const std::vector<std::string>& covered, const Phrases& say) {
  const AccessFacts& a = port.access;
  if (a.mayOpen) {
    std::string why;
    if (a.root) {
      why = say(MORVANE_TRANSLATABLE("Doctor", "you may open it: you are root."));
    } else if (a.acl) {
      why = say(MORVANE_TRANSLATABLE("Doctor",
                                     "you may open it: an ACL gives it to you as the user at "
                                     "this machine's seat (uaccess)."));
    } else if (a.owner) {
      why = say(MORVANE_TRANSLATABLE("Doctor", "you may open it: it is yours."));
    } else if (a.inGroup) {
      why = say(MORVANE_TRANSLATABLE("Doctor", "you may open it: you are in its group %1."),
                {a.group});
    } else if (a.everyone) {
      why = say(MORVANE_TRANSLATABLE("Doctor", "you may open it: every user may."));
    } else {
      why = say(MORVANE_TRANSLATABLE("Doctor", "you may open it."));
    }
    return {Level::Ok, port.name, why, {}};
  }
  if (a.inGroupAfterLogin) {
    return {Level::Problem, port.name,
            say(MORVANE_TRANSLATABLE("Doctor",
                                     "you may not open it: you were added to its group %1, but "
                                     "this login began before."),
                {a.group}),
            say(MORVANE_TRANSLATABLE("Doctor",
                                     "Log out and in again (a new terminal is not enough), or run "
                                     "newgrp %1 in this terminal."),
                {a.group})};
  }
  const std::string why =
      a.group.empty()
          ? say(MORVANE_TRANSLATABLE("Doctor", "you may not open it: no group may open it."))
          : say(MORVANE_TRANSLATABLE("Doctor", "you may not open it: it is for group %1."),
                {a.group});
  const std::string group =
      say(MORVANE_TRANSLATABLE("Doctor", "sudo usermod -aG %1 $USER, then log out and in again"),
          {a.group.empty() ? std::string("dialout") : a.group});
  if (port.udev.uaccess) {
    return {Level::Problem, port.name, why,
            say(MORVANE_TRANSLATABLE("Doctor",
                                     "The udev rule gives access to the user logged in at this "
                                     "machine's seat, and you are not (over ssh, say): %1."),
                {group})};
  }
  if (facts.rulePath.empty()) {
    return {Level::Problem, port.name, why,
            say(MORVANE_TRANSLATABLE("Doctor",
                                     "Install the udev rule (see above), which gives access to "
                                     "the user at this machine's seat; or %1."),
                {group})};
  }
  if (port.usb && !Covered(covered, port.usb->vendorProduct)) {
    return {Level::Problem, port.name, why,
            say(MORVANE_TRANSLATABLE("Doctor",
                                     "The udev rule does not list %1: %2; or add the pair to a "
                                     "rule of your own in /etc/udev/rules.d."),
                {port.usb->vendorProduct, group})};
  }
  if (port.usb && port.udev.known) {
    return {Level::Problem, port.name,
            say(MORVANE_TRANSLATABLE("Doctor", "%1 The udev rule came after the adapter."), {why}),
            say(MORVANE_TRANSLATABLE(
                "Doctor",
                "Plug the adapter in again (or: sudo udevadm trigger --subsystem-match=tty)."))};
  }
  return {Level::Problem, port.name, why, group + "."};
}

Finding HolderFinding(const PortFacts& port, const Phrases& say) {
  const bool locked = std::any_of(port.holders.begin(), port.holders.end(),
                                  [](const PortHolder& h) { return h.locks; });
  const bool interfered =
      std::any_of(port.holders.begin(), port.holders.end(),
                  [](const PortHolder& h) { return InterfererNamed(h.name) != Interferer::None; });
  if (locked || interfered) {
    OpenFailure failure{OpenFailure::Kind::InUse, {}};
    DescribeHolders(failure, port.holders);
    return {Level::Problem, port.name, InUseWords(failure, say.translate()) + ".",
            InUseRemedy(failure, Retry::RunTheCommand, say.translate())};
  }
  if (port.openHere) {
    return {Level::Ok, port.name, say(MORVANE_TRANSLATABLE("Doctor", "open in this window.")), {}};
  }
  if (!port.holders.empty()) {
    // Open without a lock: this program's open still succeeds, and both use the line. The
    // program at the other end of a pseudo-terminal (a simulated ESC) keeps this end open as
    // well; any other is on this side of the line, as a terminal program on an adapter is.
    std::vector<PortHolder> thisSide;
    std::copy_if(port.holders.begin(), port.holders.end(), std::back_inserter(thisSide),
                 [](const PortHolder& h) { return !h.farEnd; });
    const bool farEndOnly = thisSide.empty();
    OpenFailure failure{OpenFailure::Kind::InUse, {}};
    DescribeHolders(failure, farEndOnly ? port.holders : thisSide);
    const std::string holders = HolderDetail(failure, say.translate());
    if (farEndOnly) {
      return {Level::Ok,
              port.name,
              say(MORVANE_TRANSLATABLE("Doctor",
                                       "also open in %1, with no lock: the far end of a "
                                       "pseudo-terminal may keep it so."),
                  {holders}),
              {}};
    }
    return {Level::Note, port.name,
            say(MORVANE_TRANSLATABLE("Doctor", "also open in %1, which holds no lock on it."),
                {holders}),
            say(MORVANE_TRANSLATABLE("Doctor",
                                     "If it is not meant to talk to the ESC, close it: what it "
                                     "reads and writes mixes with this program's."))};
  }
  if (port.holdersHidden) {
    return {
        Level::Ok,
        port.name,
        say(MORVANE_TRANSLATABLE(
            "Doctor", "no program of yours has it open (other users' programs cannot be seen).")),
        {}};
  }
  return {Level::Ok,
          port.name,
          say(MORVANE_TRANSLATABLE("Doctor", "no other program has it open.")),
          {}};
}

void ServicesOnPort(const PortFacts& port, const SystemFacts& facts,
                    const std::vector<std::string>& covered, const Phrases& say,
                    std::vector<Finding>& out) {
  // Neither service touches a pseudo-terminal or a device that is not on USB.
  if (!port.usb) return;
  const std::string& chip = port.usb->vendorProduct;
  if (facts.modemManager) {
    if (port.udev.mmIgnore) {
      out.push_back({Level::Ok,
                     port.name,
                     say(MORVANE_TRANSLATABLE(
                         "Doctor", "ModemManager leaves it alone (ID_MM_DEVICE_IGNORE).")),
                     {}});
    } else if (!port.udev.known && !facts.rulePath.empty() && Covered(covered, chip)) {
      out.push_back({Level::Note,
                     port.name,
                     say(MORVANE_TRANSLATABLE("Doctor",
                                              "ModemManager should leave it alone: the udev rule "
                                              "lists %1 (udev's database could not be read to be "
                                              "sure)."),
                         {chip}),
                     {}});
    } else {
      out.push_back(
          {Level::Problem, port.name,
           say(MORVANE_TRANSLATABLE("Doctor",
                                    "ModemManager may open it and send AT commands to the ESC.")),
           facts.rulePath.empty() || !Covered(covered, chip)
               ? ModemManagerRemedy(say.translate())
               : say(MORVANE_TRANSLATABLE("Doctor",
                                          "The udev rule lists %1 but came after the adapter: "
                                          "plug the adapter in again."),
                     {chip})});
    }
  }
  if (facts.brltty && BrlttyClaims(chip)) {
    out.push_back({Level::Problem, port.name,
                   say(MORVANE_TRANSLATABLE("Doctor",
                                            "brltty claims adapters of this chip as braille "
                                            "displays: its serial port may vanish at once.")),
                   BrlttyRemedy(say.translate())});
  }
}

}  // namespace

std::string ChipName(const std::string& vendorProduct) {
  for (const Chip& c : kChips) {
    if (vendorProduct == c.vendorProduct) return c.name;
  }
  return {};
}

const char* LevelName(Finding::Level level) {
  switch (level) {
    case Level::Ok:
      return MORVANE_TRANSLATABLE("Doctor", "ok");
    case Level::Note:
      return MORVANE_TRANSLATABLE("Doctor", "note");
    case Level::Problem:
      break;
  }
  return MORVANE_TRANSLATABLE("Doctor", "problem");
}

std::string FindingLine(const Finding& f, const TranslateText& translate) {
  const Phrases say(translate, kContext);
  std::string line = say(LevelName(f.level));
  // A level's column; a longer word in another language still keeps a space after it.
  line.resize(std::max<std::size_t>(8, line.size() + 1), ' ');
  line += f.subject + ": " + f.text;
  if (!f.remedy.empty())
    line += " " + say(MORVANE_TRANSLATABLE("Doctor", "Remedy: %1"), {f.remedy});
  // Names from outside (a port's path, a process's name) may hold control characters.
  return Printable(line);
}

std::vector<Finding> Diagnose(const SystemFacts& facts, const TranslateText& translate) {
  const Phrases say(translate, kContext);
  std::vector<Finding> out;
  const std::vector<std::string> covered = CoveredAdapters(facts.ruleText);
  const std::string rule = say(MORVANE_TRANSLATABLE("Doctor", "udev rule"));
  if (facts.rulePath.empty()) {
    out.push_back(
        {Level::Problem, rule,
         say(MORVANE_TRANSLATABLE("Doctor", "not installed: no %1 in /etc/udev/rules.d or %2."),
             {kRuleFile, kPackageRuleFolder}),
         say(MORVANE_TRANSLATABLE("Doctor",
                                  "Install the morvane-esc-config package, or copy %1 "
                                  "from the sources' packaging folder to "
                                  "/etc/udev/rules.d, run sudo udevadm control "
                                  "--reload-rules and plug the adapter in again."),
             {kRuleFile})});
  } else {
    out.push_back({Level::Ok,
                   rule,
                   say(MORVANE_TRANSLATABLE("Doctor",
                                            "installed: %1, for %2 kinds of adapter; it gives the "
                                            "user at this machine's seat access (uaccess) and "
                                            "keeps ModemManager off them."),
                       {facts.rulePath, std::to_string(covered.size())}),
                   {}});
  }
  const std::string runsNot = say(MORVANE_TRANSLATABLE("Doctor", "does not run."));
  if (facts.modemManager) {
    out.push_back({Level::Note,
                   "ModemManager",
                   say(MORVANE_TRANSLATABLE("Doctor",
                                            "runs, %1: it probes serial adapters that are not "
                                            "marked ID_MM_DEVICE_IGNORE."),
                       {Process(*facts.modemManager, say)}),
                   {}});
  } else {
    out.push_back({Level::Ok, "ModemManager", runsNot, {}});
  }
  if (facts.brltty) {
    // With nothing plugged in, brltty may be why: the adapter came and went at once.
    const bool nothing = facts.ports.empty() && !facts.named;
    out.push_back({nothing ? Level::Problem : Level::Note, "brltty",
                   say(MORVANE_TRANSLATABLE("Doctor", "runs, %1. %2"),
                       {Process(*facts.brltty, say), BrlttyDoes(translate)}),
                   nothing ? BrlttyRemedy(translate) : std::string()});
  } else {
    out.push_back({Level::Ok, "brltty", runsNot, {}});
  }
  if (facts.ports.empty() && !facts.named) {
    out.push_back({Level::Problem, say(MORVANE_TRANSLATABLE("Doctor", "adapters")),
                   say(MORVANE_TRANSLATABLE("Doctor", "no USB serial adapter is plugged in.")),
                   say(MORVANE_TRANSLATABLE("Doctor",
                                            "Plug the adapter in, or name a port with --port or "
                                            "MORVANE_ESC_PORTS."))});
  }
  for (const PortFacts& port : facts.ports) {
    if (port.look.kind == OpenFailure::Kind::Gone) {
      out.push_back(
          {Level::Problem, port.name, say(MORVANE_TRANSLATABLE("Doctor", "does not exist now.")),
           say(MORVANE_TRANSLATABLE("Doctor", "Plug the adapter in, or check the path."))});
      continue;
    }
    if (port.device.empty() && port.look.kind == OpenFailure::Kind::PermissionDenied) {
      // A folder on the way that this user may not search.
      out.push_back({Level::Problem, port.name,
                     say(MORVANE_TRANSLATABLE("Doctor", "cannot be looked at: permission denied.")),
                     say(MORVANE_TRANSLATABLE("Doctor", "Name a path this user may follow."))});
      continue;
    }
    if (port.device.empty()) {
      // The path leads nowhere the system can follow: links in a loop, a name too long.
      out.push_back({Level::Problem, port.name,
                     say(MORVANE_TRANSLATABLE("Doctor", "cannot be followed: %1."),
                         {SystemDetail(port.look, translate)}),
                     say(MORVANE_TRANSLATABLE("Doctor",
                                              "Check the path and each symbolic link on it: it "
                                              "must lead to the device."))});
      continue;
    }
    if (port.look.kind == OpenFailure::Kind::NotSerial) {
      out.push_back({Level::Problem, port.name, TroubleText(port.look, translate) + ".",
                     say(MORVANE_TRANSLATABLE("Doctor",
                                              "Name a serial device with --port or in "
                                              "MORVANE_ESC_PORTS."))});
      continue;
    }
    out.push_back({Level::Ok, port.name, Identity(port, say), {}});
    out.push_back(AccessFinding(port, facts, covered, say));
    out.push_back(HolderFinding(port, say));
    ServicesOnPort(port, facts, covered, say, out);
  }
  return out;
}

std::vector<UdevRule> ParseUdevRules(const std::string& text) {
  static const std::regex kAssignment(
      R"re(\s*([A-Za-z_]+(\{[^}]*\})?)\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*)re");
  static const std::regex kHex4("[0-9a-f]{4}");
  std::vector<UdevRule> rules;
  std::istringstream lines(text);
  std::string line;
  std::string comment;
  for (int number = 1; std::getline(lines, line); ++number) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) {
      comment.clear();
      continue;
    }
    if (line[start] == '#') {
      comment = line.substr(line.find_first_not_of("# \t", start) == std::string::npos
                                ? line.size()
                                : line.find_first_not_of("# \t", start));
      continue;
    }
    UdevRule rule;
    rule.line = number;
    rule.comment = std::exchange(comment, {});
    std::string vendor;
    std::string product;
    std::stringstream pieces(line);
    for (std::string piece; std::getline(pieces, piece, ',');) {
      std::smatch m;
      if (!std::regex_match(piece, m, kAssignment)) {
        rule.error = "cannot read '" + piece + "'";
        break;
      }
      const std::string key = m[1];
      const std::string op = m[3];
      const std::string value = m[4];
      if (key == "SUBSYSTEM" && op == "==") {
        rule.tty = value == "tty";
      } else if (key == "ATTRS{idVendor}" && op == "==" && std::regex_match(value, kHex4)) {
        vendor = value;
      } else if (key == "ATTRS{idProduct}" && op == "==" && std::regex_match(value, kHex4)) {
        product = value;
      } else if (key == "TAG" && op == "+=" && value == "uaccess") {
        rule.uaccess = true;
      } else if (key == "ENV{ID_MM_DEVICE_IGNORE}" && op == "=" && value == "1") {
        rule.mmIgnore = true;
      } else if (key == "MODE") {
        rule.mode = true;
      } else {
        rule.error = "unexpected '" + piece + "'";
        break;
      }
    }
    if (rule.error.empty() && (vendor.empty() || product.empty())) {
      rule.error = "no ATTRS{idVendor} and ATTRS{idProduct} of four lower-case hex digits";
    }
    if (rule.error.empty()) rule.vendorProduct = vendor + ":" + product;
    rules.push_back(std::move(rule));
  }
  return rules;
}

std::vector<std::string> CoveredAdapters(const std::string& ruleText) {
  std::vector<std::string> covered;
  for (const UdevRule& rule : ParseUdevRules(ruleText)) {
    if (rule.error.empty() && rule.tty && rule.uaccess && rule.mmIgnore && !rule.mode) {
      covered.push_back(rule.vendorProduct);
    }
  }
  return covered;
}

}  // namespace morvane
