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
  int top;
  int step;
};

// A round step of 1, 2 or 5 times a power of ten, giving at most six intervals.
RpmAxis ScaleFor(double highest) {
  highest = std::max(highest * 1.05, 1000.0);
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

void MotorTestPlot::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  p.fillRect(rect(), pal.color(QPalette::Base));
  const QFontMetrics fm(font());
  const int line = fm.height();

  // Legend, axis titles, then the plotting area between the tick labels.
  const int left = fm.horizontalAdvance(QStringLiteral("000000")) + 10;
  const int right = fm.horizontalAdvance(QStringLiteral("000")) + 14;
  const QRect area = rect().adjusted(left, 2 * line + 12, -right, -(2 * line + 10));
  if (area.width() < 20 || area.height() < 20) return;

  const QColor text = pal.color(QPalette::Text);
  const DrawnColors series = DrawnColorsFor(pal);
  int x = left;
  DrawLegendEntry(p, x, 4, series.average, 2, tr("r/min, average (as the Run panel)"), text);
  DrawLegendEntry(p, x, 4, series.raw, 1, tr("r/min, each reply"), text);
  DrawLegendEntry(p, x, 4, series.throttle, 2, tr("throttle (right axis, 0 to 200)"), text);

  const std::int64_t end = samples_.empty() ? kSpanMs : samples_.back().tMs;
  const std::int64_t start = end - kSpanMs;
  double highest = 0;
  for (const MotorSample& s : samples_) {
    highest = std::max(
        {highest, static_cast<double>(s.rpmAvg), static_cast<double>(s.rpmRaw.value_or(0))});
  }
  const RpmAxis rpm = ScaleFor(highest);
  rpmTop_ = rpm.top;

  const auto xAt = [&](std::int64_t t) {
    return area.left() + static_cast<double>(t - start) * area.width() / kSpanMs;
  };
  const auto yRpm = [&](double r) { return area.bottom() - r * area.height() / rpm.top; };
  const auto yThrottle = [&](double t) { return area.bottom() - t * area.height() / kThrottleTop; };

  const QPen grid(pal.color(QPalette::Mid), 0, Qt::DotLine);
  p.setPen(text);
  p.drawText(QRect(0, line + 8, left + 20, line), Qt::AlignLeft, tr("r/min"));
  p.drawText(QRect(area.right() - 60, line + 8, right + 60, line), Qt::AlignRight, tr("throttle"));
  p.drawText(QRect(area.left(), height() - line - 4, area.width(), line), Qt::AlignHCenter,
             tr("time (s)"));

  for (int s = 0; s <= kSpanMs / 1000; s += kSecondsTick) {
    const int gx = static_cast<int>(std::lround(xAt(end - s * 1000)));
    p.setPen(grid);
    p.drawLine(gx, area.top(), gx, area.bottom());
    p.setPen(text);
    const QString label = s == 0 ? QStringLiteral("0") : QStringLiteral("-%1").arg(s);
    p.drawText(QRect(gx - 30, area.bottom() + 4, 60, line), Qt::AlignHCenter, label);
  }
  for (int r = 0; r <= rpm.top; r += rpm.step) {
    const int gy = static_cast<int>(std::lround(yRpm(r)));
    p.setPen(grid);
    p.drawLine(area.left(), gy, area.right(), gy);
    p.setPen(text);
    p.drawText(QRect(0, gy - line / 2, left - 6, line), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(r));
  }
  p.setPen(series.throttle);  // text: the themes keep it readable on the page
  for (int t = 0; t <= kThrottleTop; t += kThrottleTick) {
    const int gy = static_cast<int>(std::lround(yThrottle(t)));
    p.drawText(QRect(area.right() + 6, gy - line / 2, right - 6, line),
               Qt::AlignLeft | Qt::AlignVCenter, QString::number(t));
  }
  p.setPen(text);
  p.drawRect(area);

  p.setClipRect(area.adjusted(1, 1, 0, 0));
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath throttle;
  QPainterPath raw;
  QPainterPath average;
  bool rawOpen = false;
  int points = 0;
  for (const MotorSample& s : samples_) {
    if (s.tMs < start) continue;
    const double sx = xAt(s.tMs);
    const bool first = points++ == 0;
    if (first) {
      throttle.moveTo(sx, yThrottle(s.throttle));
      average.moveTo(sx, yRpm(s.rpmAvg));
    } else {
      throttle.lineTo(sx, yThrottle(s.throttle));
      average.lineTo(sx, yRpm(s.rpmAvg));
    }
    // The raw line breaks at replies without a sample (the pings below 26).
    if (!s.rpmRaw) {
      rawOpen = false;
    } else if (rawOpen) {
      raw.lineTo(sx, yRpm(*s.rpmRaw));
    } else {
      raw.moveTo(sx, yRpm(*s.rpmRaw));
      rawOpen = true;
    }
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(series.throttle, 2));
  p.drawPath(throttle);
  p.setPen(QPen(series.raw, 1));
  p.drawPath(raw);
  p.setPen(QPen(series.average, 2));
  p.drawPath(average);
  paintedPoints_ = points;
}

}  // namespace morvane
