// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/motor_test_plot.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "view/themes.h"

namespace morvane {
namespace {

constexpr std::int64_t kSpanMs = 60000;
constexpr int kThrottleTop = 200;
constexpr int kSecondsTick = 10;
constexpr int kThrottleTick = 50;

struct RpmAxis {
  int top = 1;
  int step = 1;
};

// A round step of 1, 2 or 5 times a power of ten, giving at most six intervals.
RpmAxis ScaleFor(double highest, double least = 1000.0) {
  highest = std::max(highest * 1.05, least);
  double step = std::pow(10.0, std::floor(std::log10(highest / 6)));
  for (double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (highest / (step * factor) <= 6) {
      step *= factor;
      break;
    }
  }
  const int s = static_cast<int>(step);
  return {static_cast<int>(std::ceil(highest / step)) * s, s};
}

void DrawLegendEntry(QPainter& p, int& x, int y, const QColor& color, qreal width,
                     const QString& text, const QColor& textColor) {
  const QFontMetrics fm(p.font());
  p.setPen(QPen(color, width));
  const int mid = y + fm.height() / 2;
  p.drawLine(x, mid, x + 22, mid);
  x += 28;
  p.setPen(textColor);
  p.drawText(x, y + fm.ascent(), text);
  x += fm.horizontalAdvance(text) + 18;
}

}  // namespace

MotorTestPlot::MotorTestPlot(const std::deque<MotorSample>& samples, QWidget* parent)
    : QWidget(parent), samples_(samples) {
  setObjectName(QStringLiteral("motorTestPlot"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

// Where the plot's scales put a sample: the area between the tick labels, the last minute of
// samples across it, r/min and throttle each on its own axis.
struct MotorTestPlot::Frame {
  QRect area;
  int left = 0;   // width of the r/min labels
  int right = 0;  // width of the throttle labels
  int outer = 0;  // width of the thrust labels beyond them; 0 without a stand
  int line = 0;
  std::int64_t start = 0;
  std::int64_t end = 0;
  RpmAxis rpm;
  RpmAxis thrust;

  double xAt(std::int64_t t) const {
    return area.left() + static_cast<double>(t - start) * area.width() / kSpanMs;
  }
  double yRpm(double r) const { return area.bottom() - r * area.height() / rpm.top; }
  double yThrottle(double t) const { return area.bottom() - t * area.height() / kThrottleTop; }
  double yThrust(double g) const { return area.bottom() - g * area.height() / thrust.top; }
};

void MotorTestPlot::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  p.fillRect(rect(), pal.color(QPalette::Base));
  const QFontMetrics fm(font());

  // Legend, axis titles, then the plotting area between the tick labels.
  Frame f;
  f.line = fm.height();
  f.left = fm.horizontalAdvance(QStringLiteral("000000")) + 10;
  f.right = fm.horizontalAdvance(QStringLiteral("000")) + 14;
  // Thrust gets an axis of its own while a stand's readings are in the plot.
  double heaviest = 0;
  bool thrust = false;
  for (const MotorSample& s : samples_) {
    if (!s.thrustG) continue;
    thrust = true;
    heaviest = std::max(heaviest, *s.thrustG);
  }
  if (thrust) {
    f.thrust = ScaleFor(heaviest, 100.0);
    f.outer = fm.horizontalAdvance(QStringLiteral("000000")) + 8;
  }
  f.area = rect().adjusted(f.left, 2 * f.line + 12, -(f.right + f.outer), -(2 * f.line + 10));
  if (f.area.width() < 20 || f.area.height() < 20) return;

  const QColor text = pal.color(QPalette::Text);
  const DrawnColors series = DrawnColorsFor(pal);
  int x = f.left;
  DrawLegendEntry(p, x, 4, series.average, 2, tr("r/min, average (as the Run panel)"), text);
  DrawLegendEntry(p, x, 4, series.raw, 1, tr("r/min, each reply"), text);
  DrawLegendEntry(p, x, 4, series.throttle, 2, tr("throttle (right axis, 0 to 200)"), text);
  if (f.outer > 0) DrawLegendEntry(p, x, 4, text, 2, tr("thrust (g, outer axis)"), text);

  f.end = samples_.empty() ? kSpanMs : samples_.back().tMs;
  f.start = f.end - kSpanMs;
  double highest = 0;
  for (const MotorSample& s : samples_) {
    highest = std::max(
        {highest, static_cast<double>(s.rpmAvg), static_cast<double>(s.rpmRaw.value_or(0))});
  }
  f.rpm = ScaleFor(highest);
  rpmTop_ = f.rpm.top;

  paintAxes(p, f, text, series.throttle);
  p.setClipRect(f.area.adjusted(1, 1, 0, 0));
  p.setRenderHint(QPainter::Antialiasing);
  paintedPoints_ = paintSeries(p, f, series);
}

void MotorTestPlot::paintAxes(QPainter& p, const Frame& f, const QColor& text,
                              const QColor& throttleText) {
  const QPen grid(palette().color(QPalette::Mid), 0, Qt::DotLine);
  const QRect& area = f.area;
  const int line = f.line;
  p.setPen(text);
  p.drawText(QRect(0, line + 8, f.left + 20, line), Qt::AlignLeft, tr("r/min"));
  p.drawText(QRect(area.right() - 60, line + 8, f.right + 60, line), Qt::AlignRight,
             tr("throttle"));
  p.drawText(QRect(area.left(), height() - line - 4, area.width(), line), Qt::AlignHCenter,
             tr("time (s)"));

  for (int s = 0; s <= kSpanMs / 1000; s += kSecondsTick) {
    const int gx = static_cast<int>(std::lround(f.xAt(f.end - s * 1000)));
    p.setPen(grid);
    p.drawLine(gx, area.top(), gx, area.bottom());
    p.setPen(text);
    const QString label = s == 0 ? QStringLiteral("0") : QStringLiteral("-%1").arg(s);
    p.drawText(QRect(gx - 30, area.bottom() + 4, 60, line), Qt::AlignHCenter, label);
  }
  for (int r = 0; r <= f.rpm.top; r += f.rpm.step) {
    const int gy = static_cast<int>(std::lround(f.yRpm(r)));
    p.setPen(grid);
    p.drawLine(area.left(), gy, area.right(), gy);
    p.setPen(text);
    p.drawText(QRect(0, gy - line / 2, f.left - 6, line), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(r));
  }
  p.setPen(throttleText);  // text: the themes keep it readable on the page
  for (int t = 0; t <= kThrottleTop; t += kThrottleTick) {
    const int gy = static_cast<int>(std::lround(f.yThrottle(t)));
    p.drawText(QRect(area.right() + 6, gy - line / 2, f.right - 6, line),
               Qt::AlignLeft | Qt::AlignVCenter, QString::number(t));
  }
  if (f.outer > 0) {
    p.setPen(text);
    const int at = area.right() + f.right;
    p.drawText(QRect(at - 40, line + 8, f.outer + 40, line), Qt::AlignRight, tr("g"));
    for (int g = 0; g <= f.thrust.top; g += f.thrust.step) {
      const int gy = static_cast<int>(std::lround(f.yThrust(g)));
      p.drawText(QRect(at + 4, gy - line / 2, f.outer - 4, line), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::number(g));
    }
  }
  p.setPen(text);
  p.drawRect(area);
}

int MotorTestPlot::paintSeries(QPainter& p, const Frame& f, const DrawnColors& series) const {
  QPainterPath throttle;
  QPainterPath raw;
  QPainterPath average;
  QPainterPath thrust;
  bool rawOpen = false;
  bool thrustOpen = false;
  int points = 0;
  for (const MotorSample& s : samples_) {
    if (s.tMs < f.start) continue;
    const double sx = f.xAt(s.tMs);
    const bool first = points++ == 0;
    if (first) {
      throttle.moveTo(sx, f.yThrottle(s.throttle));
      average.moveTo(sx, f.yRpm(s.rpmAvg));
    } else {
      throttle.lineTo(sx, f.yThrottle(s.throttle));
      average.lineTo(sx, f.yRpm(s.rpmAvg));
    }
    // The raw line breaks at replies without a sample (the pings below 26).
    if (!s.rpmRaw) {
      rawOpen = false;
    } else if (rawOpen) {
      raw.lineTo(sx, f.yRpm(*s.rpmRaw));
    } else {
      raw.moveTo(sx, f.yRpm(*s.rpmRaw));
      rawOpen = true;
    }
    // So does the thrust where the stand was closed or silent.
    if (!s.thrustG || f.outer == 0) {
      thrustOpen = false;
    } else if (thrustOpen) {
      thrust.lineTo(sx, f.yThrust(*s.thrustG));
    } else {
      thrust.moveTo(sx, f.yThrust(*s.thrustG));
      thrustOpen = true;
    }
  }
  p.setPen(QPen(palette().color(QPalette::Text), 2, Qt::DashLine));
  p.drawPath(thrust);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(series.throttle, 2));
  p.drawPath(throttle);
  p.setPen(QPen(series.raw, 1));
  p.drawPath(raw);
  p.setPen(QPen(series.average, 2));
  p.drawPath(average);
  return points;
}

}  // namespace morvane
