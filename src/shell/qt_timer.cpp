// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_timer.h"

#include <QCoreApplication>
#include <QTimerEvent>

namespace morvane {

QtTimer::QtTimer(int intervalMs, QObject* parent) : QObject(parent), interval_(intervalMs) {}

void QtTimer::setEnabled(bool on) {
  if (on) {
    timer_.start(interval_, Qt::PreciseTimer, this);
  } else {
    timer_.stop();
  }
}

void QtTimer::timerEvent(QTimerEvent* event) {
  if (event->timerId() != timer_.timerId()) {
    QObject::timerEvent(event);
    return;
  }
  // Once: stopped before the logic hears of it, which may start it again.
  timer_.stop();
  raiseTick();
}

void QtEventPump::doEvents() {
  QCoreApplication::processEvents();
}

}  // namespace morvane
