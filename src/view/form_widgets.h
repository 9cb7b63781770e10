// SPDX-License-Identifier: GPL-3.0-or-later
// The window's widgets made from its layout: the kind of widget for each control, its
// place, face and caption, the frames and the tab strip stacked as laid out, and the
// keyboard's path. The widgets show nothing of the controls yet: the view binds them.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace morvane {

// Makes every widget of the window under `window`, fixes its size and sets its font.
// The tab strip gets one tab for each caption (English, shown translated).
void BuildFormWidgets(QWidget& window, const std::vector<std::string>& tabCaptions);

}  // namespace morvane
