// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/accessibility.h"

#include <QAbstractSlider>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtGlobal>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

#include "form/form_mvconfig.h"
#include "link/settings_table.h"
#include "view/form_layout.h"

namespace morvane {
namespace {

AnnouncementSink sink = &QAccessible::updateAccessibility;

// Set on the controls whose accessible interface is ours.
const char* const kTextBox = "morvaneAccessible";

// A text a reader may read but not change: over the accessibility bus a reader takes a
// control's value from its text.
class ShownText : public QAccessibleTextInterface {
 public:
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override { return shown().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(shown().size()); }
  // Each character gets an even share of the box: enough for a reader's flat review to find
  // the text on screen and read it in place of the name.
  QRect characterRect(int offset) const override {
    const QWidget* w = shownWidget();
    const QRect area = w->contentsRect();
    const int count = qMax(1, characterCount());
    const QRect share(area.left() + offset * area.width() / count, area.top(),
                      qMax(1, area.width() / count), area.height());
    return {w->mapToGlobal(share.topLeft()), share.size()};
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QWidget* w = shownWidget();
    const QPoint at = w->mapFromGlobal(point);
    const QRect area = w->contentsRect();
    if (!area.contains(at) || characterCount() == 0) return -1;
    return (at.x() - area.left()) * characterCount() / qMax(1, area.width());
  }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 protected:
  virtual QString shown() const = 0;
  virtual const QWidget* shownWidget() const = 0;
};

// The window's read-only text boxes are labels; told as a label, a box named "Status" would
// hide "Connected". Told as read-only text, its name is its label and its text its value.
class ReadOnlyBoxAccessible : public QAccessibleWidget {
 public:
  explicit ReadOnlyBoxAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::EditableText) {}

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? label()->text() : QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
  }

 protected:
  const QLabel* label() const { return static_cast<const QLabel*>(object()); }
};

class TextBoxAccessible : public ReadOnlyBoxAccessible, public ShownText {
 public:
  using ReadOnlyBoxAccessible::ReadOnlyBoxAccessible;

  using ReadOnlyBoxAccessible::text;
  using ShownText::text;
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

 private:
  QString shown() const override { return label()->text(); }
  const QWidget* shownWidget() const override { return widget(); }
};

// On Linux Qt names a drop-down list by its present entry ("Forward *"): a reader heard
// the value and nothing of what the list sets. Named by its label, its entry is its value.
class ListAccessible : public QAccessibleWidget, public ShownText {
 public:
  explicit ListAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {
    addControllingSignal(QStringLiteral("activated(int)"));
  }

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? shown() : QAccessibleWidget::text(t);
  }
  using ShownText::text;
  // The entry shown is read as the list's text, which is how the bus carries its value.
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = box()->view()->isVisible();
    return s;
  }
  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child->object() == box()->view() ? 0 : -1;
  }
  QStringList actionNames() const override {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction()) {
      box()->showPopup();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

 private:
  QComboBox* box() const { return static_cast<QComboBox*>(object()); }
  QString shown() const override { return box()->currentText(); }
  const QWidget* shownWidget() const override { return widget(); }
};

// The pole count's scroll bar counts steps downwards (so that its upper arrow raises the
// count); a reader is told the count the window shows beside it, as a spin box.
class PolesAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit PolesAccessible(QScrollBar* bar) : QAccessibleWidget(bar, QAccessible::SpinBox) {}

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? shown()->text() : QAccessibleWidget::text(t);
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QVariant currentValue() const override { return shown()->text().toInt(); }
  // Step by step as the arrows go, so that the window's rules decide each count.
  void setCurrentValue(const QVariant& value) override {
    const int wanted = value.toInt();
    for (int guard = bar()->maximum() - bar()->minimum(); guard >= 0; --guard) {
      const int now = currentValue().toInt();
      if (now == wanted) break;
      bar()->triggerAction(now < wanted ? QAbstractSlider::SliderSingleStepSub
                                        : QAbstractSlider::SliderSingleStepAdd);
      if (currentValue().toInt() == now) break;  // at an end
    }
  }
  QVariant maximumValue() const override { return bar()->property(kPolesMax); }
  QVariant minimumValue() const override { return bar()->property(kPolesMin); }
  QVariant minimumStepSize() const override { return bar()->property(kPolesStep); }

  static constexpr const char* kPolesMin = "morvanePolesMin";
  static constexpr const char* kPolesMax = "morvanePolesMax";
  static constexpr const char* kPolesStep = "morvanePolesStep";

 private:
  QScrollBar* bar() const { return static_cast<QScrollBar*>(object()); }
  const QLabel* shown() const {
    return bar()->parentWidget()->findChild<QLabel*>(QStringLiteral("TxtPole"));
  }
};

// The speed, told as a number. A focusable label re-sends its whole text on every change,
// twenty times a second for the speed; without a text interface Qt's bridge drops those, and
// the box tells its value once a second instead.
class SpeedAccessible : public ReadOnlyBoxAccessible, public QAccessibleValueInterface {
 public:
  using ReadOnlyBoxAccessible::ReadOnlyBoxAccessible;

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QVariant currentValue() const override { return label()->text().toInt(); }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return std::numeric_limits<int>::max(); }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 1; }
};

// The tab strip as a reader should count it: its tabs and nothing else. Qt's own counts the
// strip's two scroll buttons among its tabs, and Orca said the first of two as "1 of 4".
class TabStripAccessible : public QAccessibleWidget {
 public:
  explicit TabStripAccessible(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
  ~TabStripAccessible() override {
    for (QAccessible::Id id : tabs_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return bar()->count(); }
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
      if (QAccessible::accessibleInterface(tabs_[i]) == child) return static_cast<int>(i);
    }
    return -1;
  }
  QAccessibleInterface* focusChild() const override {
    return bar()->hasFocus() ? child(bar()->currentIndex()) : nullptr;
  }
  QTabBar* bar() const { return static_cast<QTabBar*>(object()); }

 private:
  mutable std::vector<QAccessible::Id> tabs_;
};

class TabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  TabAccessible(TabStripAccessible* strip, int index) : strip_(strip), index_(index) {}

  bool isValid() const override { return strip_->isValid() && index_ < strip_->bar()->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return strip_->window(); }
  QAccessibleInterface* parent() const override { return strip_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    const QTabBar* bar = strip_->bar();
    if (t == QAccessible::Name) {
      const QString name = bar->accessibleTabName(index_);
      return name.isEmpty() ? NameFromCaption(bar->tabText(index_)) : name;
    }
    return t == QAccessible::Description ? bar->tabToolTip(index_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::PageTab; }
  QAccessible::State state() const override {
    const QTabBar* bar = strip_->bar();
    QAccessible::State s;
    s.focusable = true;
    s.selectable = true;
    s.selected = bar->currentIndex() == index_;
    s.focused = s.selected && bar->hasFocus();
    s.invisible = !bar->isVisible();
    s.disabled = !bar->isTabEnabled(index_);
    return s;
  }
  QRect rect() const override {
    const QTabBar* bar = strip_->bar();
    const QRect r = bar->tabRect(index_);
    return {bar->mapToGlobal(r.topLeft()), r.size()};
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                             : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction()) strip_->bar()->setCurrentIndex(index_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  TabStripAccessible* strip_;
  int index_;
};

QAccessibleInterface* TabStripAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  while (static_cast<int>(tabs_.size()) <= index) {
    auto* tab = new TabAccessible(const_cast<TabStripAccessible*>(this), static_cast<int>(tabs_.size()));
    tabs_.push_back(QAccessible::registerAccessibleInterface(tab));
  }
  return QAccessible::accessibleInterface(tabs_[static_cast<std::size_t>(index)]);
}

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (object == nullptr || !object->property(kTextBox).isValid()) return nullptr;
  if (className == QLatin1String("QLabel") && object->objectName() == QLatin1String("TxtRev")) {
    return new SpeedAccessible(static_cast<QLabel*>(object));
  }
  if (className == QLatin1String("QLabel")) return new TextBoxAccessible(static_cast<QLabel*>(object));
  if (className == QLatin1String("QComboBox")) return new ListAccessible(static_cast<QComboBox*>(object));
  if (className == QLatin1String("QScrollBar")) return new PolesAccessible(static_cast<QScrollBar*>(object));
  if (className == QLatin1String("QTabBar")) return new TabStripAccessible(static_cast<QTabBar*>(object));
  return nullptr;
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// A notification of the window that shows with each announcement: Qt before 6.8 has no
// announcement of its own, and a notification that shows is what Orca speaks unasked.
class NotificationAccessible : public QAccessibleObject {
 public:
  explicit NotificationAccessible(QObject* holder) : QAccessibleObject(holder) {}

  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(object()->parent());
  }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? said : QString();
  }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    return s;
  }

  QString said;
};

const char* const kAnnouncer = "morvaneAnnouncer";

NotificationAccessible* NotificationOf(QWidget& window) {
  auto* holder = window.findChild<QObject*>(QLatin1String(kAnnouncer), Qt::FindDirectChildrenOnly);
  if (holder == nullptr) {
    holder = new QObject(&window);
    holder->setObjectName(QLatin1String(kAnnouncer));
    // Qt's cache owns it from here and deletes it with its holder.
    QAccessible::registerAccessibleInterface(new NotificationAccessible(holder));
  }
  return static_cast<NotificationAccessible*>(QAccessible::queryAccessibleInterface(holder));
}
#endif

// Tells a text box's changes: at once, or at most once per interval with the latest text
// when changes come faster (the speed, ten replies a second). Waits on a single-shot timer
// only while a change is held back.
class TextAnnouncer : public QObject {
 public:
  TextAnnouncer(QLabel* box, TextControl& control, const FormMVconfig& form, int everyMs)
      : QObject(box), box_(box), form_(form), everyMs_(everyMs), told_(box->text()) {
    held_.setSingleShot(true);
    connect(&held_, &QTimer::timeout, this, [this] { tell(); });
    // After the view's own observer, which has set the box's text.
    subscription_ = control.changed.subscribe([this] { changed(); });
  }

 private:
  void changed() {
    const std::int64_t now = form_.clock().elapsedMs();
    if (everyMs_ == 0 || !toldAt_ || now - *toldAt_ >= everyMs_) {
      tell();
    } else if (!held_.isActive()) {
      held_.start(static_cast<int>(everyMs_ - (now - *toldAt_)));
    }
  }

  void tell() {
    held_.stop();
    const QString text = box_->text();
    if (text == told_) return;
    if (box_->hasFocus() && !text.isEmpty()) {
      // A reader speaks no text change of its own accord, and of a value change of the
      // focused box only its name.
      Announce(*box_, text);
    } else if (QAccessible::queryAccessibleInterface(box_)->valueInterface() != nullptr) {
      QAccessibleValueChangeEvent event(box_, text.toInt());
      sink(&event);
    } else {
      QAccessibleTextUpdateEvent event(box_, 0, told_, text);
      sink(&event);
    }
    told_ = text;
    toldAt_ = form_.clock().elapsedMs();
  }

  QLabel* box_;
  const FormMVconfig& form_;
  int everyMs_;
  QString told_;
  std::optional<std::int64_t> toldAt_;
  QTimer held_;
  Observers::Subscription subscription_;
};

QString Tr(const char* text);

// What a reader cannot see happen: an ESC found or lost, and a stop the user did not ask
// for, or asked for with Escape. The texts are the ones the window shows, where it shows them.
class EventAnnouncer : public QObject {
 public:
  EventAnnouncer(QWidget& view, FormMVconfig& form) : QObject(&view), view_(view) {
    const auto shown = [&view](const char* name) {
      return view.findChild<QLabel*>(QLatin1String(name))->text();
    };
    found_ = form.escFound.subscribe([this, shown](const EscFound&) {
      Announce(view_, Tr(kConnectedAs).arg(shown("TxtConnState"), shown("TxtHardVer"),
                                           shown("TxtFirmVer")));
    });
    lost_ = form.escLost.subscribe([this, shown](const EscLost& lost) {
      const QString why = Tr(kLossCauses[static_cast<int>(lost.cause)]);
      Announce(view_, Tr(stopping_ ? kLostAndStopped : kLost).arg(shown("TxtConnState"), why));
    });
    stopKey_ = form.stopRequested.subscribe([this] { Announce(view_, Tr(kStoppedByEscape)); });
    // A tab shown tells a reader it is selected after the slider took the focus; Orca 48 then
    // follows the tab and no longer says the throttle. The focus is told again after it.
    tab_ = form.controls().TabStrip1.changed.subscribe([this] {
      QTimer::singleShot(0, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr || focus->window() != &view_ || qobject_cast<QTabBar*>(focus) != nullptr) {
          return;
        }
        QAccessibleEvent event(focus, QAccessible::Focus);
        sink(&event);
      });
    });
    // The stop a loss brings comes just before the loss is told, within the same event.
    throttle_ = form.throttleCommanded.subscribe([this](int throttle) {
      if (throttle == 0 && commanded_ > 0) {
        stopping_ = true;
        QTimer::singleShot(0, this, [this] { stopping_ = false; });
      }
      commanded_ = throttle;
    });
  }

 private:
  static constexpr const char* kConnectedAs =
      QT_TRANSLATE_NOOP("morvane::Accessibility", "%1: %2, firmware %3");
  static constexpr const char* kLost = QT_TRANSLATE_NOOP("morvane::Accessibility", "%1: %2");
  static constexpr const char* kLostAndStopped =
      QT_TRANSLATE_NOOP("morvane::Accessibility", "%1: %2. Motor stopped.");
  static constexpr const char* kStoppedByEscape =
      QT_TRANSLATE_NOOP("morvane::Accessibility", "Motor stopped (Escape).");
  // By LossCause.
  static constexpr const char* kLossCauses[] = {
      QT_TRANSLATE_NOOP("morvane::Accessibility", "the ESC stopped answering"),
      QT_TRANSLATE_NOOP("morvane::Accessibility", "its port failed"),
      QT_TRANSLATE_NOOP("morvane::Accessibility", "another port was chosen")};

  QWidget& view_;
  int commanded_ = 0;
  bool stopping_ = false;
  CallbackList<const EscFound&>::Subscription found_;
  CallbackList<const EscLost&>::Subscription lost_;
  Observers::Subscription stopKey_;
  Observers::Subscription tab_;
  CallbackList<int>::Subscription throttle_;
};

// Qt tells the tab strip itself as focused, which a reader says as a list with no place in
// it; told as its shown tab, it is said as "Config page tab" and, where wanted, "1 of 2".
class TabFocusTeller : public QObject {
 public:
  explicit TabFocusTeller(QTabBar* bar) : QObject(bar), bar_(bar) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn && bar_->currentIndex() >= 0) {
      // After Qt's own notice of the focus, which names the strip.
      QTimer::singleShot(0, this, [this] {
        if (!bar_->hasFocus() || bar_->currentIndex() < 0) return;
        QAccessibleEvent focus(bar_, QAccessible::Focus);
        focus.setChild(bar_->currentIndex());
        sink(&focus);
      });
    }
    return false;
  }

 private:
  QTabBar* bar_;
};

struct Described {
  const char* control;
  const char* label;  // the name comes from this label's caption; nullptr: from the text below
  const char* name;
  const char* description;
};

// Texts of the window in one table: what each control does and, where it has one, its rule.
constexpr Described kMainWindow[] = {
    {"CombPort", "Label1", nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility",
                       "The serial port the ESC is on. Picking one opens it and looks for an "
                       "ESC there.")},
    {"TxtConnState", "Label2", nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility",
                       "Connected while an ESC answers on the chosen port, else Unconnected.")},
    {"TxtHardVer", "Label4", nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility", "The model of the connected ESC.")},
    {"TxtFirmVer", "Label3", nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility", "The firmware version of the connected ESC.")},
    {"CmdReset", nullptr, nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility",
                       "Picks the factory default (marked *) of all five settings, which are "
                       "then written to the connected ESC.")},
    {"CmdSave", nullptr, nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility",
                       "Saves the five settings to a file; also Ctrl+S.")},
    {"CmdLoad", nullptr, nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility",
                       "Loads the settings of a file and writes them to the connected ESC; "
                       "also Ctrl+O.")},
    {"SldPower", "Label13", nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility",
                       "Runs the motor, 0 to 200. Disabled until an ESC is connected. Esc "
                       "stops the motor at once, from any window of the program; Home goes "
                       "to 0.")},
    {"LbPower", "Label13", nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility", "The throttle the slider sets, 0 to 200.")},
    {"VSlPole", "Label14", nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility",
                       "The motor's magnet pole count, even, 2 to 24; the speed is computed "
                       "from it. Up raises it.")},
    {"TxtPole", "Label14", nullptr,
     QT_TRANSLATE_NOOP("morvane::Accessibility", "The motor's magnet pole count.")},
    {"TxtRev", nullptr, QT_TRANSLATE_NOOP("morvane::Accessibility", "Speed (r/min)"),
     QT_TRANSLATE_NOOP("morvane::Accessibility",
                       "The motor's speed in revolutions per minute, measured while the "
                       "throttle is above 25.")},
};

// What each setting's list does, in the settings' table's order; its name comes from the
// label of its row.
constexpr const char* kSettingDescriptions[] = {
    QT_TRANSLATE_NOOP("morvane::Accessibility",
                      "The battery voltage at which the ESC cuts the motor. A pick is written "
                      "to the connected ESC; * marks the factory default."),
    QT_TRANSLATE_NOOP("morvane::Accessibility",
                      "How the ESC cuts at low voltage: at once (hard) or by lowering the "
                      "power (soft). A pick is written to the connected ESC; * marks the "
                      "factory default."),
    QT_TRANSLATE_NOOP("morvane::Accessibility",
                      "Whether the ESC brakes the motor at throttle 0. A pick is written to "
                      "the connected ESC; * marks the factory default."),
    QT_TRANSLATE_NOOP("morvane::Accessibility",
                      "The motor's timing advance in degrees. A pick is written to the "
                      "connected ESC; * marks the factory default."),
    QT_TRANSLATE_NOOP("morvane::Accessibility",
                      "The direction the motor turns. A pick is written to the connected "
                      "ESC; * marks the factory default."),
};
static_assert(std::size(kSettingDescriptions) == kSettingCount,
              "every setting's list needs its description");

QString Tr(const char* text) {
  return QCoreApplication::translate("morvane::Accessibility", text);
}

// Names the control after its label's caption; the first control a label names is the one
// it stands for ("labelled by").
void NameByLabel(QWidget& view, QWidget* control, const char* labelName) {
  auto* label = view.findChild<QLabel*>(QLatin1String(labelName));
  control->setAccessibleName(NameFromCaption(label->text()));
  if (label->buddy() == nullptr) label->setBuddy(control);
}

}  // namespace

QString NameFromCaption(QString caption) {
  static const QRegularExpression kNumber(QStringLiteral("^\\d+\\.\\s*"));
  caption.remove(QLatin1Char('&'));
  caption = caption.trimmed().remove(kNumber);
  if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
  return caption.trimmed();
}

void SetAnnouncementSink(AnnouncementSink to) {
  sink = to != nullptr ? to : &QAccessible::updateAccessibility;
}

namespace {

// Once, for whichever window asks first.
void InstallFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace

void NameListByLabel(QComboBox& box) {
  InstallFactory();
  box.setProperty(kTextBox, true);
}

void NameMainWindow(QWidget& view, const Controls& controls) {
  InstallFactory();

  for (const Described& d : kMainWindow) {
    auto* control = view.findChild<QWidget*>(QLatin1String(d.control));
    if (d.label != nullptr) {
      NameByLabel(view, control, d.label);
    } else if (d.name != nullptr) {
      control->setAccessibleName(Tr(d.name));
    }
    control->setAccessibleDescription(Tr(d.description));
  }
  for (int i = 0; i < kSettingCount; ++i) {
    auto* box = view.findChild<QWidget*>(QString::fromStdString(controls.setting(i).name()));
    NameByLabel(view, box, layout::RowOfSetting(i).label);
    box->setAccessibleDescription(Tr(kSettingDescriptions[i]));
  }

  for (const char* name : {"Image1", "Image2"}) {
    view.findChild<QWidget*>(QLatin1String(name))
        ->setAccessibleName(QCoreApplication::translate("morvane::Accessibility", "Morvane logo"));
  }
  auto* tabs = view.findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  tabs->tabBar()->setAccessibleName(
      QCoreApplication::translate("morvane::Accessibility", "Panels"));
  tabs->tabBar()->setAccessibleDescription(QCoreApplication::translate(
      "morvane::Accessibility",
      "Config holds the ESC's five settings; Run holds the throttle and the speed."));
  // A tab's tooltip is what a reader gives as its description.
  static constexpr const char* kTabTips[] = {
      QT_TRANSLATE_NOOP("morvane::Accessibility",
                        "The ESC's five settings; a pick is written to the connected ESC."),
      QT_TRANSLATE_NOOP("morvane::Accessibility", "The throttle and the motor's speed.")};
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->tabBar()->setAccessibleTabName(i, NameFromCaption(tabs->tabText(i)));
    if (i < static_cast<int>(std::size(kTabTips))) tabs->setTabToolTip(i, Tr(kTabTips[i]));
  }

  auto* poles = view.findChild<QScrollBar*>(QStringLiteral("VSlPole"));
  poles->setProperty(PolesAccessible::kPolesMin, controls.VSlPole.min());
  poles->setProperty(PolesAccessible::kPolesMax, controls.VSlPole.max());
  poles->setProperty(PolesAccessible::kPolesStep, controls.VSlPole.smallChange());
  std::vector<QWidget*> ours{tabs->tabBar()};
  for (const char* name : {"CombPort", "TxtConnState", "TxtHardVer", "TxtFirmVer", "TxtPole",
                           "LbPower", "TxtRev", "VSlPole"}) {
    ours.push_back(view.findChild<QWidget*>(QLatin1String(name)));
  }
  for (int i = 0; i < kSettingCount; ++i) {
    ours.push_back(view.findChild<QWidget*>(QString::fromStdString(controls.setting(i).name())));
  }
  for (QWidget* w : ours) {
    w->setProperty(kTextBox, true);
    // Qt may have made its own interface already, as widgets were built: made again, ours.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(w);
    if (dynamic_cast<TextBoxAccessible*>(made) == nullptr &&
        dynamic_cast<SpeedAccessible*>(made) == nullptr &&
        dynamic_cast<ListAccessible*>(made) == nullptr &&
        dynamic_cast<PolesAccessible*>(made) == nullptr &&
        dynamic_cast<TabStripAccessible*>(made) == nullptr) {
      QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
  }
}

void AnnounceChanges(QWidget& view, FormMVconfig& form) {
  Controls& controls = form.controls();
  struct Told {
    TextControl* control;
    int everyMs;
  };
  for (const Told& t : {Told{&controls.TxtConnState, 0}, Told{&controls.TxtHardVer, 0},
                        Told{&controls.TxtFirmVer, 0}, Told{&controls.TxtPole, 0},
                        Told{&controls.LbPower, 0}, Told{&controls.TxtRev, kSpeedAnnounceEveryMs}}) {
    auto* box = view.findChild<QLabel*>(QString::fromStdString(t.control->name()));
    new TextAnnouncer(box, *t.control, form, t.everyMs);
  }
  new EventAnnouncer(view, form);
  // A pick, by mouse or keyboard, is said with the entry the box now shows: Qt's own
  // notice of it is one that Orca cannot follow.
  for (auto* box : view.findChildren<QComboBox*>()) {
    QObject::connect(box, &QComboBox::activated, box, [box] { Announce(*box, box->currentText()); });
  }
  // Tabbed to, the strip tells its shown tab, which a reader says with its place.
  auto* tabs = view.findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  tabs->tabBar()->installEventFilter(new TabFocusTeller(tabs->tabBar()));

}

void Announce(QWidget& from, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  QAccessibleAnnouncementEvent event(&from, text);
  event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
  sink(&event);
#else
  NotificationAccessible* notification = NotificationOf(*from.window());
  notification->said = text;
  QAccessibleEvent event(notification, QAccessible::ObjectShow);
  sink(&event);
#endif
}

QString AnnouncedText(QAccessibleEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  if (event->type() == QAccessible::Announcement) {
    return static_cast<QAccessibleAnnouncementEvent*>(event)->message();
  }
#else
  if (event->type() == QAccessible::ObjectShow) {
    QAccessibleInterface* shown = event->accessibleInterface();
    if (shown != nullptr && shown->role() == QAccessible::Notification) {
      return shown->text(QAccessible::Name);
    }
  }
#endif
  return {};
}

void MakeMotorTestWindowAccessible(QWidget& window) {
  const auto describe = [&window](const char* name, const char* text, const char* description) {
    auto* w = window.findChild<QWidget*>(QLatin1String(name));
    if (w == nullptr) return;
    if (text != nullptr) w->setAccessibleName(Tr(text));
    w->setAccessibleDescription(Tr(description));
  };
  // The live texts are named by what they show, as a reader should read them.
  describe("presentValues", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "The average and latest speed in r/min and the throttle."));
  describe("motorTestPlot", QT_TRANSLATE_NOOP("morvane::Accessibility", "Speed and throttle plot"),
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "The last minute of speed (left axis) and throttle (right axis). "
                             "Record writes the same figures to a CSV file."));
  describe("recordingLabel", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility", "Whether and where the figures are recorded."));
  describe("sweepStatus", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility", "What the stepped sweep is doing."));
  describe("sweepTable", QT_TRANSLATE_NOOP("morvane::Accessibility", "Sweep results"),
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "One row per throttle step: mean and spread of the speed."));
  describe("record", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "Starts or stops writing one CSV row per speed reply."));
  describe("start", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "Starts the stepped sweep: the ESC's throttle is raised step by "
                             "step, never above the maximum. Esc or Stop ends it at 0."));
  describe("stop", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "Ends the sweep and sets the throttle to 0, as Esc does."));
  describe("saveTable", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility", "Saves the sweep's table as a CSV file."));
  describe("from", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility", "The throttle of the sweep's first step."));
  describe("to", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "The throttle of the sweep's last step, never above the maximum."));
  describe("step", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "How much the throttle rises from one step to the next."));
  describe("settle", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "Seconds the speed is left to settle at each step before it is "
                             "sampled."));
  describe("samples", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "How many speed replies are averaged at each step."));
  describe("maximum", nullptr,
           QT_TRANSLATE_NOOP("morvane::Accessibility",
                             "The sweep never sets a throttle above this."));
  // A box is otherwise named by its caption as written, access key and colon included.
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (label->buddy() != nullptr && label->buddy()->accessibleName().isEmpty()) {
      label->buddy()->setAccessibleName(NameFromCaption(label->text()));
    }
  }
}

}  // namespace morvane
