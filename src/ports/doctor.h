// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-esc doctor and the window's "Check ports…": what stands between this user and the
// serial adapters, from facts the shell gathers (sysfs, /dev, /proc, udev's database), put into
// findings of one line each with what to do. Also the rules of the udev rule file the
// package installs, which the tests hold the file to.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/translatable.h"
#include "ports/port_facts.h"
#include "ports/port_holders.h"

namespace morvane {

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
// In English unless the window passes its language (context "Doctor"): morvane-esc never does.
std::vector<Finding> Diagnose(const SystemFacts& facts, const TranslateText& translate = {});

// "ok", "note", "problem".
const char* LevelName(Finding::Level level);
// One line: "problem  COM1 (/dev/ttyUSB0): permission denied ... Remedy: ...".
std::string FindingLine(const Finding& finding, const TranslateText& translate = {});

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

}  // namespace morvane
