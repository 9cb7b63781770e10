// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_timer.h"

#include <QCoreApplication>

namespace morvane {

QtTimer::QtTimer(int intervalMs, QObject* parent) : QObject(parent), interval_(intervalMs) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { raiseTick(); });
}

void QtTimer::setEnabled(bool on) {
  if (on) {
    timer_.start(interval_);
  } else {
    timer_.stop();
  }
}

void QtEventPump::doEvents() {
  QCoreApplication::processEvents();
}

}  // namespace morvane
