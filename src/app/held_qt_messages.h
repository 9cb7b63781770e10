// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's start-up without its chatter: while QApplication is being built its messages are
// held back. When Qt finds no usable display it gives up with a fatal message; that becomes
// one line of ours saying what to do, and status 1.
#pragma once

#include <QtGlobal>

namespace morvane {

class HeldQtMessages {
 public:
  HeldQtMessages();
  ~HeldQtMessages() { passOn(); }
  HeldQtMessages(const HeldQtMessages&) = delete;
  HeldQtMessages& operator=(const HeldQtMessages&) = delete;

  // Qt has started: the held messages go out as if they had never been held, and Qt's
  // messages flow again.
  void passOn();

 private:
  QtMessageHandler previous_;
  bool holding_ = true;
};

}  // namespace morvane
