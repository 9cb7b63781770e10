// SPDX-License-Identifier: GPL-3.0-or-later
// What the system says of the serial adapters and of the programs around them: gathered by
// the shell (sysfs, /dev, /proc, udev's database), judged by doctor and "Check ports…".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/port_holders.h"

namespace morvane {

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

}  // namespace morvane
