// SPDX-License-Identifier: GPL-3.0-or-later
// The programs that hold a serial device, in words, and the two that take adapters they were
// never meant for: ModemManager, which probes new serial adapters for modems with AT commands,
// and brltty, which claims some adapters as braille displays. Written once, for the window and
// morvane-esc alike.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "link/seams.h"
#include "link/translatable.h"

namespace morvane {

struct PortHolder {
  std::string name;  // as the system names the process: "minicom"
  int pid = 0;
  bool locks = false;    // holds the device's lock
  bool guessed = false;  // not seen with it open: it runs where other users' files are hidden
  bool farEnd = false;   // also holds the other end of the pseudo-terminal: the program behind it
};

// How many holders are named; the rest are counted.
inline constexpr std::size_t kHoldersNamed = 3;

enum class Interferer { None, ModemManager, Brltty };
Interferer InterfererNamed(const std::string& name);

// Puts the holders into an InUse failure: the lock's holder first, then by process number,
// at most kHoldersNamed of them in the detail ("minicom, process 412"; "picocom, process 9;
// ModemManager, process 812 and 2 more"; "perhaps ModemManager, process 812") and their names
// in `holders`.
void DescribeHolders(OpenFailure& failure, std::vector<PortHolder> holders);

// What the user does once the port is free: the window's user picks the port again, the
// command line's runs the command again.
enum class Retry { PickThePort, RunTheCommand };

// Each text below in English unless the window passes its language (context "PortHolders");
// the command line and the logs always get the English.

// The holders as DescribeHolders put them in the detail: "minicom, process 412; ...".
std::string HolderDetail(const OpenFailure& failure, const TranslateText& translate = {});
// "in use by another program (minicom, process 412)", or "by other programs (...)".
std::string InUseWords(const OpenFailure& failure, const TranslateText& translate = {});
// What to do: "Close it, then pick the port again.", or what keeps ModemManager or brltty off
// the adapter.
std::string InUseRemedy(const OpenFailure& failure, Retry retry = Retry::PickThePort,
                        const TranslateText& translate = {});
// The words, a full stop and what to do.
std::string InUseReason(const OpenFailure& failure, Retry retry = Retry::PickThePort,
                        const TranslateText& translate = {});

// What each of the two does to a serial adapter, and how to keep it off; one sentence each.
std::string ModemManagerDoes(const TranslateText& translate = {});
std::string ModemManagerRemedy(const TranslateText& translate = {});
std::string BrlttyDoes(const TranslateText& translate = {});
std::string BrlttyRemedy(const TranslateText& translate = {});

// A chip brltty is known to claim, by "vendor:product" in lower-case hex ("1a86:7523").
bool BrlttyClaims(const std::string& vendorProduct);

// A port that came and went within a second while brltty ran, brltty being known to claim its
// chip: what happened and what to do. `port` names it ("COM3 (/dev/ttyUSB0)"); `when` is the
// time of day, "" where the line is stamped anyway.
std::string BrlttyTookText(const std::string& port, const std::string& when,
                           const std::string& vendorProduct, int brlttyPid,
                           const TranslateText& translate = {});

}  // namespace morvane
