// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/com_names.h"

#include <algorithm>
#include <cctype>

namespace morvane {

std::string WindowsDevicePath(int n) {
  const std::string name = "COM" + std::to_string(n);
  return n >= 10 ? "\\\\.\\" + name : name;
}

int ComNumberOf(std::string_view name) {
  if (name.starts_with("\\\\.\\")) name.remove_prefix(4);
  if (name.size() < 4 || name.size() > 6) return 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
  }
  int n = 0;
  for (const char c : name.substr(3)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    n = n * 10 + (c - '0');
  }
  // "COM01" is no port's name.
  return name[3] == '0' ? 0 : n;
}

int ComNumberOfFriendlyName(std::string_view friendlyName) {
  if (!friendlyName.ends_with(')')) return 0;
  const std::size_t open = friendlyName.rfind('(');
  if (open == std::string_view::npos) return 0;
  return ComNumberOf(friendlyName.substr(open + 1, friendlyName.size() - open - 2));
}

std::vector<SerialDevice> SystemComPorts(const std::vector<SystemComName>& listed,
                                         const std::vector<std::string>& friendlyNames) {
  std::vector<SerialDevice> ports;
  for (const SystemComName& port : listed) {
    const int n = ComNumberOf(port.name);
    if (n == 0) continue;
    std::string friendly = port.friendlyName;
    for (const std::string& f : friendlyNames) {
      if (friendly.empty() && ComNumberOfFriendlyName(f) == n) friendly = f;
    }
    if (ComNumberOfFriendlyName(friendly) == n) {
      friendly.erase(friendly.rfind('('));
      while (!friendly.empty() && friendly.back() == ' ') friendly.pop_back();
    }
    ports.push_back({"COM" + std::to_string(n), std::move(friendly)});
  }
  std::stable_sort(ports.begin(), ports.end(), [](const SerialDevice& a, const SerialDevice& b) {
    return ComNumberOf(a.path) < ComNumberOf(b.path);
  });
  return ports;
}

}  // namespace morvane
