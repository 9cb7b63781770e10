// SPDX-License-Identifier: GPL-3.0-or-later
// Timer1 and Timer2 on a single-shot precise QTimer: each tick is one interval after the
// last start, and nothing ticks again until the logic starts it.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

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

 private:
  QTimer timer_;
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
