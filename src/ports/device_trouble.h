// SPDX-License-Identifier: GPL-3.0-or-later
// What stands between a device path and an open serial line, told from what the system says
// about it: the kinds the window explains a failed open by. One classification for the port
// list's tooltips and for a refused open; whoever shows it adds the remedy.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "link/seams.h"
#include "link/translatable.h"

namespace morvane {

enum class FileType { CharDevice, Regular, Directory, Fifo, Socket, BlockDevice };

// What the system said, step by step; the first step that failed decides.
struct DeviceFacts {
  int resolveError = 0;  // errno of realpath() on the path as listed; 0: it names a file
  FileType type = FileType::CharDevice;
  int openError = 0;           // errno of open(), or of access() when the device is only looked at
  bool terminal = true;        // isatty() once opened, or the device's class when looked at
  bool heldElsewhere = false;  // flock() found another holder
  std::string group{};         // the group allowed to read and write the device; "" when none is
};

// The detail is the group that may open the device (PermissionDenied, when one may), what
// the file is instead (NotSerial: "a regular file") or the system's message (Gone, Other).
OpenFailure ClassifyDevice(const DeviceFacts& facts);

// The detail of a Gone or Other failure: the system's words, in the window's language where it
// passes one; the detail as it is for any other failure.
std::string SystemDetail(const OpenFailure& failure, const TranslateText& translate = {});

// Plain words, the window's: "permission denied", "in use by another program (minicom,
// process 412)", "a regular file, not a serial port", "gone (No such file or directory)",
// "could not be opened: " and the system's message. In English unless the window passes its
// language (context "DeviceTrouble").
std::string TroubleText(const OpenFailure& trouble, const TranslateText& translate = {});

// A port that comes and goes within a second, of a chip brltty is known to claim, while brltty
// runs: brltty took the adapter for a braille display, and its serial port went with it.
// Told of ports as they come and go, with the window's clock.
class QuickVanish {
 public:
  static constexpr std::int64_t kWithinMs = 1000;
  // brltty's process number, 0 while it does not run; asked only for a port gone at once.
  using BrlttyPid = std::function<int()>;
  explicit QuickVanish(BrlttyPid brltty) : brltty_(std::move(brltty)) {}

  // vendorProduct: "1a86:7523", "" when the port is on no USB.
  void appeared(int n, const std::string& vendorProduct, std::int64_t ms);
  struct Taken {
    int brlttyPid = 0;
    std::string vendorProduct;
  };
  // Port n went at ms: what brltty took, when it was brltty.
  std::optional<Taken> vanished(int n, std::int64_t ms);

 private:
  struct Came {
    std::string vendorProduct;
    std::int64_t ms = 0;
  };
  BrlttyPid brltty_;
  std::map<int, Came> came_;
};

}  // namespace morvane
