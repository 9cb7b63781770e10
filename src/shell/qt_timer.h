// SPDX-License-Identifier: GPL-3.0-or-later
// Timer1 and Timer2 on a precise Qt timer that ticks once: each tick is one interval after the
// last start, and nothing ticks again until the logic starts it.
#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>

#include "link/seams.h"

namespace morvane {

class QtTimer : public QObject, public Timer {
  Q_OBJECT

 public:
  explicit QtTimer(int intervalMs, QObject* parent = nullptr);

  void setEnabled(bool on) override;
  bool enabled() const override { return timer_.isActive(); }
  void setInterval(int ms) override { interval_ = ms; }
  int interval() const override { return interval_; }

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  // A basic timer rather than a QTimer: the link starts and stops its timers on every poll
  // cycle, and a QTimer adds a signal and its own bookkeeping to each.
  QBasicTimer timer_;
  int interval_;
};

class QtClock : public Clock {
 public:
  QtClock() { timer_.start(); }
  std::int64_t elapsedMs() const override { return timer_.elapsed(); }

 private:
  QElapsedTimer timer_;
};

// "Let pending events run" on the Qt event loop.
class QtEventPump : public EventPump {
 public:
  void doEvents() override;
};

}  // namespace morvane
