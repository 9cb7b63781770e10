// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/motor_test_report.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "motortest/csv_lines.h"
#include "shell/safe_file.h"
#include "shell/window_language.h"

namespace morvane {
namespace {

// The page is drawn in these units whatever it is drawn on.
constexpr double kPageWidth = 1000;
constexpr double kPageHeight = kPageWidth * 297 / 210;
constexpr double kMargin = 60;

QFont Font(double pixels, bool bold = false) {
  QFont font;
  font.setPixelSize(static_cast<int>(std::lround(pixels)));
  font.setBold(bold);
  return font;
}

bool HasStand(const MotorReport& r) {
  return std::any_of(r.rows.begin(), r.rows.end(),
                     [](const SweepRow& row) { return row.stand.has_value(); });
}

struct Series {
  QString name;
  QColor color;
  std::function<std::optional<double>(const SweepRow&)> value;
};

// Largest of a series rounded up to 1, 2 or 5 times a power of ten, for the axis.
double AxisTop(const std::vector<SweepRow>& rows, const Series& s) {
  double top = 0;
  for (const SweepRow& row : rows) top = std::max(top, s.value(row).value_or(0));
  if (top <= 0) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(top)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (top <= m * power) return m * power;
  }
  return 10 * power;
}

// Left series on the left axis, right on the right; throttle along the bottom.
void PaintChart(QPainter& p, const QRectF& box, const std::vector<SweepRow>& rows,
                const Series& left, const Series& right) {
  const QRectF area = box.adjusted(70, 30, -70, -40);
  p.setPen(QPen(Qt::black, 1.5));
  p.drawRect(area);
  if (rows.empty()) return;
  int low = rows.front().throttle;
  int high = rows.front().throttle;
  for (const SweepRow& row : rows) {
    low = std::min(low, row.throttle);
    high = std::max(high, row.throttle);
  }
  if (high == low) high = low + 1;
  const auto x = [&](int throttle) {
    return area.left() + area.width() * (throttle - low) / (high - low);
  };
  p.setFont(Font(16));
  for (const SweepRow& row : rows) {
    p.drawText(QRectF(x(row.throttle) - 30, area.bottom() + 4, 60, 20), Qt::AlignCenter,
               QString::number(row.throttle));
  }
  p.drawText(QRectF(area.left(), area.bottom() + 20, area.width(), 20), Qt::AlignCenter,
             QCoreApplication::translate("morvane::MotorReport", "Throttle"));
  const auto draw = [&](const Series& s, bool onLeft) {
    const double top = AxisTop(rows, s);
    const auto y = [&](double v) { return area.bottom() - area.height() * v / top; };
    p.setPen(QPen(s.color, 1.5));
    for (int i = 0; i <= 4; ++i) {
      const double v = top * i / 4;
      const QRectF label = onLeft ? QRectF(area.left() - 66, y(v) - 10, 60, 20)
                                  : QRectF(area.right() + 6, y(v) - 10, 60, 20);
      p.drawText(label, (onLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                 QString::fromStdString(FixedPoint(v, v == std::round(v) ? 0 : 1)));
    }
    p.drawText(QRectF(onLeft ? area.left() : area.right() - 300, box.top(), 300, 24),
               (onLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, s.name);
    QPainterPath path;
    bool started = false;
    p.setPen(QPen(s.color, 3));
    for (const SweepRow& row : rows) {
      const std::optional<double> v = s.value(row);
      if (!v) continue;
      const QPointF point(x(row.throttle), y(*v));
      p.drawEllipse(point, 4, 4);
      if (started) {
        path.lineTo(point);
      } else {
        path.moveTo(point);
        started = true;
      }
    }
    p.drawPath(path);
  };
  draw(left, true);
  draw(right, false);
}

void PaintTable(QPainter& p, QRectF box, const MotorReport& r) {
  const qsizetype columns = std::max<qsizetype>(1, r.heads.size());
  const double column = box.width() / static_cast<double>(columns);
  const double line = 24;
  p.setPen(Qt::black);
  p.setFont(Font(columns > 4 ? 13 : 15, true));
  for (int i = 0; i < r.heads.size(); ++i) {
    p.drawText(QRectF(box.left() + i * column, box.top(), column - 6, line),
               Qt::AlignRight | Qt::AlignVCenter, r.heads[i]);
  }
  p.drawLine(QPointF(box.left(), box.top() + line), QPointF(box.right(), box.top() + line));
  p.setFont(Font(15));
  double top = box.top() + line + 4;
  for (const QStringList& cells : r.cells) {
    if (top + line > box.bottom()) break;  // a page holds what fits; the CSV holds all
    for (int i = 0; i < cells.size(); ++i) {
      p.drawText(QRectF(box.left() + i * column, top, column - 6, line),
                 Qt::AlignRight | Qt::AlignVCenter, cells[i]);
    }
    top += line;
  }
}

void PaintReport(QPainter& p, const MotorReport& r) {
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRectF(0, 0, kPageWidth, kPageHeight), Qt::white);
  const double width = kPageWidth - 2 * kMargin;
  double y = kMargin;
  p.setPen(Qt::black);
  p.setFont(Font(30, true));
  p.drawText(QRectF(kMargin, y, width, 40), Qt::AlignLeft | Qt::AlignVCenter,
             QCoreApplication::translate("morvane::MotorReport", "Motor test report"));
  y += 50;
  p.setFont(Font(17));
  QStringList facts;
  facts << QCoreApplication::translate("morvane::MotorReport", "Time: %1")
               .arg(r.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss t")));
  facts << QCoreApplication::translate("morvane::MotorReport", "ESC: %1, firmware %2")
               .arg(r.model, r.firmware);
  QStringList settings;
  for (const auto& [name, value] : r.settings) settings << name + QStringLiteral(": ") + value;
  facts << QCoreApplication::translate("morvane::MotorReport", "Settings: %1")
               .arg(settings.join(QStringLiteral("; ")));
  facts << (r.stand.isEmpty()
                ? QCoreApplication::translate("morvane::MotorReport", "Thrust stand: none")
                : QCoreApplication::translate("morvane::MotorReport", "Thrust stand: %1")
                      .arg(r.stand));
  if (!r.status.isEmpty())
    facts << QCoreApplication::translate("morvane::MotorReport", "Sweep: %1").arg(r.status);
  for (const QString& fact : facts) {
    const QRectF bounds =
        p.boundingRect(QRectF(kMargin, y, width, 400), Qt::AlignLeft | Qt::TextWordWrap, fact);
    p.drawText(bounds, Qt::AlignLeft | Qt::TextWordWrap, fact);
    y += bounds.height() + 6;
  }
  y += 20;
  const bool stand = HasStand(r);
  const Series thrust{
      QCoreApplication::translate("morvane::MotorReport", "Thrust (g)"), QColor(0, 90, 181),
      [](const SweepRow& row) { return row.stand ? row.stand->thrustMean : std::nullopt; }};
  const Series efficiency{
      QCoreApplication::translate("morvane::MotorReport", "Efficiency (g/W)"), QColor(200, 80, 0),
      [](const SweepRow& row) { return row.stand ? row.stand->gramsPerWatt : std::nullopt; }};
  const Series rpm{QCoreApplication::translate("morvane::MotorReport", "Mean r/min"),
                   QColor(0, 90, 181),
                   [](const SweepRow& row) { return std::optional<double>(row.rpmMean); }};
  const Series spread{QCoreApplication::translate("morvane::MotorReport", "SD r/min"),
                      QColor(200, 80, 0), [](const SweepRow& row) { return row.rpmSd; }};
  const double chartHeight = 520;
  PaintChart(p, QRectF(kMargin, y, width, chartHeight), r.rows, stand ? thrust : rpm,
             stand ? efficiency : spread);
  y += chartHeight + 30;
  PaintTable(p, QRectF(kMargin, y, width, kPageHeight - kMargin - y), r);
}

}  // namespace

QImage RenderReport(const MotorReport& report, int width) {
  const double scale = width / kPageWidth;
  QImage image(width, static_cast<int>(std::lround(kPageHeight * scale)), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.scale(scale, scale);
  PaintReport(p, report);
  return image;
}

bool SaveReport(const QString& path, const MotorReport& report, QString* error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(300);
    pdf.setTitle(QCoreApplication::translate("morvane::MotorReport", "Motor test report"));
    pdf.setCreator(QStringLiteral("Morvane ESC Config"));
    QPainter p(&pdf);
    const double scale = pdf.width() / kPageWidth;
    p.scale(scale, scale);
    PaintReport(p, report);
  } else {
    RenderReport(report, 1240).save(&buffer, "PNG");
  }
  buffer.close();
  const std::string why =
      WriteWholeFile(QFile::encodeName(path).toStdString(),
                     std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                     InWindowLanguage);
  if (!why.empty() && error != nullptr) *error = QString::fromStdString(why);
  return why.empty();
}

}  // namespace morvane
