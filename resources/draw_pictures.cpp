// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's own pictures: the 32 x 32 window icon (two small computer screens
// joined by a cable, 16 colours), the same drawing at the other sizes desktops ask for
// (16 to 256), and the 300 x 22 logo banner (blue lettering on a transparent background,
// two colours).
// Usage: morvane_draw_pictures <output folder>
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {

// The classic 16-colour palette; the icon uses only these, plus transparency.
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kNavy = qRgb(0, 0, 128);
const QRgb kTeal = qRgb(0, 128, 128);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kCyan = qRgb(0, 255, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kLogoBlue = qRgb(0, 128, 192);

// The icon is laid out on a grid: 32 x 32 for 32 pixels and more, a plainer 16 x 16 one
// below, where the large layout's one-pixel frames would merge. At another size each
// rectangle's edges are rounded to whole pixels and none shrinks below one pixel; multiples
// of the grid stay exact enlargements.
class Grid {
 public:
  Grid(QPainter& p, int size, int cells) : p_(p), scale_(static_cast<double>(size) / cells) {}
  void fill(int x, int y, int w, int h, QRgb colour) {
    const auto edges = [this](int from, int length) {
      const int a = static_cast<int>(std::lround(from * scale_));
      return std::pair(a, std::max(a + 1, static_cast<int>(std::lround((from + length) * scale_))));
    };
    const auto [left, right] = edges(x, w);
    const auto [top, bottom] = edges(y, h);
    p_.fillRect(left, top, right - left, bottom - top, QColor(colour));
  }

 private:
  QPainter& p_;
  double scale_;
};

// One monitor whose bezel's top-left corner is at (x, y): 14 x 11 bezel, stand below.
void Monitor(Grid& g, int x, int y) {
  g.fill(x, y, 14, 11, kBlack);
  g.fill(x + 1, y + 1, 12, 9, kSilver);
  g.fill(x + 1, y + 1, 12, 1, kWhite);
  g.fill(x + 2, y + 2, 10, 7, kNavy);
  g.fill(x + 3, y + 3, 8, 5, kBlue);
  g.fill(x + 3, y + 3, 3, 1, kCyan);
  g.fill(x + 3, y + 4, 1, 2, kCyan);
  g.fill(x + 6, y + 11, 2, 2, kGrey);
  g.fill(x + 3, y + 13, 8, 2, kBlack);
  g.fill(x + 4, y + 13, 6, 1, kGrey);
}

// The same monitor on the 16 grid: 8 x 6 bezel, stand below.
void SmallMonitor(Grid& g, int x, int y) {
  g.fill(x, y, 8, 6, kBlack);
  g.fill(x + 1, y + 1, 6, 4, kSilver);
  g.fill(x + 2, y + 2, 4, 2, kBlue);
  g.fill(x + 2, y + 2, 1, 1, kCyan);
  g.fill(x + 3, y + 6, 2, 1, kGrey);
  g.fill(x + 2, y + 7, 4, 1, kBlack);
}

QImage Icon(int size) {
  QImage art(size, size, QImage::Format_ARGB32);
  art.fill(Qt::transparent);
  QPainter p(&art);
  // The cable leaves the left machine's stand and plugs into the right one's side.
  if (size >= 32) {
    Grid g(p, size, 32);
    Monitor(g, 1, 2);
    Monitor(g, 17, 12);
    g.fill(7, 17, 2, 5, kBlack);
    g.fill(7, 20, 8, 2, kBlack);
    g.fill(14, 19, 3, 4, kTeal);
  } else {
    Grid g(p, size, 16);
    SmallMonitor(g, 0, 1);
    SmallMonitor(g, 8, 7);
    g.fill(3, 9, 1, 3, kBlack);
    g.fill(3, 11, 4, 1, kBlack);
    g.fill(7, 10, 1, 2, kTeal);
  }
  p.end();

  const QVector<QRgb> table = {qRgba(0, 0, 0, 0), kBlack, kNavy, kTeal, kGrey,
                               kSilver,           kBlue,  kCyan, kWhite};
  QImage icon(size, size, QImage::Format_Indexed8);
  icon.setColorTable(table);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const QRgb c = art.pixel(x, y);
      icon.setPixel(x, y, qAlpha(c) == 0 ? 0 : static_cast<uint>(table.indexOf(c | 0xff000000u)));
    }
  }
  return icon;
}

QImage Logo() {
  QImage art(300, 22, QImage::Format_ARGB32);
  art.fill(Qt::transparent);
  QPainter p(&art);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(19);
  font.setBold(true);
  font.setItalic(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  font.setStyleStrategy(QFont::NoAntialias);
  p.setFont(font);
  p.setPen(QColor(kLogoBlue));
  const QString word = QStringLiteral("MORVANE");
  p.drawText(4, 18, word);
  // Speed stripes trailing the lettering, shorter towards the top.
  const int start = 4 + QFontMetrics(font).horizontalAdvance(word) + 8;
  p.fillRect(start + 24, 5, 296 - start - 24, 2, QColor(kLogoBlue));
  p.fillRect(start + 12, 10, 296 - start - 12, 2, QColor(kLogoBlue));
  p.fillRect(start, 15, 296 - start, 3, QColor(kLogoBlue));
  p.end();

  QImage logo(300, 22, QImage::Format_Indexed8);
  logo.setColorTable({qRgba(0, 0, 0, 0), kLogoBlue});
  for (int y = 0; y < 22; ++y) {
    for (int x = 0; x < 300; ++x) logo.setPixel(x, y, qAlpha(art.pixel(x, y)) >= 128 ? 1 : 0);
  }
  return logo;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  // The window's own icon is the 32 one; the hicolor sizes desktops look for carry theirs.
  bool ok = Logo().save(out.filePath(QStringLiteral("logo.png")));
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString name = size == 32 ? QStringLiteral("morvane-esc-config.png")
                                    : QStringLiteral("morvane-esc-config-%1.png").arg(size);
    ok = Icon(size).save(out.filePath(name)) && ok;
  }
  if (!ok) std::fprintf(stderr, "could not write the pictures to %s\n", argv[1]);
  return ok ? 0 : 1;
}
