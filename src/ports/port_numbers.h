// SPDX-License-Identifier: GPL-3.0-or-later
// COM numbers for the devices that come and go while the program runs. A device keeps its
// number for the whole run, also while it is unplugged; a new one takes the lowest number
// this run has never used. With a listed table the numbers are the list's, and nothing else
// gets one.
#pragma once

#include <string>
#include <vector>

#include "link/commands.h"

namespace morvane {

class PortNumbers {
 public:
  static constexpr int kMaxPorts = kPortCount;

  // keys[i] is the device that start-up numbered i + 1 (an empty key: no device). A device's
  // key says which device it is: its listed path, or what identifies the adapter.
  PortNumbers(std::vector<std::string> keys, bool listed);

  // The device's number, given one now if it never had one; 0 when it gets none (not listed,
  // or all sixteen are taken).
  int numberFor(const std::string& key);
  // 0 when the device never had a number.
  int numberOf(const std::string& key) const;
  // The device that holds n; empty when none does.
  const std::string& keyOf(int n) const;

 private:
  std::vector<std::string> keys_;  // by number - 1; a taken number stays taken
  bool listed_;
};

}  // namespace morvane
