// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/port_table.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <tuple>

#include "ports/com_names.h"

namespace morvane {
namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view BaseName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool ContainsUsb(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("usb") != std::string::npos;
}

// Lower groups come first in the table.
int UsbGroup(std::string_view path, Platform platform) {
  const std::string_view name = BaseName(path);
  if (platform == Platform::MacOS) return ContainsUsb(name) ? 0 : 1;
  if (name.rfind("ttyUSB", 0) == 0) return 0;
  if (name.rfind("ttyACM", 0) == 0) return 1;
  return 2;
}

// A device's description, in the window's language where it knows how the table made it.
std::string Description(const SerialDevice& d, const TranslateText& translate) {
  return translate && d.words ? DescriptionText(*d.words, d.trouble, translate) : d.description;
}

}  // namespace

std::string DescriptionText(const DeviceWords& words, const OpenFailure& trouble,
                            const TranslateText& translate) {
  const Phrases say(translate, "PortTable");
  using What = DeviceWords::What;
  std::string what;
  switch (words.what) {
    case What::Missing:
      return say(MORVANE_TRANSLATABLE("PortTable", "does not exist now"), {});
    case What::Trouble:
      what = TroubleText(trouble, translate);
      break;
    case What::PseudoTerminal:
      what = say(MORVANE_TRANSLATABLE("PortTable", "pseudo-terminal"), {});
      break;
    case What::SerialDevice:
      what = say(MORVANE_TRANSLATABLE("PortTable", "serial device"), {});
      break;
    case What::Told:
      // The system's words, unless they are the fallback of ours.
      what = translate ? translate("PortTable", words.told.c_str()) : words.told;
      break;
  }
  if (words.what != What::Trouble && trouble.kind != OpenFailure::Kind::None) {
    what += ", " + TroubleText(trouble, translate);
  }
  if (words.device.empty()) return what;
  if (words.link)
    return say(MORVANE_TRANSLATABLE("PortTable", "link to %1, %2"), {words.device, what});
  return words.devicePath ? what : words.device + ", " + what;
}

Platform CurrentPlatform() {
#if defined(_WIN32)
  return Platform::Windows;
#elif defined(__APPLE__)
  return Platform::MacOS;
#elif defined(__linux__)
  return Platform::Linux;
#else
  return Platform::OtherUnix;
#endif
}

PortTable::PortTable(std::vector<SerialDevice> byNumber) : entries_(std::move(byNumber)) {
  if (entries_.size() > static_cast<std::size_t>(kMaxPorts)) entries_.resize(kMaxPorts);
}

const SerialDevice* PortTable::device(int n) const {
  if (n < 1 || n > static_cast<int>(entries_.size())) return nullptr;
  const SerialDevice& d = entries_[static_cast<std::size_t>(n - 1)];
  return d.path.empty() ? nullptr : &d;
}

void PortTable::setDevice(int n, SerialDevice device) {
  if (n < 1 || n > kMaxPorts) return;
  if (entries_.size() < static_cast<std::size_t>(n)) entries_.resize(static_cast<std::size_t>(n));
  entries_[static_cast<std::size_t>(n - 1)] = std::move(device);
}

int PortTable::deviceCount() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                        [](const SerialDevice& d) { return !d.path.empty(); }));
}

ParsedPortList ParsePortList(std::string_view value) {
  ParsedPortList parsed;
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = value.find(':', start);
    parsed.paths.emplace_back(value.substr(start, colon - start));
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  // A trailing colon adds no port of its own.
  while (!parsed.paths.empty() && parsed.paths.back().empty()) parsed.paths.pop_back();
  if (parsed.paths.size() > static_cast<std::size_t>(PortTable::kMaxPorts)) {
    parsed.warning = "MORVANE_ESC_PORTS names " + std::to_string(parsed.paths.size()) +
                     " ports; only the first " + std::to_string(PortTable::kMaxPorts) +
                     " are used (COM1 to COM16)";
    parsed.paths.resize(PortTable::kMaxPorts);
  }
  return parsed;
}

bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t ie = i;
      std::size_t je = j;
      while (ie < a.size() && IsDigit(a[ie])) ++ie;
      while (je < b.size() && IsDigit(b[je])) ++je;
      std::string_view na = a.substr(i, ie - i);
      std::string_view nb = b.substr(j, je - j);
      const std::size_t za = std::min(na.find_first_not_of('0'), na.size() - 1);
      const std::size_t zb = std::min(nb.find_first_not_of('0'), nb.size() - 1);
      const std::string_view va = na.substr(za);
      const std::string_view vb = nb.substr(zb);
      if (va.size() != vb.size()) return va.size() < vb.size();
      if (va != vb) return va < vb;
      if (na.size() != nb.size()) return na.size() < nb.size();
      i = ie;
      j = je;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

std::vector<SerialDevice> OrderSystemPorts(std::vector<SerialDevice> ports, Platform platform) {
  if (platform == Platform::MacOS) {
    std::erase_if(ports, [](const SerialDevice& d) { return d.path.rfind("/dev/cu.", 0) != 0; });
  }
  std::set<std::string> seen;
  std::erase_if(ports, [&](const SerialDevice& d) { return !seen.insert(d.path).second; });
  std::stable_sort(ports.begin(), ports.end(), [&](const SerialDevice& a, const SerialDevice& b) {
    const int ga = UsbGroup(a.path, platform);
    const int gb = UsbGroup(b.path, platform);
    if (ga != gb) return ga < gb;
    return NaturalLess(a.path, b.path);
  });
  return ports;
}

PortTable BuildPortTable(
    const std::optional<std::string>& envList, const std::vector<SerialDevice>& systemPorts,
    Platform platform, const std::function<DeviceDescription(const std::string& path)>& describe) {
  std::vector<SerialDevice> byNumber;
  if (platform == Platform::Windows) {
    for (int n = 1; n <= PortTable::kMaxPorts; ++n) {
      SerialDevice com{WindowsDevicePath(n), {}};
      for (const SerialDevice& d : systemPorts) {
        if (ComNumberOf(d.path) == n) {
          com.description = d.description;
          com.words = DeviceWords{DeviceWords::What::Told, d.description, {}, false, true};
        }
      }
      byNumber.push_back(com);
    }
    return PortTable(std::move(byNumber));
  }
  if (envList && !envList->empty()) {
    for (std::string& path : ParsePortList(*envList).paths)
      byNumber.push_back({std::move(path), {}});
  } else {
    byNumber = OrderSystemPorts(systemPorts, platform);
  }
  for (SerialDevice& d : byNumber) {
    if (d.path.empty()) continue;
    DeviceDescription described = describe(d.path);
    if (!described.text.empty()) {
      d.description = std::move(described.text);
      d.words = std::move(described.words);
    }
    d.trouble = std::move(described.trouble);
  }
  return PortTable(std::move(byNumber));
}

std::vector<std::string> DeviceKeys(const PortTable& table) {
  std::vector<std::string> keys;
  for (const SerialDevice& d : table.entries()) keys.push_back(d.key.empty() ? d.path : d.key);
  return keys;
}

std::string DeviceLine(const PortTable& table, int n, const TranslateText& translate) {
  const SerialDevice* d = table.device(n);
  if (d == nullptr) return {};
  // What was wrong with it is the message's own business.
  std::string what = Description(*d, translate);
  const std::string trouble = TroubleText(d->trouble, translate);
  if (!trouble.empty() && what.ends_with(trouble)) {
    what.resize(what.size() - trouble.size());
    while (!what.empty() && (what.back() == ' ' || what.back() == ',')) what.pop_back();
  }
  return what.empty() ? d->path : d->path + ", " + what;
}

std::string EntryTip(const PortTable& table, int n, const TranslateText& translate) {
  const SerialDevice* d = table.device(n);
  if (d == nullptr) return {};
  const std::string description = Description(*d, translate);
  return description.empty() ? d->path : d->path + "\n" + description;
}

std::string EmptyListTip(const PortTable& table, Platform platform,
                         const TranslateText& translate) {
  const Phrases say(translate, "PortTable");
  // Only Linux tells the program of adapters that come while it runs.
  const bool followed = platform == Platform::Linux;
  if (table.deviceCount() == 0) {
    return followed ? say(MORVANE_TRANSLATABLE("PortTable",
                                               "No serial port was found.\nConnect the adapter: "
                                               "it appears here by itself."),
                          {})
                    : say(MORVANE_TRANSLATABLE("PortTable",
                                               "No serial port was found.\nConnect the adapter, "
                                               "then start the program again."),
                          {});
  }
  std::string tip;
  bool unexplained = platform == Platform::Windows;
  bool denied = false;
  std::string group;  // one a user could join for the device
  // On Windows every COMn is tried, so a list of them says nothing.
  if (platform == Platform::Windows) {
    tip = say(
        MORVANE_TRANSLATABLE("PortTable", "The serial ports COM1 to COM16 could not be opened."),
        {});
  } else {
    tip = say(MORVANE_TRANSLATABLE("PortTable", "These serial ports could not be opened:"), {});
    for (const SerialDevice& d : table.entries()) {
      if (d.path.empty()) continue;
      tip += "\n  " + d.path;
      if (const std::string description = Description(d, translate); !description.empty()) {
        tip += " - " + description;
      }
      switch (d.trouble.kind) {
        case OpenFailure::Kind::PermissionDenied:
          denied = true;
          if (group.empty()) group = d.trouble.detail;
          break;
        case OpenFailure::Kind::None:
        case OpenFailure::Kind::InUse:
          unexplained = true;
          break;
        case OpenFailure::Kind::Gone:
        case OpenFailure::Kind::NotSerial:
        case OpenFailure::Kind::Other:
          break;
      }
    }
  }
  // A device that looked fine before the scan failed for a reason only its open knew. Each
  // text is appended, not added as "\n" + text: GCC 12 warns falsely (-Wrestrict) on that.
  if (unexplained) {
    tip.append("\n").append(
        say(MORVANE_TRANSLATABLE("PortTable", "A port may be in use by another program."), {}));
  }
  if (denied) {
    tip.append("\n").append(
        say(MORVANE_TRANSLATABLE("PortTable", "Your user may not open a port."), {}));
    if (platform == Platform::Linux && !group.empty()) {
      tip.append(" ").append(say(MORVANE_TRANSLATABLE("PortTable",
                                                      "You may need to join the %1 group: sudo "
                                                      "usermod -aG %1 $USER, then log out and in "
                                                      "again."),
                                 {group}));
    }
  }
  return tip + "\n" +
         (followed ? say(MORVANE_TRANSLATABLE("PortTable",
                                              "Then plug the adapter in again, or start the "
                                              "program again."),
                         {})
                   : say(MORVANE_TRANSLATABLE("PortTable", "Then start the program again."), {}));
}

}  // namespace morvane
