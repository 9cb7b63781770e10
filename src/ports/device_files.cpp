// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/device_files.h"

#include <sys/stat.h>

#include <fstream>
#include <string>

#if defined(__linux__)
#include <sys/sysmacros.h>
#endif

namespace morvane {

std::string FirstLine(const std::filesystem::path& file) {
  std::string line;
  std::ifstream in(file);
  std::getline(in, line);
  return line;
}

int PseudoTerminalNumber(unsigned major, unsigned minor) {
  // Unix98 pseudo-terminals' own numbers.
  if (major < 136 || major > 143) return -1;
  return static_cast<int>((major - 136) * 256 + minor);
}

std::string CharDeviceNumbers(const std::string& device) {
#if defined(__linux__)
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return {};
  return std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
#else
  (void)device;
  return {};
#endif
}

bool IsPseudoTerminalDevice(const std::string& device) {
#if defined(__linux__)
  struct stat st {};
  return ::stat(device.c_str(), &st) == 0 && S_ISCHR(st.st_mode) &&
         PseudoTerminalNumber(major(st.st_rdev), minor(st.st_rdev)) >= 0;
#else
  (void)device;
  return false;
#endif
}

}  // namespace morvane
