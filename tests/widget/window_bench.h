// SPDX-License-Identifier: GPL-3.0-or-later
// The window's view over a bench: the real window logic on the simulator's virtual clock,
// line and ESC, drawn by FormView.
#pragma once

#include <QFont>
#include <QLatin1String>
#include <QRect>
#include <QString>
#include <QWidget>
#include <ostream>

#include "bench.h"
#include "view/form_view.h"

namespace morvane::test {

struct WindowBench : Bench {
  FormView view{form};

  template <class T = QWidget>
  T* find(const char* name) {
    return view.findChild<T*>(QLatin1String(name));
  }
};

// Every text of the window whole inside its control and clear of the controls beside it,
// measured with each control's font.
void ExpectAllTextsFit(WindowBench& b);
// One text whole: every glyph's ink inside `room`, placed as `align` puts it, a line high.
void ExpectFits(const QFont& font, const QString& text, const QRect& room, Qt::Alignment align,
                const QString& where);

// The control's name that owns a widget: a tab strip's inner tab bar counts as the strip.
inline QString ControlName(const QWidget* w) {
  while (w != nullptr &&
         (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))))
    w = w->parentWidget();
  return w == nullptr ? QString() : w->objectName();
}

}  // namespace morvane::test

QT_BEGIN_NAMESPACE
// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE
