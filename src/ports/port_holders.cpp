// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/port_holders.h"

#include <algorithm>

namespace morvane {
namespace {

constexpr const char* kContext = "PortHolders";

// The detail's own pieces, so the window can say them again in its language.
constexpr const char* kProcess = MORVANE_TRANSLATABLE("PortHolders", "%1, process %2");
constexpr const char* kPerhaps = MORVANE_TRANSLATABLE("PortHolders", "perhaps %1");
constexpr const char* kMore = MORVANE_TRANSLATABLE("PortHolders", "%1 and %2 more");

std::string Say(const TranslateText& translate, const char* english,
                std::initializer_list<std::string_view> args = {}) {
  return Phrase(translate, kContext, english, args);
}

// "minicom, process 412; perhaps cat, process 900 and 1 more", in the given language.
std::string NamedHolders(const OpenFailure& failure, const TranslateText& translate) {
  std::string out;
  for (const OpenFailure::Holder& h : failure.holders) {
    if (!out.empty()) out += "; ";
    const std::string named = Say(translate, kProcess, {h.name, std::to_string(h.pid)});
    out += h.guessed ? Say(translate, kPerhaps, {named}) : named;
  }
  return failure.moreHolders == 0
             ? out
             : Say(translate, kMore, {out, std::to_string(failure.moreHolders)});
}

// The detail as told: composed again in the window's language where it names holders.
std::string DetailAgain(const OpenFailure& failure, const TranslateText& translate) {
  return translate && !failure.holders.empty() ? NamedHolders(failure, translate)
                                               : failure.detail;
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
  failure.holders.clear();
  for (std::size_t i = 0; i < holders.size() && i < kHoldersNamed; ++i) {
    failure.holders.push_back({holders[i].name, holders[i].pid, holders[i].guessed});
  }
  failure.moreHolders = holders.size() - failure.holders.size();
  failure.detail = NamedHolders(failure, {});
}

std::string HolderDetail(const OpenFailure& failure, const TranslateText& translate) {
  return DetailAgain(failure, translate);
}

std::string InUseWords(const OpenFailure& failure, const TranslateText& translate) {
  const bool several = failure.holders.size() > 1;
  if (failure.detail.empty()) {
    return several
               ? Say(translate, MORVANE_TRANSLATABLE("PortHolders", "in use by other programs"))
               : Say(translate, MORVANE_TRANSLATABLE("PortHolders", "in use by another program"));
  }
  const std::string detail = DetailAgain(failure, translate);
  return several
             ? Say(translate, MORVANE_TRANSLATABLE("PortHolders", "in use by other programs (%1)"),
                   {detail})
             : Say(translate, MORVANE_TRANSLATABLE("PortHolders", "in use by another program (%1)"),
                   {detail});
}

std::string InUseReason(const OpenFailure& failure, Retry retry, const TranslateText& translate) {
  return Say(translate, MORVANE_TRANSLATABLE("PortHolders", "%1. %2"),
             {InUseWords(failure, translate), InUseRemedy(failure, retry, translate)});
}

std::string InUseRemedy(const OpenFailure& failure, Retry retry, const TranslateText& translate) {
  const bool pick = retry == Retry::PickThePort;
  std::vector<Interferer> interferers;
  bool others = failure.holders.empty();
  for (const OpenFailure::Holder& holder : failure.holders) {
    const Interferer i = InterfererNamed(holder.name);
    if (i == Interferer::None) {
      others = true;
    } else if (std::find(interferers.begin(), interferers.end(), i) == interferers.end()) {
      interferers.push_back(i);
    }
  }
  if (interferers.empty()) {
    if (failure.holders.size() > 1) {
      return pick ? Say(translate, MORVANE_TRANSLATABLE("PortHolders",
                                                        "Close them, then pick the port again."))
                  : Say(translate, MORVANE_TRANSLATABLE("PortHolders",
                                                        "Close them, then run the command again."));
    }
    return pick ? Say(translate,
                      MORVANE_TRANSLATABLE("PortHolders", "Close it, then pick the port again."))
                : Say(translate,
                      MORVANE_TRANSLATABLE("PortHolders", "Close it, then run the command again."));
  }
  std::string text;
  for (const Interferer i : interferers) {
    text += i == Interferer::ModemManager
                ? ModemManagerDoes(translate) + " " + ModemManagerRemedy(translate)
                : BrlttyDoes(translate) + " " + BrlttyRemedy(translate);
    text += " ";
  }
  if (others) {
    return text + (pick ? Say(translate, MORVANE_TRANSLATABLE(
                                             "PortHolders",
                                             "Close the other programs, then pick the port again."))
                        : Say(translate, MORVANE_TRANSLATABLE("PortHolders",
                                                              "Close the other programs, then run "
                                                              "the command again.")));
  }
  return text +
         (pick
              ? Say(translate, MORVANE_TRANSLATABLE("PortHolders", "Then pick the port again."))
              : Say(translate, MORVANE_TRANSLATABLE("PortHolders", "Then run the command again.")));
}

std::string ModemManagerDoes(const TranslateText& translate) {
  return Say(translate, MORVANE_TRANSLATABLE(
                            "PortHolders",
                            "ModemManager probes serial adapters for modems with AT commands, "
                            "bytes an ESC may take for the start of a frame."));
}

std::string ModemManagerRemedy(const TranslateText& translate) {
  return Say(translate,
             MORVANE_TRANSLATABLE(
                 "PortHolders",
                 "The udev rule of the %1 package keeps it off the usual adapters (plug the "
                 "adapter in again once the package is installed); for another adapter, set %2 "
                 "for it in a udev rule of your own."),
             {"morvane-esc-config", "ENV{ID_MM_DEVICE_IGNORE}=\"1\""});
}

std::string BrlttyDoes(const TranslateText& translate) {
  return Say(translate,
             MORVANE_TRANSLATABLE("PortHolders",
                                  "brltty, the braille display service, claims some USB serial "
                                  "adapters (%1 among them) as braille displays, and their serial "
                                  "port goes."),
             {"CH340/CH341"});
}

std::string BrlttyRemedy(const TranslateText& translate) {
  return Say(translate,
             MORVANE_TRANSLATABLE("PortHolders",
                                  "Where no braille display is used: %1 (or, to keep it, %2), "
                                  "then plug the adapter in again."),
             {"sudo apt remove brltty", "sudo systemctl mask brltty-udev.service"});
}

bool BrlttyClaims(const std::string& vendorProduct) {
  // WCH CH340/CH341: brltty's rules take it for a braille display of that chip.
  return vendorProduct == "1a86:7523";
}

std::string BrlttyTookText(const std::string& port, const std::string& when,
                           const std::string& vendorProduct, int brlttyPid,
                           const TranslateText& translate) {
  const std::string pid = std::to_string(brlttyPid);
  const std::string took =
      when.empty()
          ? Say(translate,
                MORVANE_TRANSLATABLE("PortHolders",
                                     "%1 came and went within a second: brltty (process %2) runs "
                                     "and claims adapters of this chip (%3) as braille displays, "
                                     "which takes their serial port away."),
                {port, pid, vendorProduct})
          : Say(translate,
                MORVANE_TRANSLATABLE("PortHolders",
                                     "%1 came and went within a second at %4: brltty (process "
                                     "%2) runs and claims adapters of this chip (%3) as braille "
                                     "displays, which takes their serial port away."),
                {port, pid, vendorProduct, when});
  return took + " " + BrlttyRemedy(translate);
}

}  // namespace morvane
