// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/form_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHelpEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QtMath>
#include <iterator>
#include <span>
#include <utility>

#include "link/settings_table.h"
#include "shell/window_language.h"
#include "view/accessibility.h"
#include "view/keyboard.h"
#include "view/themes.h"

// Pictures compiled into this static library must be registered by hand.
static void InitPictures() {
  Q_INIT_RESOURCE(pictures);
}

namespace morvane {
namespace {

// The layout is drawn in twips: 15 make one pixel at 96 dots per inch.
int Px(int twips) {
  return qRound(twips / 15.0);
}

QRect FromTwips(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

// Substitutes with close widths for the faces the layout was drawn with.
constexpr const char* kSansFace = "Liberation Sans";    // MS Sans Serif
constexpr const char* kSerifFace = "Liberation Serif";  // Times New Roman
constexpr const char* kVerdanaFace = "DejaVu Sans";     // Verdana

QFont Face(const char* family, double points) {
  QFont font(QString::fromLatin1(family));
  font.setPointSizeF(points);
  return font;
}

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

// A text of the window in the user's language; a text that no translation knows (a number,
// a model's name, any text under English) is shown as it is.
QString Shown(const char* english, const char* context = "FormView") {
  return QCoreApplication::translate(context, english);
}

QString Shown(const std::string& english) {
  return Shown(english.c_str());
}

// A settings list's entry: its words translated, the default's mark kept after them.
QString ShownEntry(const std::string& english) {
  const std::string_view mark = kDefaultMark;
  if (english.size() > mark.size() && english.ends_with(mark)) {
    return Shown(english.substr(0, english.size() - mark.size()).c_str(), "Settings") +
           QString::fromLatin1(mark.data(), static_cast<int>(mark.size()));
  }
  return Shown(english.c_str(), "Settings");
}

enum class Kind { Label, Combo, TextBox, Button, Image, Slider, ScrollBar };

struct Item {
  const char* name;
  Kind kind;
  const char* caption;  // labels only, in English: the other texts come from the controls
  int left, top, width, height;
  const char* face = nullptr;  // nullptr: the window's font
  double points = 0;
};

// Each frame's children in stacking order from the top, positions in the frame's twips.
constexpr Item kConnectionGroup[] = {
    {"Label1", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Port:"), 650, 300, 405, 255},
    {"CombPort", Kind::Combo, "", 1080, 240, 975, 315},
    {"Label4", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Hardware:"), 2400, 300, 760, 255},
    {"Label2", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Status:"), 485, 720, 585, 255},
    {"TxtConnState", Kind::TextBox, "", 1080, 720, 1000, 300},
    {"Label3", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Firmware:"), 2455, 720, 675, 255},
    {"TxtFirmVer", Kind::TextBox, "", 3260, 720, 2175, 300},
};

constexpr Item kConfigPanel[] = {
    {"Label5", Kind::Label, "", 720, 360, 1575, 255},
    {"CombCutOffV", Kind::Combo, "", 870, 600, 1575, 315},
    {"Label7", Kind::Label, "", 720, 1200, 1335, 255},
    {"CombBrake", Kind::Combo, "", 870, 1440, 1575, 315},
    {"Label8", Kind::Label, "", 720, 2040, 1455, 255},
    {"CombTiming", Kind::Combo, "", 870, 2280, 1575, 315},
    {"Label6", Kind::Label, "", 720, 2880, 1575, 255},
    {"CombCutOffT", Kind::Combo, "", 870, 3120, 1575, 315},
    {"Label9", Kind::Label, "", 720, 3720, 1695, 255},
    {"CombDir", Kind::Combo, "", 870, 3960, 1575, 315},
    {"CmdSave", Kind::Button, "", 3240, 960, 1695, 495},
    {"CmdLoad", Kind::Button, "", 3240, 1560, 1695, 495},
    {"CmdReset", Kind::Button, "", 3120, 2180, 1575, 495},
    {"Image1", Kind::Image, "", 520, 4560, 4500, 330},
};

constexpr Item kRunPanel[] = {
    {"Label14", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Motor Magnet Poles:"), 840, 645, 2415,
     375, kSerifFace, 14.25},
    {"TxtPole", Kind::TextBox, "", 3240, 600, 375, 360, kSansFace, 12},
    {"VSlPole", Kind::ScrollBar, "", 3600, 595, 300, 360},
    {"Label12", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Rev:"), 840, 1920, 615, 375, kSerifFace,
     15.75},
    {"TxtRev", Kind::TextBox, "", 1560, 1680, 2055, 750, kVerdanaFace, 26.25},
    {"Label10", Kind::Label, QT_TRANSLATE_NOOP("FormView", "r/min"), 3720, 1920, 1215, 405,
     kSerifFace, 15.75},
    {"Label13", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Throttle:"), 840, 3120, 1095, 375,
     kSerifFace, 15.75},
    {"LbPower", Kind::Label, "", 1920, 3075, 735, 375, kVerdanaFace, 15.75},
    {"Label11", Kind::Label, "0 ", 870, 3555, 375, 255},
    {"Label15", Kind::Label, "50", 1700, 3555, 375, 255},
    {"Label16", Kind::Label, "100", 2500, 3555, 375, 255},
    {"Label17", Kind::Label, "150", 3380, 3555, 375, 255},
    {"Label18", Kind::Label, "200", 4230, 3555, 375, 255},
    {"SldPower", Kind::Slider, "", 720, 3720, 3855, 495},
    {"Image2", Kind::Image, "", 520, 4560, 4500, 330},
};

// The settings' labels, top to bottom: their texts come from the settings' table.
constexpr const char* kSettingLabels[] = {"Label5", "Label7", "Label8", "Label6", "Label9"};

// A label's caption in the user's language, or in English as the layout was drawn for.
QString Caption(const Item& item, bool translated = true) {
  const auto shown = [translated](const char* english, const char* context) {
    return translated ? Shown(english, context) : QString::fromUtf8(english);
  };
  for (int place = 0; place < kSettingCount; ++place) {
    if (std::string_view(kSettingLabels[place]) == item.name) {
      const SettingInfo& setting = kSettings[static_cast<std::size_t>(kPanelOrder[place])];
      return QString::number(place + 1) + QLatin1Char('.') + shown(setting.label, "Settings");
    }
  }
  return shown(item.caption, "FormView");
}

// The keyboard's path through the controls that can take it (the Tab column).
constexpr const char* kTabOrder[] = {
    "CombPort",     "TabStrip1",  "CombCutOffV", "CombCutOffT", "CombBrake", "CombTiming",
    "CombDir",      "CmdSave",    "CmdLoad",     "CmdReset",    "VSlPole",   "SldPower",
    "TxtConnState", "TxtFirmVer", "TxtHardVer",  "TxtRev",      "TxtPole",
};
// The pole count is one stop, the scroll bar, which says the count; its text beside it
// keeps its place in the order but takes the focus only from a click.

QWidget* MakeWidget(const Item& item, QWidget* parent) {
  QWidget* w = nullptr;
  switch (item.kind) {
    case Kind::Label: {
      auto* label = new QLabel(Caption(item), parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      w = label;
      break;
    }
    case Kind::Combo:
      w = new QComboBox(parent);
      break;
    case Kind::TextBox: {
      // Every text box of this window is read-only: a label in a one-pixel sunken frame
      // gives its text the whole width, where a line edit keeps margins and a cursor.
      auto* box = new QLabel(parent);
      box->setTextFormat(Qt::PlainText);
      box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      box->setLineWidth(1);
      box->setMargin(0);
      box->setIndent(0);
      box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      box->setAutoFillBackground(true);
      box->setBackgroundRole(QPalette::Base);
      box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      box->setFocusPolicy(Qt::StrongFocus);
      w = box;
      break;
    }
    case Kind::Button:
      w = new QPushButton(parent);
      break;
    case Kind::Image: {
      auto* image = new QLabel(parent);
      image->setPixmap(QPixmap(QStringLiteral(":/morvane/logo.png")));
      image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      TintLogoWithPalette(image);  // the layout's blue in the light themes
      w = image;
      break;
    }
    case Kind::Slider:
      w = new QSlider(Qt::Horizontal, parent);
      break;
    case Kind::ScrollBar:
      w = new QScrollBar(Qt::Vertical, parent);
      break;
  }
  w->setObjectName(QString::fromLatin1(item.name));
  w->setGeometry(FromTwips(item.left, item.top, item.width, item.height));
  return w;
}

// Whether a caption grown by `added` would cover another control of its frame; pictures lie
// below the captions and are not counted.
bool RunsIntoSibling(const QWidget* caption, const QRect& added) {
  for (const QObject* child : caption->parent()->children()) {
    const auto* sibling = qobject_cast<const QWidget*>(child);
    if (sibling == nullptr || sibling == caption ||
        sibling->objectName().startsWith(QLatin1String("Image")))
      continue;
    if (sibling->geometry().intersects(added)) return true;
  }
  return false;
}

// Sets the face an entry names and widens its caption to fit it.
void SetFace(const Item& item, QWidget* w) {
  if (item.face != nullptr) w->setFont(Face(item.face, item.points));
  if (item.kind == Kind::Label) {
    // The substitute faces run a little wider than the ones the layout was drawn with:
    // a caption grows to the right rather than lose its last letters. A translated one
    // that would run into the control beside it grows to the left instead.
    const QString text = w->property("text").toString();
    const int needed = qCeil(QFontMetricsF(w->font()).horizontalAdvance(text));
    const int more = needed - w->width();
    if (more > 0) {
      const QRect laid = w->geometry();
      const QRect toRight(laid.right() + 1, laid.top(), more, laid.height());
      const QRect toLeft(laid.left() - more, laid.top(), more, laid.height());
      const bool left = text != Caption(item, false) && RunsIntoSibling(w, toRight) &&
                        toLeft.left() >= 0 && !RunsIntoSibling(w, toLeft);
      w->setGeometry(laid.united(left ? toLeft : toRight));
    }
  }
}

// Later siblings lie on top, so each table is built from its bottom entry up.
void MakeChildren(std::span<const Item> items, QWidget* parent) {
  for (auto it = items.rbegin(); it != items.rend(); ++it) SetFace(*it, MakeWidget(*it, parent));
}

// Loading a face costs more than building the widgets: a panel hidden at start takes its
// faces, and the caption widths they decide, when it is first shown, before it is painted.
class FacesOnFirstShow : public QObject {
 public:
  FacesOnFirstShow(QWidget* panel, std::span<const Item> items)
      : QObject(panel), panel_(panel), items_(items) {
    panel->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == panel_ && event->type() == QEvent::Show) {
      panel_->removeEventFilter(this);
      for (const Item& item : items_) {
        SetFace(item,
                panel_->findChild<QWidget*>(QLatin1String(item.name), Qt::FindDirectChildrenOnly));
      }
      deleteLater();
    }
    return false;
  }

 private:
  QWidget* panel_;
  std::span<const Item> items_;
};

QGroupBox* MakeFrame(const char* name, const char* title, QRect rect, QWidget* parent) {
  auto* frame = new QGroupBox(Shown(title), parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setGeometry(rect);
  return frame;
}

// Text that only the logic writes: no tab stop, grey like a button face. By role, not by
// colour, so that it follows the theme.
void MakeStatusText(QLabel* box) {
  box->setFocusPolicy(Qt::ClickFocus);
  box->setBackgroundRole(QPalette::Button);
  box->setForegroundRole(QPalette::ButtonText);
}

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

FormView::FormView(FormMVconfig& form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      form_(form) {
  InitPictures();
  setObjectName(Text(form.controls().caption.name()));
  setFont(Face(kSansFace, 8.25));
  setFixedSize(381, 463);
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

  buildWidgets();
  // Names, descriptions and announcements for screen readers: all in accessibility.cpp.
  NameMainWindow(*this, form.controls());
  bindControls();
  AnnounceChanges(*this, form);
  InstallKeyboardContextMenus();
  QCoreApplication::instance()->installEventFilter(
      new StopKeyFilter(this, [&form] { form.OnStopKey(); }));
  TabStrip& strip = form.controls().TabStrip1;
  InstallTabSwitchKeys(*this, [&strip](int step) {
    const int count = static_cast<int>(strip.captions().size());
    strip.clickTab((strip.selectedItem() - 1 + step + count) % count + 1);
  });
  // Switching to Run gives the slider the focus while the key that switched may still be
  // down: its repeats must not raise the throttle.
  IgnoreKeysHeldBeforeFocus(*findChild<QSlider*>(QStringLiteral("SldPower")));
}

void FormView::buildWidgets() {
  // Bottom of the stack first: the tab strip, the Connection group, the hardware text
  // laid over that group, then the two panels laid over the tab strip's page.
  auto* tabs = new TabStripWidget(this);
  tabs->setObjectName(QStringLiteral("TabStrip1"));
  tabs->setGeometry(FromTwips(105, 1320, 5505, 5535));
  tabs->tabBar()->setElideMode(Qt::ElideNone);
  for (const std::string& caption : form_.controls().TabStrip1.captions()) {
    tabs->addTab(new QWidget(tabs), Shown(caption));
  }

  QGroupBox* connection = MakeFrame("FrameConnect", QT_TRANSLATE_NOOP("FormView", "Connection"),
                                    FromTwips(100, 120, 5500, 1095), this);
  MakeChildren(kConnectionGroup, connection);
  MakeWidget({"TxtHardVer", Kind::TextBox, "", 3360, 420, 2175, 300}, this);

  QGroupBox* run = MakeFrame("FrameRun", QT_TRANSLATE_NOOP("FormView", "Run"),
                             FromTwips(120, 1680, 5415, 5055), this);
  for (auto it = std::rbegin(kRunPanel); it != std::rend(kRunPanel); ++it) MakeWidget(*it, run);
  new FacesOnFirstShow(run, kRunPanel);
  QGroupBox* config = MakeFrame("FrameConfig", QT_TRANSLATE_NOOP("FormView", "Config"),
                                FromTwips(120, 1680, 5415, 5055), this);
  MakeChildren(kConfigPanel, config);
  // A panel hides the tab strip's page beneath it.
  run->setAutoFillBackground(true);
  config->setAutoFillBackground(true);

  for (const char* name : {"TxtConnState", "TxtFirmVer", "TxtHardVer"}) {
    MakeStatusText(findChild<QLabel*>(QLatin1String(name)));
  }
  findChild<QLabel*>(QStringLiteral("TxtPole"))->setFocusPolicy(Qt::ClickFocus);
  findChild<QLabel*>(QStringLiteral("TxtPole"))->setAlignment(Qt::AlignCenter);
  findChild<QLabel*>(QStringLiteral("TxtRev"))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Centred, the throttle stands clear of its caption, which ends where it begins.
  findChild<QLabel*>(QStringLiteral("LbPower"))->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  auto* slider = findChild<QSlider*>(QStringLiteral("SldPower"));
  slider->setTickPosition(QSlider::TicksAbove);
  slider->setTickInterval(10);
  slider->setFocusPolicy(Qt::StrongFocus);
  // A scroll bar takes no focus by default; this one is in the tab order.
  findChild<QScrollBar*>(QStringLiteral("VSlPole"))->setFocusPolicy(Qt::StrongFocus);

  QWidget* previous = nullptr;
  for (const char* name : kTabOrder) {
    auto* next = findChild<QWidget*>(QLatin1String(name));
    if (previous != nullptr) setTabOrder(previous, next);
    previous = next;
  }
}

void FormView::watch(Control& control, QWidget* widget, std::function<void()> sync) {
  subscriptions_.push_back(control.changed.subscribe(sync));
  subscriptions_.push_back(
      control.focusRequested.subscribe([widget] { widget->setFocus(Qt::OtherFocusReason); }));
  sync();
}

void FormView::bindControls() {
  Controls& c = form_.controls();

  subscriptions_.push_back(c.caption.changed.subscribe(
      [this] { setWindowTitle(Text(form_.controls().caption.text())); }));
  setWindowTitle(Text(c.caption.text()));

  for (Control* frame : {&c.FrameConnect, &c.FrameConfig, &c.FrameRun}) {
    auto* box = findChild<QGroupBox*>(Text(frame->name()));
    watch(*frame, box, [frame, box] { box->setVisible(frame->visible()); });
  }

  for (TextControl* text : {&c.TxtConnState, &c.TxtHardVer, &c.TxtFirmVer, &c.TxtPole, &c.TxtRev}) {
    auto* box = findChild<QLabel*>(Text(text->name()));
    watch(*text, box, [text, box] { box->setText(Shown(text->text())); });
  }
  auto* power = findChild<QLabel*>(QStringLiteral("LbPower"));
  watch(c.LbPower, power, [&c, power] { power->setText(Text(c.LbPower.text())); });

  connState_ = findChild<QLabel*>(QStringLiteral("TxtConnState"));
  connState_->installEventFilter(this);
  subscriptions_.push_back(form_.portsFailed.subscribe([this] {
    // After the pick that failed has finished with the list, so that closing it does not
    // take the balloon away.
    QTimer::singleShot(0, this, [this] { showFailureBalloon(); });
  }));

  portBox_ = findChild<QComboBox*>(QStringLiteral("CombPort"));
  for (ComboBox* box :
       {&c.CombPort, &c.CombCutOffV, &c.CombBrake, &c.CombTiming, &c.CombCutOffT, &c.CombDir}) {
    bindCombo(*box, findChild<QComboBox*>(Text(box->name())));
  }

  for (Button* model : {&c.CmdSave, &c.CmdLoad, &c.CmdReset}) {
    auto* button = findChild<QPushButton*>(Text(model->name()));
    button->setText(Shown(model->caption()));
    watch(*model, button, [model, button] { button->setVisible(model->visible()); });
  }
  // The hidden file buttons have no handlers at all.
  connect(findChild<QPushButton*>(QStringLiteral("CmdReset")), &QPushButton::clicked, this,
          [&c] { c.CmdReset.click(); });

  auto* slider = findChild<QSlider*>(QStringLiteral("SldPower"));
  RangeControl& throttle = c.SldPower;
  slider->setRange(throttle.min(), throttle.max());
  slider->setSingleStep(throttle.smallChange());
  slider->setPageStep(throttle.largeChange());
  const auto showThrottle = [&throttle, slider] {
    const QSignalBlocker block(slider);
    slider->setValue(throttle.value());
    slider->setEnabled(throttle.enabled());
    slider->setToolTip(
        throttle.enabled()
            ? QCoreApplication::translate("FormView",
                                          "Throttle. Esc stops the motor at once, from any "
                                          "window of the program; Home goes to 0.")
            : QCoreApplication::translate("FormView",
                                          "No ESC connected: the throttle works once an ESC "
                                          "has been found."));
  };
  watch(throttle, slider, showThrottle);
  connect(slider, &QSlider::valueChanged, this, [&throttle, showThrottle](int value) {
    throttle.setValue(value);
    showThrottle();  // the model may have limited the step
  });

  // The scroll bar counts in steps of the pole count and downwards, so that its upper
  // arrow (and Up, Page Up, the wheel) raises the count and no odd count can arise.
  auto* bar = findChild<QScrollBar*>(QStringLiteral("VSlPole"));
  RangeControl& poles = c.VSlPole;
  bar->setRange(0, (poles.max() - poles.min()) / poles.smallChange());
  bar->setSingleStep(1);
  bar->setPageStep(poles.largeChange() / poles.smallChange());
  const auto showPoles = [&poles, bar] {
    const QSignalBlocker block(bar);
    bar->setValue((poles.max() - poles.value()) / poles.smallChange());
  };
  watch(poles, bar, showPoles);
  connect(bar, &QScrollBar::valueChanged, this, [&poles, showPoles](int value) {
    poles.setValue(poles.max() - value * poles.smallChange());
    showPoles();
  });

  auto* tabs = findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  TabStrip& strip = c.TabStrip1;
  watch(strip, tabs, [&strip, tabs] {
    const QSignalBlocker block(tabs);
    tabs->setCurrentIndex(strip.selectedItem() - 1);
  });
  tabs->tabBar()->installEventFilter(
      new TabPressFilter(tabs->tabBar(), [&strip](int index) { strip.clickTab(index + 1); }));
  // Keys (arrows, Ctrl+Tab, access keys) change the tab without a press.
  connect(tabs, &QTabWidget::currentChanged, this, [&strip](int index) {
    if (strip.selectedItem() != index + 1) strip.clickTab(index + 1);
  });
}

void FormView::bindCombo(ComboBox& model, QComboBox* box) {
  watch(model, box, [this, &model, box] { mirrorCombo(model, box); });
  // activated: every pick by mouse or keyboard, also of the entry already shown.
  connect(box, &QComboBox::activated, this, [this, &model, box](int index) {
    model.setListIndex(index);
    mirrorCombo(model, box);
  });
}

void FormView::mirrorCombo(const ComboBox& model, QComboBox* box) {
  const QSignalBlocker block(box);
  bool same = box->count() == model.listCount();
  for (int i = 0; same && i < box->count(); ++i) {
    same = box->itemText(i) == ShownEntry(model.list(i)) &&
           box->itemData(i).toInt() == model.itemData(i);
  }
  if (!same) {
    box->clear();
    for (const ComboBox::Entry& entry : model.entries()) {
      box->addItem(ShownEntry(entry.text), entry.itemData);
    }
  }
  box->setCurrentIndex(model.listIndex());
  if (box == portBox_) showPortToolTips();
}

void FormView::setPortToolTips(std::function<QString(int port)> entryTip, QString emptyListTip) {
  portEntryTip_ = std::move(entryTip);
  emptyPortTip_ = std::move(emptyListTip);
  showPortToolTips();
}

void FormView::showPortToolTips() {
  for (int i = 0; i < portBox_->count(); ++i) {
    const QString tip = portEntryTip_ ? portEntryTip_(portBox_->itemData(i).toInt()) : QString();
    portBox_->setItemData(i, tip, Qt::ToolTipRole);
  }
  if (portBox_->count() == 0) {
    portBox_->setToolTip(emptyPortTip_);
  } else {
    const int shown = portBox_->currentIndex();
    portBox_->setToolTip(shown >= 0 ? portBox_->itemData(shown, Qt::ToolTipRole).toString()
                                    : QString());
  }
}

void FormView::showFailureBalloon() {
  const std::vector<PortFailure>& failures = form_.openFailures();
  if (failures.empty() || !portBox_->isVisible()) return;
  QToolTip::showText(portBox_->mapToGlobal(QPoint(0, portBox_->height())),
                     Text(FailureBalloon(failures, deviceText_, InWindowLanguage)), portBox_,
                     portBox_->rect(), kBalloonMs);
}

QString FormView::statusTip() const {
  // The window's clock counts from start-up; a time of day is its distance from now.
  const std::int64_t now = form_.clock().elapsedMs();
  const QDateTime wall = QDateTime::currentDateTime();
  const ClockText clock = [now, wall](std::int64_t ms) {
    return wall.addMSecs(ms - now).toString(QStringLiteral("HH:mm:ss")).toStdString();
  };
  std::string tip = StatusTip(form_.linkStatus(), clock, deviceText_, InWindowLanguage);
  if (const std::string note = statusNote_ ? statusNote_() : ""; !note.empty()) tip += "\n" + note;
  return Text(tip);
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == connState_ && event->type() == QEvent::ToolTip) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), statusTip(), connState_);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void FormView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (std::exchange(iconsAsked_, true)) return;
  // Decoding them (about a twentieth of the start) can wait until the window is on screen.
  // The application's icon: every window of the program takes it, the motor test's too.
  QTimer::singleShot(0, this, [] {
    QIcon icon(QStringLiteral(":/morvane/morvane-esc-config.png"));
    icon.addFile(QStringLiteral(":/morvane/morvane-esc-config-256.png"));
    QApplication::setWindowIcon(icon);
  });
}

void FormView::closeEvent(QCloseEvent* event) {
  form_.Unload();
  event->accept();
}

}  // namespace morvane
