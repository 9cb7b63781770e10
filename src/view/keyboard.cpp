// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/keyboard.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QSet>
#include <QShortcut>
#include <QTimer>

namespace morvane {
namespace {

class HeldKeyFilter : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        pressedHere_.clear();
        break;
      case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
          pressedHere_.insert(key->key());
        } else if (!pressedHere_.contains(key->key())) {
          event->accept();
          return true;
        }
        break;
      }
      case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) pressedHere_.remove(key->key());
        break;
      }
      default:
        break;
    }
    return false;
  }

 private:
  QSet<int> pressedHere_;
};

// The nearest widget from w up to its window that has a menu of the program's own.
QWidget* MenuOwner(QWidget* w) {
  for (; w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget()) {
    const Qt::ContextMenuPolicy policy = w->contextMenuPolicy();
    if (policy == Qt::ActionsContextMenu || policy == Qt::CustomContextMenu) return w;
  }
  return nullptr;
}

class KeyboardMenus : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWidgetType()) return false;
    auto* target = static_cast<QWidget*>(watched);
    switch (event->type()) {
      case QEvent::KeyPress:
        return shiftF10(target, static_cast<QKeyEvent*>(event));
      case QEvent::ContextMenu:
        return dispatching_ ? false : contextMenu(target, static_cast<QContextMenuEvent*>(event));
      case QEvent::Show:
        if (keyboardMenu_ && qobject_cast<QMenu*>(target) != nullptr) chooseFirstEntry(target);
        return false;
      default:
        return false;
    }
  }

 private:
  // The press reaches the focused widget first (after its window, which is no widget):
  // taken there, it opens the menu once.
  static bool shiftF10(QWidget* target, const QKeyEvent* key) {
    if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier) return false;
    const QPoint at(target->width() / 2, target->height() / 2);
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &menu);
    return true;
  }

  bool contextMenu(QWidget* target, const QContextMenuEvent* asked) {
    const bool keyboard = asked->reason() == QContextMenuEvent::Keyboard;
    // A drop-down list takes every context menu and shows none; from the keyboard, a scroll
    // bar or a read-only text would show Qt's own: the panel's menu is meant.
    QWidget* to = target;
    if (target->contextMenuPolicy() == Qt::DefaultContextMenu &&
        (keyboard || qobject_cast<QComboBox*>(target) != nullptr)) {
      if (QWidget* owner = MenuOwner(target->parentWidget())) to = owner;
    }
    if (to == target && !keyboard) return false;
    QContextMenuEvent menu(asked->reason(), to->mapFromGlobal(asked->globalPos()),
                           asked->globalPos(), asked->modifiers());
    dispatching_ = true;
    keyboardMenu_ = keyboard;
    QApplication::sendEvent(to, &menu);
    dispatching_ = false;
    keyboardMenu_ = false;
    return true;
  }

  // Opened by mouse a menu has no entry chosen; by keyboard the first is, which a reader
  // speaks with the menu it is in. Chosen as Down chooses it: a submenu stays closed.
  static void chooseFirstEntry(QWidget* shown) {
    QPointer<QMenu> menu = static_cast<QMenu*>(shown);
    QTimer::singleShot(0, menu, [menu] {
      if (menu == nullptr || !menu->isVisible() || menu->activeAction() != nullptr) return;
      QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
      QApplication::sendEvent(menu, &down);
    });
  }

  bool dispatching_ = false;
  bool keyboardMenu_ = false;
};

}  // namespace

void InstallTabSwitchKeys(QWidget& window, std::function<void(int step)> step) {
  const struct {
    QKeyCombination keys;
    int step;
  } kKeys[] = {{Qt::CTRL | Qt::Key_Tab, 1},
               {Qt::CTRL | Qt::Key_PageDown, 1},
               {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
               {Qt::CTRL | Qt::Key_PageUp, -1}};
  for (const auto& k : kKeys) {
    auto* shortcut = new QShortcut(QKeySequence(k.keys), &window);
    QObject::connect(shortcut, &QShortcut::activated, &window, [step, s = k.step] { step(s); });
  }
}

void IgnoreKeysHeldBeforeFocus(QWidget& widget) {
  widget.installEventFilter(new HeldKeyFilter(&widget));
}

void InstallKeyboardContextMenus() {
  static KeyboardMenus* filter = [] {
    auto* f = new KeyboardMenus(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(f);
    return f;
  }();
  (void)filter;
}

}  // namespace morvane
