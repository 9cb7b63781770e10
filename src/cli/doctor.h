// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc doctor and the window's "Check ports…": what stands between this user and the
// serial adapters, from facts the shell gathers (sysfs, /dev, /proc, udev's database), put into
// findings of one line each with what to do. Also the rules of the udev rule file the
// package installs, which the tests hold the file to.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/port_holders.h"

namespace morvane::cli {

// The package's udev rule, by name; a file of that name in /etc/udev/rules.d replaces it.
inline constexpr const char* kRuleFile = "60-morvane-esc-config.rules";
// Where a package installs its rules, and where a user's own go.
inline constexpr const char* kPackageRuleFolder = "/usr/lib/udev/rules.d";

// What the system says of a USB adapter, from sysfs.
struct UsbFacts {
  std::string vendorProduct;  // "1a86:7523", lower-case hex
  std::string maker;          // the USB manufacturer string, "" when none
  std::string product;        // the USB product string, "" when none
  std::string driver;         // "ch341-uart", "cdc_acm"; "" when none is bound
};

// Whether this user may read and write the device, and why.
struct AccessFacts {
  bool mayOpen = false;  // access() for reading and writing
  bool root = false;
  bool owner = false;              // the device is the user's own, and its owner may use it
  std::string group;               // the device's group, "dialout"
  bool groupMay = false;           // the group may read and write it
  bool inGroup = false;            // this login has the group
  bool inGroupAfterLogin = false;  // the group lists the user; this login began before
  bool acl = false;                // an ACL entry gives this user access (uaccess)
  bool everyone = false;           // every user may read and write it
};

// What udev's database says of the device; known is false where there is none to read.
struct UdevFacts {
  bool known = false;
  bool uaccess = false;   // tagged for the user at the seat
  bool mmIgnore = false;  // ID_MM_DEVICE_IGNORE=1
};

struct PortFacts {
  std::string name;    // as the user knows it: "COM1 (/dev/ttyUSB0)", "/tmp/esc"
  std::string device;  // the node the path leads to; "" when it leads nowhere
  OpenFailure look;    // what was seen without opening it: Gone, NotSerial, ...
  bool pseudoTerminal = false;
  std::optional<UsbFacts> usb;
  std::string byId;  // its name under /dev/serial/by-id, "" when none
  AccessFacts access;
  UdevFacts udev;
  std::vector<PortHolder> holders;  // every program seen with it open
  bool holdersHidden = false;       // other users' open files could not be looked at
  bool openHere = false;            // the window has it open itself
};

struct RunningProgram {
  std::string name;
  int pid = 0;
};

struct SystemFacts {
  std::vector<PortFacts> ports;
  // The ports were named (--port, MORVANE_ESC_PORTS); else they are the USB adapters present.
  bool named = false;
  std::string rulePath;  // the rule file in effect; "" when none is installed
  std::string ruleText;
  std::optional<RunningProgram> modemManager;
  std::optional<RunningProgram> brltty;
};

struct Finding {
  enum class Level { Ok, Note, Problem };
  Level level = Level::Ok;
  std::string subject;  // "COM1 (/dev/ttyUSB0)", "udev rule", "ModemManager"
  std::string text;     // what was found, a sentence
  std::string remedy;   // what to do; "" when nothing is to be done
};

// Findings in order: the rule, ModemManager, brltty, then each port's identity, access,
// holders and the two services' hold on it; with no port found, that no adapter is plugged in
// (ports named but none there is for the caller to say: it knows why).
std::vector<Finding> Diagnose(const SystemFacts& facts);

// "ok", "note", "problem".
const char* LevelName(Finding::Level level);
// One line: "problem  COM1 (/dev/ttyUSB0): permission denied ... Remedy: ...".
std::string FindingLine(const Finding& finding);

// The chip's name for a vendor:product pair, "" when not known: "WCH CH340/CH341".
std::string ChipName(const std::string& vendorProduct);

// One rule of a udev rules file: the pair it matches and what it does. Every line that is no
// comment must be one of these; the rest of the file is comments.
struct UdevRule {
  int line = 0;
  std::string vendorProduct;  // "0403:6001"
  bool tty = false;           // SUBSYSTEM=="tty"
  bool uaccess = false;       // TAG+="uaccess"
  bool mmIgnore = false;      // ENV{ID_MM_DEVICE_IGNORE}="1"
  bool mode = false;          // sets MODE, which the package never does
  std::string error;          // what is wrong with the line, "" when it parsed
  std::string comment;        // the comment line just above it: the chip's name
};
std::vector<UdevRule> ParseUdevRules(const std::string& text);
// The vendor:product pairs of the rules that match a tty and leave it to ModemManager's
// ignore list and the seat's user.
std::vector<std::string> CoveredAdapters(const std::string& ruleText);

}  // namespace morvane::cli
