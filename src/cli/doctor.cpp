// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/doctor.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <regex>
#include <sstream>
#include <utility>

namespace morvane::cli {
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

const char* const kGroupRemedy = "sudo usermod -aG dialout $USER, then log out and in again";

std::string Process(const RunningProgram& p) {
  return p.name + " (process " + std::to_string(p.pid) + ")";
}

bool Covered(const std::vector<std::string>& covered, const std::string& vendorProduct) {
  return std::find(covered.begin(), covered.end(), vendorProduct) != covered.end();
}

std::string Identity(const PortFacts& port) {
  std::string text;
  if (port.pseudoTerminal) {
    text = "a pseudo-terminal";
  } else if (port.usb) {
    const UsbFacts& usb = *port.usb;
    text = "USB serial adapter " + usb.vendorProduct;
    std::string about = ChipName(usb.vendorProduct);
    for (const std::string& word : {usb.maker, usb.product}) {
      if (!word.empty() && about.find(word) == std::string::npos) {
        about += (about.empty() ? "" : ", ") + word;
      }
    }
    if (!about.empty()) text += " (" + about + ")";
    text += usb.driver.empty() ? ", no driver bound" : ", driver " + usb.driver;
    if (!port.byId.empty()) text += ", " + port.byId;
  } else {
    text = "a serial device, not on USB";
  }
  // The path as named leads elsewhere: say where.
  if (port.name.find(port.device) == std::string::npos) text = port.device + ", " + text;
  return text + ".";
}

Finding AccessFinding(const PortFacts& port, const SystemFacts& facts,
                      const std::vector<std::string>& covered) {
  const AccessFacts& a = port.access;
  if (a.mayOpen) {
    std::string why = "you may open it";
    if (a.root) {
      why += ": you are root";
    } else if (a.acl) {
      why += ": an ACL gives it to you as the user at this machine's seat (uaccess)";
    } else if (a.owner) {
      why += ": it is yours";
    } else if (a.inGroup) {
      why += ": you are in its group " + a.group;
    } else if (a.everyone) {
      why += ": every user may";
    }
    return {Level::Ok, port.name, why + ".", {}};
  }
  std::string why = "you may not open it";
  if (a.inGroupAfterLogin) {
    return {Level::Problem, port.name,
            why + ": you were added to its group " + a.group + ", but this login began before.",
            "Log out and in again (a new terminal is not enough), or run newgrp " + a.group +
                " in this terminal."};
  }
  why += a.group.empty() ? ": no group may open it." : ": it is for group " + a.group + ".";
  const std::string group =
      a.group.empty() || a.group == "dialout"
          ? std::string(kGroupRemedy)
          : "sudo usermod -aG " + a.group + " $USER, then log out and in again";
  if (port.udev.uaccess) {
    return {Level::Problem, port.name, why,
            "The udev rule gives access to the user logged in at this machine's seat, and you "
            "are not (over ssh, say): " +
                group + "."};
  }
  if (facts.rulePath.empty()) {
    return {Level::Problem, port.name, why,
            "Install the udev rule (see above), which gives access to the user at this "
            "machine's seat; or " +
                group + "."};
  }
  if (port.usb && !Covered(covered, port.usb->vendorProduct)) {
    return {Level::Problem, port.name, why,
            "The udev rule does not list " + port.usb->vendorProduct + ": " + group +
                "; or add the pair to a rule of your own in /etc/udev/rules.d."};
  }
  if (port.usb && port.udev.known) {
    return {Level::Problem, port.name, why + " The udev rule came after the adapter.",
            "Plug the adapter in again (or: sudo udevadm trigger --subsystem-match=tty)."};
  }
  return {Level::Problem, port.name, why, group + "."};
}

Finding HolderFinding(const PortFacts& port) {
  const bool locked = std::any_of(port.holders.begin(), port.holders.end(),
                                  [](const PortHolder& h) { return h.locks; });
  const bool interfered =
      std::any_of(port.holders.begin(), port.holders.end(),
                  [](const PortHolder& h) { return InterfererNamed(h.name) != Interferer::None; });
  if (locked || interfered) {
    OpenFailure failure{OpenFailure::Kind::InUse, {}};
    DescribeHolders(failure, port.holders);
    return {Level::Problem, port.name, InUseWords(failure) + ".", InUseRemedy(failure, Retry::RunTheCommand)};
  }
  if (port.openHere) return {Level::Ok, port.name, "open in this window.", {}};
  if (!port.holders.empty()) {
    // Open without a lock: this program's open still succeeds, and both use the line.
    OpenFailure failure{OpenFailure::Kind::InUse, {}};
    DescribeHolders(failure, port.holders);
    if (port.pseudoTerminal) {
      return {Level::Ok,
              port.name,
              "also open in " + failure.detail +
                  ", with no lock: the far end of a "
                  "pseudo-terminal may keep it so.",
              {}};
    }
    return {Level::Note, port.name,
            "also open in " + failure.detail + ", which holds no lock on it.",
            "If it is not meant to talk to the ESC, close it: what it reads and writes mixes "
            "with this program's."};
  }
  if (port.holdersHidden) {
    return {Level::Ok,
            port.name,
            "no program of yours has it open (other users' programs cannot be seen).",
            {}};
  }
  return {Level::Ok, port.name, "no other program has it open.", {}};
}

void ServicesOnPort(const PortFacts& port, const SystemFacts& facts,
                    const std::vector<std::string>& covered, std::vector<Finding>& out) {
  // Neither service touches a pseudo-terminal or a device that is not on USB.
  if (!port.usb) return;
  const std::string& chip = port.usb->vendorProduct;
  if (facts.modemManager) {
    if (port.udev.mmIgnore) {
      out.push_back(
          {Level::Ok, port.name, "ModemManager leaves it alone (ID_MM_DEVICE_IGNORE).", {}});
    } else if (!port.udev.known && !facts.rulePath.empty() && Covered(covered, chip)) {
      out.push_back({Level::Note,
                     port.name,
                     "ModemManager should leave it alone: the udev rule lists " + chip +
                         " (udev's database could not be read to be sure).",
                     {}});
    } else {
      out.push_back({Level::Problem, port.name,
                     "ModemManager may open it and send AT commands to the ESC.",
                     facts.rulePath.empty() || !Covered(covered, chip)
                         ? ModemManagerRemedy()
                         : "The udev rule lists " + chip +
                               " but came after the adapter: plug the adapter in again."});
    }
  }
  if (facts.brltty && BrlttyClaims(chip)) {
    out.push_back({Level::Problem, port.name,
                   "brltty claims adapters of this chip as braille displays: its serial port "
                   "may vanish at once.",
                   BrlttyRemedy()});
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
      return "ok";
    case Level::Note:
      return "note";
    case Level::Problem:
      break;
  }
  return "problem";
}

std::string FindingLine(const Finding& f) {
  std::string line = LevelName(f.level);
  line.resize(8, ' ');
  line += f.subject + ": " + f.text;
  if (!f.remedy.empty()) line += " Remedy: " + f.remedy;
  return line;
}

std::vector<Finding> Diagnose(const SystemFacts& facts) {
  std::vector<Finding> out;
  const std::vector<std::string> covered = CoveredAdapters(facts.ruleText);
  if (facts.rulePath.empty()) {
    out.push_back({Level::Problem, "udev rule",
                   std::string("not installed: no ") + kRuleFile + " in /etc/udev/rules.d or " +
                       kPackageRuleFolder + ".",
                   std::string("Install the morvane-esc-config package, or copy ") + kRuleFile +
                       " from the sources' packaging folder to /etc/udev/rules.d, run sudo "
                       "udevadm control --reload-rules and plug the adapter in again."});
  } else {
    out.push_back({Level::Ok,
                   "udev rule",
                   "installed: " + facts.rulePath + ", for " + std::to_string(covered.size()) +
                       " kinds of adapter; it gives the user at this machine's seat access "
                       "(uaccess) and keeps ModemManager off them.",
                   {}});
  }
  if (facts.modemManager) {
    out.push_back({Level::Note,
                   "ModemManager",
                   "runs, " + Process(*facts.modemManager) +
                       ": it probes serial adapters that are not marked ID_MM_DEVICE_IGNORE.",
                   {}});
  } else {
    out.push_back({Level::Ok, "ModemManager", "does not run.", {}});
  }
  if (facts.brltty) {
    // With nothing plugged in, brltty may be why: the adapter came and went at once.
    const bool nothing = facts.ports.empty() && !facts.named;
    out.push_back({nothing ? Level::Problem : Level::Note, "brltty",
                   "runs, " + Process(*facts.brltty) + ". " + BrlttyDoes(),
                   nothing ? BrlttyRemedy() : std::string()});
  } else {
    out.push_back({Level::Ok, "brltty", "does not run.", {}});
  }
  if (facts.ports.empty() && !facts.named) {
    out.push_back({Level::Problem, "adapters", "no USB serial adapter is plugged in.",
                   "Plug the adapter in, or name a port with --port or MORVANE_ESC_PORTS."});
  }
  for (const PortFacts& port : facts.ports) {
    if (port.look.kind == OpenFailure::Kind::Gone) {
      out.push_back({Level::Problem, port.name, "does not exist now.",
                     "Plug the adapter in, or check the path."});
      continue;
    }
    if (port.device.empty()) {
      // A folder on the way that this user may not search.
      out.push_back({Level::Problem, port.name, "cannot be looked at: permission denied.",
                     "Name a path this user may follow."});
      continue;
    }
    if (port.look.kind == OpenFailure::Kind::NotSerial) {
      out.push_back({Level::Problem, port.name,
                     (port.look.detail.empty() ? std::string("not a device") : port.look.detail) +
                         ", not a serial port.",
                     "Name a serial device with --port or in MORVANE_ESC_PORTS."});
      continue;
    }
    out.push_back({Level::Ok, port.name, Identity(port), {}});
    out.push_back(AccessFinding(port, facts, covered));
    out.push_back(HolderFinding(port));
    ServicesOnPort(port, facts, covered, out);
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

}  // namespace morvane::cli
