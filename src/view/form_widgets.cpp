// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/form_widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QtMath>
#include <span>
#include <string_view>

#include "link/settings_table.h"
#include "view/form_layout.h"
#include "view/shown_text.h"
#include "view/tab_strip.h"
#include "view/themes.h"

namespace morvane {
namespace {

using layout::Item;
using layout::Kind;

QFont Face(const char* family, double points) {
  QFont font(QString::fromLatin1(family));
  font.setPointSizeF(points);
  return font;
}

// A label's caption in the user's language, or in English as the layout was drawn for.
QString Caption(const Item& item, bool translated = true) {
  const auto shown = [translated](const char* english, const char* context) {
    return translated ? Shown(english, context) : QString::fromUtf8(english);
  };
  if (const int place = item.settingPlace; place >= 0) {
    const SettingInfo& setting = kSettings[static_cast<std::size_t>(kPanelOrder[place])];
    return QString::number(place + 1) + QLatin1Char('.') + shown(setting.label, "Settings");
  }
  return shown(item.caption, "FormView");
}

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
  w->setGeometry(item.place.pixels());
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

void SetFaces(std::span<const Item> items, QWidget* parent) {
  for (const Item& item : items) {
    SetFace(item,
            parent->findChild<QWidget*>(QLatin1String(item.name), Qt::FindDirectChildrenOnly));
  }
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
      SetFaces(items_, panel_);
      deleteLater();
    }
    return false;
  }

 private:
  QWidget* panel_;
  std::span<const Item> items_;
};

enum class Faces { Now, OnFirstShow };

QGroupBox* MakeFrame(const layout::Frame& frame, QWidget* parent, Faces faces) {
  auto* box = new QGroupBox(Shown(frame.title), parent);
  box->setObjectName(QString::fromLatin1(frame.name));
  box->setGeometry(frame.place.pixels());
  // Later siblings lie on top, so the children are made from the bottom entry up; a caption
  // widened now makes room among those below it only.
  for (auto it = frame.items.rbegin(); it != frame.items.rend(); ++it) {
    QWidget* w = MakeWidget(*it, box);
    if (faces == Faces::Now) SetFace(*it, w);
  }
  if (faces == Faces::OnFirstShow) new FacesOnFirstShow(box, frame.items);
  return box;
}

// Text that only the logic writes: no tab stop, grey like a button face. By role, not by
// colour, so that it follows the theme.
void MakeStatusText(QLabel* box) {
  box->setFocusPolicy(Qt::ClickFocus);
  box->setBackgroundRole(QPalette::Button);
  box->setForegroundRole(QPalette::ButtonText);
}

}  // namespace

void BuildFormWidgets(QWidget& window, const std::vector<std::string>& tabCaptions) {
  window.setFont(Face(layout::kSansFace, layout::kWindowPoints));
  window.setFixedSize(layout::kWindow.pixels().size());

  // Bottom of the stack first: the tab strip, the Connection group, the hardware text
  // laid over that group, then the two panels laid over the tab strip's page.
  QTabWidget* tabs = MakeTabStrip(&window);
  tabs->setObjectName(QStringLiteral("TabStrip1"));
  tabs->setGeometry(layout::kTabStrip.pixels());
  tabs->tabBar()->setElideMode(Qt::ElideNone);
  for (const std::string& caption : tabCaptions) tabs->addTab(new QWidget(tabs), Shown(caption));

  MakeFrame(layout::ConnectionFrame(), &window, Faces::Now);
  MakeWidget(layout::HardwareBox(), &window);
  QGroupBox* run = MakeFrame(layout::RunFrame(), &window, Faces::OnFirstShow);
  QGroupBox* config = MakeFrame(layout::ConfigFrame(), &window, Faces::Now);
  // A panel hides the tab strip's page beneath it.
  run->setAutoFillBackground(true);
  config->setAutoFillBackground(true);

  for (const char* name : {"TxtConnState", "TxtFirmVer", "TxtHardVer"}) {
    MakeStatusText(window.findChild<QLabel*>(QLatin1String(name)));
  }
  auto* poles = window.findChild<QLabel*>(QStringLiteral("TxtPole"));
  poles->setFocusPolicy(Qt::ClickFocus);
  poles->setAlignment(Qt::AlignCenter);
  window.findChild<QLabel*>(QStringLiteral("TxtRev"))
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Centred, the throttle stands clear of its caption, which ends where it begins.
  window.findChild<QLabel*>(QStringLiteral("LbPower"))
      ->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  auto* slider = window.findChild<QSlider*>(QStringLiteral("SldPower"));
  slider->setTickPosition(QSlider::TicksAbove);
  slider->setTickInterval(10);
  slider->setFocusPolicy(Qt::StrongFocus);
  // A scroll bar takes no focus by default; this one is in the tab order.
  window.findChild<QScrollBar*>(QStringLiteral("VSlPole"))->setFocusPolicy(Qt::StrongFocus);

  QWidget* previous = nullptr;
  for (const char* name : layout::TabOrder()) {
    auto* next = window.findChild<QWidget*>(QLatin1String(name));
    if (previous != nullptr) QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

}  // namespace morvane
