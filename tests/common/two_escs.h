// SPDX-License-Identifier: GPL-3.0-or-later
// A bench with two simulated ESCs: its own on COM1 and another on COM2, the window started.
// For the tests that move from one ESC to the other.
#pragma once

#include "sim/esc_model.h"

namespace morvane::test {

template <class Bench>
struct TwoEscs : Bench {
  TwoEscs() {
    this->line.attachEsc(1, this->esc);
    this->line.attachEsc(2, other);
    this->form.Load();
  }

  sim::EscModel other;  // on COM2
};

}  // namespace morvane::test
