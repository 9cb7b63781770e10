// SPDX-License-Identifier: GPL-3.0-or-later
// The adapter behind a device: its USB ids, maker and driver, and its stable name.
#include "ports/device_check.h"

#include <cctype>
#include <filesystem>
#include <string>

#include "ports/device_files.h"

namespace morvane {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::optional<UsbFacts> UsbAdapterOf(const std::string& device, const SystemRoots& roots) {
#if defined(__linux__)
  namespace fs = std::filesystem;
  const std::string numbers = CharDeviceNumbers(device);
  if (numbers.empty()) return std::nullopt;
  std::error_code error;
  const fs::path sys = fs::canonical(roots.sys, error);
  if (error) return std::nullopt;
  const fs::path tty = fs::canonical(sys / "dev/char" / numbers, error);
  if (error) return std::nullopt;
  // Up from the terminal to the USB device, which has the ids; never above sysfs.
  for (fs::path at = tty.parent_path(); at != sys && at.has_relative_path();
       at = at.parent_path()) {
    const std::string vendor = FirstLine(at / "idVendor");
    const std::string product = FirstLine(at / "idProduct");
    if (vendor.empty() || product.empty()) continue;
    UsbFacts usb;
    usb.vendorProduct = Lower(vendor) + ":" + Lower(product);
    usb.maker = FirstLine(at / "manufacturer");
    usb.product = FirstLine(at / "product");
    const fs::path driver = fs::canonical(tty / "device/driver", error);
    if (!error) usb.driver = driver.filename().string();
    return usb;
  }
#else
  (void)device;
  (void)roots;
#endif
  return std::nullopt;
}

std::string ById(const std::string& device, const SystemRoots& roots) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path wanted = fs::canonical(device, error);
  if (error) return {};
  for (const fs::directory_entry& link :
       fs::directory_iterator(roots.dev + "/serial/by-id", error)) {
    std::error_code broken;
    if (fs::canonical(link.path(), broken) == wanted && !broken) return link.path().string();
  }
  return {};
}

}  // namespace morvane
