// SPDX-License-Identifier: GPL-3.0-or-later
// The motor test's plot, drawn with QPainter: r/min (the shown average and the raw sample
// of each reply) on the left axis and the throttle on the right, over the last minute.
// A widget of our own: a chart library would be loaded at every start of the program.
#pragma once

#include <QColor>
#include <QPainter>
#include <QWidget>
#include <deque>

#include "motortest/motor_sample.h"
#include "view/themes.h"

namespace morvane {

class MotorTestPlot : public QWidget {
  Q_OBJECT

 public:
  // samples: oldest first, owned by the motor test, which outlives the plot.
  explicit MotorTestPlot(const std::deque<MotorSample>& samples, QWidget* parent = nullptr);

  QSize sizeHint() const override { return {640, 300}; }
  QSize minimumSizeHint() const override { return {360, 180}; }

  // Samples the last paint drew.
  int paintedPoints() const { return paintedPoints_; }
  // The largest r/min of the left axis at the last paint.
  int rpmAxisTop() const { return rpmTop_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Frame;
  void paintAxes(QPainter& p, const Frame& f, const QColor& text, const QColor& throttleText);
  // Draws the lines of the samples in the frame; returns how many samples it drew.
  int paintSeries(QPainter& p, const Frame& f, const DrawnColors& series) const;

  const std::deque<MotorSample>& samples_;
  int paintedPoints_ = 0;
  int rpmTop_ = 0;
};

}  // namespace morvane
