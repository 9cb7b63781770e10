// SPDX-License-Identifier: GPL-3.0-or-later
// Colour themes: the palettes, the choice remembered between runs, the menu that picks one,
// and the colours the program draws itself (logo, plot), all taken from the palette.
// Themes change colours only: never a size, a place or a text.
#pragma once

#include <QColor>
#include <QPalette>
#include <optional>

#include "form/theme_names.h"

class QAction;
class QLabel;
class QWidget;

namespace morvane {

// The palette of a theme. System: the platform's own, or the dark one where the desktop
// asks for dark and the platform's palette is light (Qt 6.5 and later can tell).
QPalette ThemePalette(Theme theme, const QPalette& platform);

// Sets the theme for every window and balloon of the program from now on.
void ApplyTheme(Theme theme);
Theme AppliedTheme();

// The choice kept for the next start; none when the user never picked one.
std::optional<Theme> RememberedTheme();
// False when the settings file could not be written: the theme holds for this run only.
bool RememberTheme(Theme theme);

// The colours the program draws with, for a palette.
struct DrawnColors {
  QColor logo;      // the logo's lettering
  QColor average;   // the plot's shown r/min
  QColor raw;       // the plot's r/min of each reply
  QColor throttle;  // the plot's throttle, also its right axis' numbers
};
DrawnColors DrawnColorsFor(const QPalette& palette);

// The logo in the palette's colour, again whenever the palette changes.
void TintLogoWithPalette(QLabel* image);

// A "Theme" submenu in every context menu of the window (and in its own right-click menu
// elsewhere); a pick applies and is remembered. Where it cannot be remembered, a balloon over
// the window says so, once in a run.
QAction* InstallThemeMenu(QWidget& window);

}  // namespace morvane
