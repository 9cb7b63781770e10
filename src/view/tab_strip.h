// SPDX-License-Identifier: GPL-3.0-or-later
// The window's tab strip: tabs that end above the panels laid over it, and a press on a tab
// told as a click, also on the tab already shown.
#pragma once

#include <functional>

class QTabBar;
class QTabWidget;
class QWidget;

namespace morvane {

QTabWidget* MakeTabStrip(QWidget* parent);

// Calls pressed(index) on every left press on one of the bar's tabs.
void OnTabPress(QTabBar& bar, std::function<void(int index)> pressed);

}  // namespace morvane
