// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard's ways through the windows that Qt does not give by itself: the stop key from
// anywhere, tab switching from any control, no throttle from a key held down before the
// slider had the focus, and the program's own context menus from Shift+F10 and the Menu key.
#pragma once

#include <functional>

class QObject;
class QWidget;

namespace morvane {

// Escape calls stop from any window of the program, once a press, for as long as owner
// lives; the key still does what it does where it was pressed.
void InstallStopKey(QObject& owner, std::function<void()> stop);

// Ctrl+Tab and Ctrl+Page Down show the next tab, Ctrl+Shift+Tab and Ctrl+Page Up the one
// before, from any control of the window, as Qt's own tab widgets do from within their pages.
// step is +1 or -1.
void InstallTabSwitchKeys(QWidget& window, std::function<void(int step)> step);

// Only a key pressed anew moves the widget's value: an arrow, Page or Home/End key that was
// already down when the focus came (the Right that switched to the Run tab) is swallowed,
// auto-repeat and all, until let go.
void IgnoreKeysHeldBeforeFocus(QWidget& widget);

// Shift+F10 opens the focused control's context menu, as the Menu key does; a control with
// no menu of the program's own (a list, a scroll bar, a read-only text) opens its panel's,
// and the menu opens with its first entry chosen, so that a reader says where it is. Once
// per program.
void InstallKeyboardContextMenus();

}  // namespace morvane
