// SPDX-License-Identifier: GPL-3.0-or-later
// How often a control's click handler runs (a pick, a tab click, a press), counted without
// changing what the handler does.
#pragma once

#include <memory>

namespace morvane::test {

template <class Control>
std::shared_ptr<int> CountClicks(Control& control) {
  auto count = std::make_shared<int>(0);
  control.onClick = [count, inner = control.onClick] {
    ++*count;
    inner();
  };
  return count;
}

}  // namespace morvane::test
