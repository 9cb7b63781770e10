// Draws the program's own pictures: the 32 x 32 window icon (two small computer screens
// joined by a cable, 16 colours), its 256 x 256 enlargement for the desktop entry, and
// the 300 x 22 logo banner (blue lettering on a transparent background, two colours).
// Usage: morvane_draw_pictures <output folder>
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QVector>
#include <cstdio>

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

// One monitor whose bezel's top-left corner is at (x, y): 14 x 11 bezel, stand below.
void Monitor(QPainter& p, int x, int y) {
  p.fillRect(x, y, 14, 11, QColor(kBlack));
  p.fillRect(x + 1, y + 1, 12, 9, QColor(kSilver));
  p.fillRect(x + 1, y + 1, 12, 1, QColor(kWhite));
  p.fillRect(x + 2, y + 2, 10, 7, QColor(kNavy));
  p.fillRect(x + 3, y + 3, 8, 5, QColor(kBlue));
  p.fillRect(x + 3, y + 3, 3, 1, QColor(kCyan));
  p.fillRect(x + 3, y + 4, 1, 2, QColor(kCyan));
  p.fillRect(x + 6, y + 11, 2, 2, QColor(kGrey));
  p.fillRect(x + 3, y + 13, 8, 2, QColor(kBlack));
  p.fillRect(x + 4, y + 13, 6, 1, QColor(kGrey));
}

QImage Icon() {
  QImage art(32, 32, QImage::Format_ARGB32);
  art.fill(Qt::transparent);
  QPainter p(&art);
  Monitor(p, 1, 2);
  Monitor(p, 17, 12);
  // The cable leaves the left machine's stand and plugs into the right one's side.
  p.fillRect(7, 17, 2, 5, QColor(kBlack));
  p.fillRect(7, 20, 8, 2, QColor(kBlack));
  p.fillRect(14, 19, 3, 4, QColor(kTeal));
  p.end();

  const QVector<QRgb> table = {qRgba(0, 0, 0, 0), kBlack, kNavy, kTeal, kGrey,
                               kSilver,           kBlue,  kCyan, kWhite};
  QImage icon(32, 32, QImage::Format_Indexed8);
  icon.setColorTable(table);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
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
  const QImage icon = Icon();
  const bool ok = icon.save(out.filePath(QStringLiteral("morvane-esc-config.png"))) &&
                  icon.scaled(256, 256, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                      .save(out.filePath(QStringLiteral("morvane-esc-config-256.png"))) &&
                  Logo().save(out.filePath(QStringLiteral("logo.png")));
  if (!ok) std::fprintf(stderr, "could not write the pictures to %s\n", argv[1]);
  return ok ? 0 : 1;
}
