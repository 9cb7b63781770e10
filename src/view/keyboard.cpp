// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/keyboard.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QSet>
#include <QShortcut>
#include <QTimer>
#include <utility>

namespace morvane {
namespace {

// The keys a slider moves by; Tab and the rest go on as ever.
bool MovesAValue(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

// Sees every key of the program, to know which keys are down when the widget takes the focus.
// Auto-repeat comes as a release and a press at once; Qt does not always mark the pair as
// repeated (a screen reader's bridge passes keys on late), so a key counts as let go only when
// no press of it followed its release within kRepeatGapMs: faster than any hand.
class HeldKeyFilter : public QObject {
 public:
  HeldKeyFilter(QObject* parent, QWidget* widget) : QObject(parent), widget_(widget) {
    clock_.start();
  }

  static constexpr qint64 kRepeatGapMs = 100;

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::FocusIn:
        if (watched == widget_) heldAtFocus_ = stillDown();
        break;
      case QEvent::FocusOut:
        if (watched == widget_) heldAtFocus_.clear();
        break;
      case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool swallow = watched == widget_ && heldAtFocus_.contains(key) && !letGo(key) &&
                             MovesAValue(key);
        if (watched == widget_ && !swallow) heldAtFocus_.remove(key);
        down_.insert(key);
        releasedAt_.remove(key);
        if (swallow) {
          event->accept();
          return true;
        }
        break;
      }
      case QEvent::KeyRelease:
        releasedAt_.insert(static_cast<QKeyEvent*>(event)->key(), clock_.elapsed());
        break;
      default:
        break;
    }
    return false;
  }

 private:
  bool letGo(int key) const {
    return releasedAt_.contains(key) && clock_.elapsed() - releasedAt_.value(key) >= kRepeatGapMs;
  }
  QSet<int> stillDown() const {
    QSet<int> down;
    for (int key : down_) {
      if (!letGo(key)) down.insert(key);
    }
    return down;
  }

  QWidget* widget_;
  QElapsedTimer clock_;
  QSet<int> down_;
  QHash<int, qint64> releasedAt_;
  QSet<int> heldAtFocus_;
};

// Escape reaches the stop from any window of the program, also from an open drop-down
// list; the key goes on to its target, so the list still closes.
class StopKeyFilter : public QObject {
 public:
  StopKeyFilter(QObject* parent, std::function<void()> stop)
      : QObject(parent), stop_(std::move(stop)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    // One press passes here once for each object it travels through (its window, the
    // focus widget, each parent that sees it ignored): it stops once.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      if (event != handled_) stop_();
      handled_ = event;
    } else if (event->type() == QEvent::KeyRelease || event->type() == QEvent::ShortcutOverride) {
      handled_ = nullptr;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> stop_;
  const QEvent* handled_ = nullptr;
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

void InstallStopKey(QObject& owner, std::function<void()> stop) {
  QCoreApplication::instance()->installEventFilter(new StopKeyFilter(&owner, std::move(stop)));
}

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
  QCoreApplication::instance()->installEventFilter(new HeldKeyFilter(&widget, &widget));
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
