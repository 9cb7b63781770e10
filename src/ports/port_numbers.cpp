// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/port_numbers.h"

#include <algorithm>

namespace morvane {

PortNumbers::PortNumbers(std::vector<std::string> keys, bool listed)
    : keys_(std::move(keys)), listed_(listed) {
  keys_.resize(kMaxPorts);
}

int PortNumbers::numberOf(const std::string& key) const {
  if (key.empty()) return 0;
  const auto it = std::find(keys_.begin(), keys_.end(), key);
  return it == keys_.end() ? 0 : static_cast<int>(it - keys_.begin()) + 1;
}

int PortNumbers::numberFor(const std::string& key) {
  if (const int n = numberOf(key); n != 0 || listed_ || key.empty()) return n;
  const auto free = std::find(keys_.begin(), keys_.end(), std::string());
  if (free == keys_.end()) return 0;
  *free = key;
  return static_cast<int>(free - keys_.begin()) + 1;
}

const std::string& PortNumbers::keyOf(int n) const {
  static const std::string kNone;
  return n >= 1 && n <= kMaxPorts ? keys_[static_cast<std::size_t>(n - 1)] : kNone;
}

}  // namespace morvane
