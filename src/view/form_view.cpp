// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/form_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <utility>

#include "link/settings_table.h"
#include "view/accessibility.h"
#include "view/form_widgets.h"
#include "view/keyboard.h"
#include "view/shown_text.h"
#include "view/tab_strip.h"

// Pictures compiled into this static library must be registered by hand.
static void InitPictures() {
  Q_INIT_RESOURCE(pictures);
}

namespace morvane {

FormView::FormView(FormMVconfig& form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      form_(form) {
  InitPictures();
  setObjectName(Text(form.controls().caption.name()));
  BuildFormWidgets(*this, form.controls().TabStrip1.captions());
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

  // Names, descriptions and announcements for screen readers: all in accessibility.cpp.
  NameMainWindow(*this, form.controls());
  bindControls();
  AnnounceChanges(*this, form);
  InstallKeyboardContextMenus();
  InstallStopKey(*this, [&form] { form.OnStopKey(); });
  TabStrip& strip = form.controls().TabStrip1;
  InstallTabSwitchKeys(*this, [&strip](int step) {
    const int count = static_cast<int>(strip.captions().size());
    strip.clickTab((strip.selectedItem() - 1 + step + count) % count + 1);
  });
  // Switching to Run gives the slider the focus while the key that switched may still be
  // down: its repeats must not raise the throttle.
  IgnoreKeysHeldBeforeFocus(*findChild<QSlider*>(QStringLiteral("SldPower")));
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
  bindCombo(c.CombPort, portBox_);
  for (int i = 0; i < kSettingCount; ++i) {
    bindCombo(c.setting(i), findChild<QComboBox*>(Text(c.setting(i).name())));
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
  OnTabPress(*tabs->tabBar(), [&strip](int index) { strip.clickTab(index + 1); });
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
