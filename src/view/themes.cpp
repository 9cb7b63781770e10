// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/themes.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QSettings>
#include <QStyle>
#include <QStyleHints>
#include <QToolTip>
#include <memory>
#include <utility>

#include "view/form_view.h"

namespace morvane {
namespace {

Theme applied = Theme::System;

// Everything a palette of our own needs; the roles the style derives the rest from.
struct Colours {
  QColor window, text, base, alternateBase, button, light, mid, dark;
  QColor highlight, highlightedText, disabledText, link, linkVisited, tipBase, tipText;
};

QPalette Build(const Colours& c) {
  QPalette p(c.text, c.button, c.light, c.dark, c.mid, c.text, QColor(255, 64, 64), c.base,
             c.window);
  p.setColor(QPalette::ButtonText, c.text);
  p.setColor(QPalette::AlternateBase, c.alternateBase);
  p.setColor(QPalette::Midlight, c.light);
  p.setColor(QPalette::Shadow, c.dark);
  p.setColor(QPalette::Highlight, c.highlight);
  p.setColor(QPalette::HighlightedText, c.highlightedText);
  p.setColor(QPalette::PlaceholderText, c.disabledText);
  p.setColor(QPalette::Link, c.link);
  p.setColor(QPalette::LinkVisited, c.linkVisited);
  p.setColor(QPalette::ToolTipBase, c.tipBase);
  p.setColor(QPalette::ToolTipText, c.tipText);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, c.disabledText);
  }
  return p;
}

// Accents on the platform's palette: the logo's blue of the layout and an orange that
// still reads as text on a light page; lighter ones on a dark page.
void SetAccents(QPalette& p, bool dark) {
  p.setColor(QPalette::Link, dark ? QColor(100, 180, 250) : QColor(0, 128, 192));
  p.setColor(QPalette::LinkVisited, dark ? QColor(255, 165, 80) : QColor(180, 80, 0));
}

bool IsDark(const QPalette& p) {
  return p.color(QPalette::Window).lightness() < 128;
}

const Colours kDark = {
    {45, 45, 48},    {235, 235, 235}, {30, 30, 32},    {53, 53, 57},  {58, 58, 62},
    {80, 80, 85},    {90, 90, 95},    {25, 25, 25},    {60, 130, 210}, {255, 255, 255},
    {150, 150, 150}, {100, 180, 250}, {255, 165, 80},  {60, 60, 64},  {240, 240, 240},
};

// White on black, yellow for the selection and focus; controls a shade off black so that
// their faces stand apart from the window.
const Colours kHighContrast = {
    {0, 0, 0},       {255, 255, 255}, {0, 0, 0},     {30, 30, 30},  {25, 25, 25},
    {255, 255, 255}, {200, 200, 200}, {160, 160, 160}, {255, 255, 0}, {0, 0, 0},
    {175, 175, 175}, {0, 230, 255},   {255, 200, 0}, {0, 0, 0},     {255, 255, 255},
};

// Sunlight washes out greys: white page, black text, dark borders.
const Colours kBright = {
    {255, 255, 255}, {0, 0, 0},       {255, 255, 255}, {242, 242, 242}, {238, 238, 238},
    {255, 255, 255}, {110, 110, 110}, {80, 80, 80},    {0, 60, 150},    {255, 255, 255},
    {95, 95, 95},    {0, 90, 170},    {170, 70, 0},    {255, 255, 255}, {0, 0, 0},
};

bool DesktopAsksForDark() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  return QGuiApplication::styleHints()->colorScheme() == Qt::ColorScheme::Dark;
#else
  return false;  // Qt 6.4 cannot tell: the platform's palette says it all
#endif
}

QSettings Store() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("morvane"),
                   QStringLiteral("morvane-esc-config"));
}

const char* const kThemeKey = "window/theme";

class LogoTint : public QObject {
 public:
  explicit LogoTint(QLabel* image)
      : QObject(image),
        image_(image),
        shape_(image->pixmap().toImage().convertToFormat(QImage::Format_ARGB32)) {
    // The lettering's colour as drawn: its first opaque pixel.
    for (int y = 0; y < shape_.height() && !shown_.isValid(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(shape_.constScanLine(y));
      for (int x = 0; x < shape_.width(); ++x) {
        if (qAlpha(line[x]) == 255) {
          shown_ = QColor::fromRgb(line[x]);
          break;
        }
      }
    }
    image->installEventFilter(this);
    tint();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == image_ && event->type() == QEvent::PaletteChange) tint();
    return false;
  }

 private:
  void tint() {
    const QColor colour = DrawnColorsFor(image_->palette()).logo;
    if (colour == shown_) return;  // the light themes keep the picture as drawn
    QImage picture = shape_;
    for (int y = 0; y < picture.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
      for (int x = 0; x < picture.width(); ++x) {
        if (qAlpha(line[x]) != 0) {
          line[x] = qRgba(colour.red(), colour.green(), colour.blue(), qAlpha(line[x]));
        }
      }
    }
    picture.setDevicePixelRatio(shape_.devicePixelRatio());
    image_->setPixmap(QPixmap::fromImage(picture));
    shown_ = colour;
  }

  QLabel* image_;
  QImage shape_;
  // The lettering's colour in the picture, then the last one tinted.
  QColor shown_;
};

}  // namespace

QPalette ThemePalette(Theme theme, const QPalette& platform) {
  switch (theme) {
    case Theme::Light: {
      QPalette p = QApplication::style()->standardPalette();
      SetAccents(p, false);
      return p;
    }
    case Theme::Dark:
      return Build(kDark);
    case Theme::HighContrast:
      return Build(kHighContrast);
    case Theme::Bright:
      return Build(kBright);
    case Theme::System:
      break;
  }
  if (DesktopAsksForDark() && !IsDark(platform)) return Build(kDark);
  QPalette p = platform;
  SetAccents(p, IsDark(p));
  return p;
}

void ApplyTheme(Theme theme) {
  applied = theme;
  // Back to the platform's palette first: System keeps following it, the others replace it.
  QApplication::setPalette(QPalette());
  const QPalette platform = QApplication::palette();
  QPalette p = ThemePalette(theme, platform);
  if (theme == Theme::System && !(DesktopAsksForDark() && !IsDark(platform))) {
    // Only the accents set: every other role stays the platform's as it changes.
    p = QPalette();
    SetAccents(p, IsDark(platform));
  }
  QApplication::setPalette(p);
  QToolTip::setPalette(QApplication::palette());
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  static const bool following = [] {
    QObject::connect(QGuiApplication::styleHints(), &QStyleHints::colorSchemeChanged, qApp,
                     [] {
                       if (applied == Theme::System) ApplyTheme(Theme::System);
                     });
    return true;
  }();
  (void)following;
#endif
}

Theme AppliedTheme() {
  return applied;
}

std::optional<Theme> RememberedTheme() {
  const QString name = Store().value(QLatin1String(kThemeKey)).toString();
  return ThemeNamed(name.toStdString());
}

bool RememberTheme(Theme theme) {
  QSettings store = Store();
  store.setValue(QLatin1String(kThemeKey), QString::fromLatin1(ThemeName(theme)));
  store.sync();
  return store.status() == QSettings::NoError;
}

DrawnColors DrawnColorsFor(const QPalette& palette) {
  const QColor accent = palette.color(QPalette::Link);
  const QColor base = palette.color(QPalette::Base);
  // The raw series half way to the page: it is noisier and must not hide the average.
  const QColor raw((accent.red() + base.red()) / 2, (accent.green() + base.green()) / 2,
                   (accent.blue() + base.blue()) / 2);
  return {accent, accent, raw, palette.color(QPalette::LinkVisited)};
}

void TintLogoWithPalette(QLabel* image) {
  new LogoTint(image);
}

QAction* InstallThemeMenu(QWidget& window) {
  auto* menu = new QMenu(QObject::tr("T&heme"), &window);
  menu->setObjectName(QStringLiteral("themeMenu"));
  auto* group = new QActionGroup(menu);
  const struct {
    Theme theme;
    const char* text;
  } kChoices[] = {
      {Theme::System, QT_TRANSLATE_NOOP("morvane::Themes", "&System")},
      {Theme::Light, QT_TRANSLATE_NOOP("morvane::Themes", "&Light")},
      {Theme::Dark, QT_TRANSLATE_NOOP("morvane::Themes", "&Dark")},
      {Theme::HighContrast, QT_TRANSLATE_NOOP("morvane::Themes", "&High contrast")},
      {Theme::Bright, QT_TRANSLATE_NOOP("morvane::Themes", "&Bright (sunlight)")},
  };
  // Whether this window has told that a pick could not be remembered: once is enough.
  const auto told = std::make_shared<bool>(false);
  for (const auto& choice : kChoices) {
    QAction* pick = menu->addAction(QCoreApplication::translate("morvane::Themes", choice.text));
    pick->setObjectName(QStringLiteral("theme-") + QLatin1String(ThemeName(choice.theme)));
    pick->setCheckable(true);
    group->addAction(pick);
    QObject::connect(pick, &QAction::triggered, menu, [theme = choice.theme, &window, told] {
      ApplyTheme(theme);
      if (RememberTheme(theme) || std::exchange(*told, true)) return;
      QToolTip::showText(window.mapToGlobal(QPoint(window.width() / 4, window.height() / 3)),
                         QObject::tr("The theme could not be remembered for the next start: "
                                     "%1 cannot be written. It holds until the window closes.")
                             .arg(QDir::toNativeSeparators(Store().fileName())),
                         &window, {}, FormView::kBalloonMs);
    });
  }
  // The mark follows the theme however it was set (--theme, the remembered choice).
  QObject::connect(menu, &QMenu::aboutToShow, menu, [group] {
    for (QAction* pick : group->actions()) {
      pick->setChecked(pick->objectName() ==
                       QStringLiteral("theme-") + QLatin1String(ThemeName(applied)));
    }
  });

  QAction* entry = menu->menuAction();
  // Where the window has context menus of actions, the themes join them; a right-click
  // anywhere else in the window offers them too.
  window.setContextMenuPolicy(Qt::ActionsContextMenu);
  window.addAction(entry);
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (w->contextMenuPolicy() == Qt::ActionsContextMenu && w != menu) w->addAction(entry);
  }
  for (QMenu* other : window.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
    if (other == menu) continue;
    other->addSeparator();
    other->addAction(entry);
  }
  return entry;
}

}  // namespace morvane
