// SPDX-License-Identifier: GPL-3.0-or-later
// The throttle raised as a user holding Page Up raises it: from the first step up to `top`,
// one step (the slider's LargeChange) a move, none cut by the window's step limit.
#pragma once

#include "controls/controls.h"
#include "form/form_mvconfig.h"

namespace morvane::test {

inline void RaiseThrottle(RangeControl& slider, int top) {
  const int step = slider.largeChange();
  for (int v = step; v <= top; v += step) slider.setValue(v);
}

// Through the form's own operation, as a feature moves it.
inline void RaiseThrottle(FormMVconfig& form, int top) {
  const int step = form.controls().SldPower.largeChange();
  for (int v = step; v <= top; v += step) form.moveThrottle(v);
}

}  // namespace morvane::test
