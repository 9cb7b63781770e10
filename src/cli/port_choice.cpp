// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/port_choice.h"

#include <algorithm>
#include <cctype>

#include "cli/cli_arguments.h"
#include "ports/com_names.h"
#include "link/printable.h"

namespace morvane::cli {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "COM7" (any case) is port 7; 0 when the text is no port number.
int ComNumber(const std::string& text) {
  const std::string lower = Lower(text);
  if (lower.size() < 4 || lower.size() > 6 || lower.rfind("com", 0) != 0) return 0;
  if (!std::all_of(lower.begin() + 3, lower.end(),
                   [](unsigned char c) { return std::isdigit(c); })) {
    return 0;
  }
  return std::stoi(lower.substr(3));
}

}  // namespace

bool IsUsbAdapter(const SerialDevice& device, Platform platform) {
  const std::string name = BaseName(device.path);
  switch (platform) {
    case Platform::Windows:
      return Lower(device.description).find("usb") != std::string::npos;
    case Platform::MacOS:
      return device.path.rfind("/dev/cu.", 0) == 0 && Lower(name).find("usb") != std::string::npos;
    default:
      return name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0;
  }
}

Candidates ChooseCandidates(const std::string& portOption, const PortTable& table, bool listed,
                            Platform platform) {
  Candidates c;
  if (!portOption.empty()) {
    if (const int n = ComNumber(portOption); n > 0) {
      const SerialDevice* device = table.device(n);
      if (device == nullptr) {
        c.error =
            "COM" + std::to_string(n) + " has no device; 'morvane-esc ports' lists the port table";
        c.status = kExitPort;
        return c;
      }
      c.devices.push_back(*device);
      // On Windows the device is that COM port itself: its number says it all.
      c.names.push_back(platform == Platform::Windows
                            ? "COM" + std::to_string(n)
                            : "COM" + std::to_string(n) + " (" + device->path + ")");
      return c;
    }
    c.devices.push_back({portOption, {}});
    c.names.push_back(portOption);
    return c;
  }
  for (const SerialDevice& d : table.entries()) {
    if (d.path.empty()) continue;
    if (listed || IsUsbAdapter(d, platform)) {
      c.devices.push_back(d);
      c.names.push_back(platform == Platform::Windows ? "COM" + std::to_string(ComNumberOf(d.path))
                                                      : d.path);
    }
  }
  if (c.devices.empty()) {
    // Windows has its own COM numbers: no list of devices stands for them there.
    c.error = listed ? "MORVANE_ESC_PORTS names no port"
              : platform == Platform::Windows
                  ? "no USB serial adapter is plugged in; name the port with --port"
                  : "no USB serial adapter is plugged in; name the port with --port, or "
                    "list ports in MORVANE_ESC_PORTS";
    c.status = kExitNoEsc;
  }
  return c;
}

std::string PortsText(const PortTable& table) {
  std::string text;
  for (int n = 1; n <= PortTable::kMaxPorts; ++n) {
    const SerialDevice* d = table.device(n);
    if (d != nullptr) {
      text.append("COM").append(std::to_string(n)).append("\t").append(Printable(d->path));
      text.append("\t").append(Printable(d->description)).append("\n");
    }
  }
  return text;
}

}  // namespace morvane::cli
