// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/tab_strip.h"

#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <utility>

namespace morvane {
namespace {

// The panels lie over the strip 24 pixels below its top: its tabs must end above them.
class CompactTabBar : public QTabBar {
 public:
  using QTabBar::QTabBar;
  static constexpr int kTabHeight = 22;

  QSize sizeHint() const override { return capped(QTabBar::sizeHint()); }
  QSize minimumSizeHint() const override { return capped(QTabBar::minimumSizeHint()); }

 protected:
  QSize tabSizeHint(int index) const override { return capped(QTabBar::tabSizeHint(index)); }

 private:
  static QSize capped(QSize size) { return {size.width(), qMin(size.height(), kTabHeight)}; }
};

class TabStripWidget : public QTabWidget {
 public:
  explicit TabStripWidget(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new CompactTabBar(this));
  }
};

// Raises on every left press on a tab, also on the tab already shown.
class TabPressFilter : public QObject {
 public:
  TabPressFilter(QTabBar* bar, std::function<void(int index)> pressed)
      : QObject(bar), bar_(bar), pressed_(std::move(pressed)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == bar_ && event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const int index = bar_->tabAt(mouse->position().toPoint());
      if (mouse->button() == Qt::LeftButton && index >= 0) pressed_(index);
    }
    return false;
  }

 private:
  QTabBar* bar_;
  std::function<void(int)> pressed_;
};

}  // namespace

QTabWidget* MakeTabStrip(QWidget* parent) {
  return new TabStripWidget(parent);
}

void OnTabPress(QTabBar& bar, std::function<void(int index)> pressed) {
  bar.installEventFilter(new TabPressFilter(&bar, std::move(pressed)));
}

}  // namespace morvane
