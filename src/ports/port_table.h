// SPDX-License-Identifier: GPL-3.0-or-later
// Which device each port number COM1..COM16 stands for. The list texts stay "COM" and the
// number; this table decides what opening that number opens.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/device_trouble.h"
#include "link/commands.h"

namespace morvane {

enum class Platform { Linux, MacOS, Windows, OtherUnix };

Platform CurrentPlatform();

// How a device path was described, kept so the window can say it again in its language.
struct DeviceWords {
  enum class What { Told, PseudoTerminal, SerialDevice, Missing, Trouble };
  What what = What::Told;
  std::string told;        // the system's own words for the adapter (What::Told)
  std::string device;      // the node the path leads to
  bool link = false;       // the path as listed is a symbolic link
  bool devicePath = true;  // the path as listed is the node itself
};

// "link to /dev/ttyUSB0, FT232R USB UART, permission denied": the description the table keeps,
// in English unless the window passes its language (context "PortTable").
std::string DescriptionText(const DeviceWords& words, const OpenFailure& trouble,
                            const TranslateText& translate = {});

struct SerialDevice {
  std::string path;         // as listed or reported, bytes: "/dev/ttyUSB0", "escA", "COM3"
  std::string description;  // the device and the adapter, for the user; may be empty
  OpenFailure trouble{};    // what was seen wrong with it when the table was made
  // Who the adapter is, wherever the system puts it next time: its USB serial number, or
  // vendor, product and USB location. Empty: the path says who it is.
  std::string key{};
  // How the description was made, where it was: for the window's language.
  std::optional<DeviceWords> words{};
};

// What the table is told about a device path: words for the user and any trouble seen.
struct DeviceDescription {
  std::string text;
  OpenFailure trouble;
  std::optional<DeviceWords> words{};
};

class PortTable {
 public:
  static constexpr int kMaxPorts = kPortCount;

  PortTable() = default;
  // Entry i is COM(i + 1); an entry with an empty path leaves that number without a device.
  explicit PortTable(std::vector<SerialDevice> byNumber);

  // nullptr when n has no device.
  const SerialDevice* device(int n) const;
  int deviceCount() const;
  const std::vector<SerialDevice>& entries() const { return entries_; }
  // A device that came while the program runs takes its number's place.
  void setDevice(int n, SerialDevice device);

 private:
  std::vector<SerialDevice> entries_;
};

// MORVANE_ESC_PORTS: colon-separated device paths for COM1, COM2, ...; an empty element
// skips a number. Elements past the sixteenth are left out with a warning.
struct ParsedPortList {
  std::vector<std::string> paths;
  std::string warning;  // empty when all is well
};
ParsedPortList ParsePortList(std::string_view value);

// "ttyUSB2" before "ttyUSB10": digit runs compare by value.
bool NaturalLess(std::string_view a, std::string_view b);

// The system's ports in table order: USB adapters first (ttyUSB*, then ttyACM*, then the
// rest, each in natural order); on macOS only the call-out devices /dev/cu.*, USB first.
std::vector<SerialDevice> OrderSystemPorts(std::vector<SerialDevice> ports, Platform platform);

// The table for this run. On Windows COMn is the system's COMn; elsewhere the environment's
// list, when given and not empty, replaces the system's ports. Elsewhere describe() tells
// about each device; a system port keeps the system's description when describe() has none.
PortTable BuildPortTable(const std::optional<std::string>& envList,
                         const std::vector<SerialDevice>& systemPorts, Platform platform,
                         const std::function<DeviceDescription(const std::string& path)>& describe);

// What each number's device is known by for the whole run: its key, else its path.
std::vector<std::string> DeviceKeys(const PortTable& table);

// The device of COM n and its adapter on one line, for the window's messages; "" for none.
std::string DeviceLine(const PortTable& table, int n, const TranslateText& translate = {});

// Tooltip of the list entry for COM n: the path as listed, then the device and the adapter.
std::string EntryTip(const PortTable& table, int n, const TranslateText& translate = {});
// Tooltip of the port list when it is empty after the scan: each device with what was seen
// wrong with it, and a remedy only for what could be the reason.
// In English unless the window passes its language (context "PortTable").
std::string EmptyListTip(const PortTable& table, Platform platform,
                         const TranslateText& translate = {});

}  // namespace morvane
