// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/port_holders.h"

#include <algorithm>

namespace morvane {
namespace {

std::string Process(const std::string& name, int pid) {
  return name + ", process " + std::to_string(pid);
}

}  // namespace

Interferer InterfererNamed(const std::string& name) {
  if (name == "ModemManager") return Interferer::ModemManager;
  if (name == "brltty") return Interferer::Brltty;
  return Interferer::None;
}

void DescribeHolders(OpenFailure& failure, std::vector<PortHolder> holders) {
  // The lock's holder is the program that took the port; the others may only be looking.
  std::stable_sort(holders.begin(), holders.end(), [](const PortHolder& a, const PortHolder& b) {
    if (a.locks != b.locks) return a.locks;
    return a.pid < b.pid;
  });
  failure.detail.clear();
  failure.holders.clear();
  for (std::size_t i = 0; i < holders.size() && i < kHoldersNamed; ++i) {
    const PortHolder& h = holders[i];
    if (!failure.detail.empty()) failure.detail += "; ";
    failure.detail += (h.guessed ? "perhaps " : "") + Process(h.name, h.pid);
    failure.holders.push_back(h.name);
  }
  if (holders.size() > kHoldersNamed) {
    failure.detail += " and " + std::to_string(holders.size() - kHoldersNamed) + " more";
  }
}

std::string InUseWords(const OpenFailure& failure) {
  const bool several = failure.holders.size() > 1;
  return std::string(several ? "in use by other programs" : "in use by another program") +
         (failure.detail.empty() ? "" : " (" + failure.detail + ")");
}

std::string InUseReason(const OpenFailure& failure, Retry retry) {
  return InUseWords(failure) + ". " + InUseRemedy(failure, retry);
}

std::string InUseRemedy(const OpenFailure& failure, Retry retry) {
  const std::string again =
      retry == Retry::PickThePort ? "pick the port again." : "run the command again.";
  std::vector<Interferer> interferers;
  bool others = failure.holders.empty();
  for (const std::string& name : failure.holders) {
    const Interferer i = InterfererNamed(name);
    if (i == Interferer::None) {
      others = true;
    } else if (std::find(interferers.begin(), interferers.end(), i) == interferers.end()) {
      interferers.push_back(i);
    }
  }
  if (interferers.empty()) {
    return std::string(failure.holders.size() > 1 ? "Close them" : "Close it") + ", then " +
           again;
  }
  std::string text;
  for (const Interferer i : interferers) {
    text += i == Interferer::ModemManager ? ModemManagerDoes() + " " + ModemManagerRemedy()
                                          : BrlttyDoes() + " " + BrlttyRemedy();
    text += " ";
  }
  return text + (others ? "Close the other programs, then " + again
                        : "Then " + again);
}

std::string ModemManagerDoes() {
  return "ModemManager probes serial adapters for modems with AT commands, bytes an ESC may "
         "take for the start of a frame.";
}

std::string ModemManagerRemedy() {
  return "The udev rule of the morvane-esc-config package keeps it off the usual adapters (plug "
         "the adapter in again once the package is installed); for another adapter, set "
         "ENV{ID_MM_DEVICE_IGNORE}=\"1\" for it in a udev rule of your own.";
}

std::string BrlttyDoes() {
  return "brltty, the braille display service, claims some USB serial adapters (CH340/CH341 "
         "among them) as braille displays, and their serial port goes.";
}

std::string BrlttyRemedy() {
  return "Where no braille display is used: sudo apt remove brltty (or, to keep it, sudo "
         "systemctl mask brltty-udev.service), then plug the adapter in again.";
}

bool BrlttyClaims(const std::string& vendorProduct) {
  // WCH CH340/CH341: brltty's rules take it for a braille display of that chip.
  return vendorProduct == "1a86:7523";
}

std::string BrlttyTookText(const std::string& port, const std::string& when,
                           const std::string& vendorProduct, int brlttyPid) {
  return port + " came and went within a second" + (when.empty() ? "" : " at " + when) +
         ": brltty (process " + std::to_string(brlttyPid) + ")" +
         " runs and claims adapters of this chip (" + vendorProduct +
         ") as braille displays, which takes their serial port away. " + BrlttyRemedy();
}

}  // namespace morvane
