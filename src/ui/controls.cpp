// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls.h"

#include <initializer_list>

namespace morvane {
namespace {

void Fill(ComboBox& box, std::initializer_list<const char*> texts) {
  std::int32_t data = 1;
  for (const char* t : texts) {
    box.addItem(t);
    box.setItemData(box.listCount() - 1, data++);
  }
}

}  // namespace

Controls::Controls() {
  Fill(CombCutOffV, {"4.8V", "5.6V *", "6.0V", "7.2V", "8.4V", "9.0V", "11.0V", "12.0V"});
  Fill(CombBrake, {"Disable *", "Enable"});
  Fill(CombTiming, {"4-10\u00b0", "10-20\u00b0 *", "20-30\u00b0"});
  Fill(CombCutOffT, {"Hard Cutoff", "Soft Cutoff *"});
  Fill(CombDir, {"Forward *", "Reverse"});
}

ComboBox& Controls::setting(int index) {
  switch (index) {
    case 0: return CombCutOffV;
    case 1: return CombCutOffT;
    case 2: return CombBrake;
    case 3: return CombTiming;
    default: return CombDir;
  }
}

}  // namespace morvane
