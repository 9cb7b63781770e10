// SPDX-License-Identifier: GPL-3.0-or-later
// The window as laid out: every control under its name, in its place, with its text, font,
// entries, ranges, flags and tab order, and every text whole inside its control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QSlider>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <vector>

#include "link/settings_table.h"
#include "view/form_layout.h"
#include "window_bench.h"

namespace morvane::test {
namespace {

// The text a widget shows, whatever its kind.
QString Shown(const QWidget* w) {
  if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (const auto* button = qobject_cast<const QPushButton*>(w)) return button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(w)) return frame->title();
  return {};
}

const char* ClassOf(layout::Kind kind) {
  switch (kind) {
    case layout::Kind::Label:
    case layout::Kind::TextBox:
    case layout::Kind::Image:
      return "QLabel";
    case layout::Kind::Combo:
      return "QComboBox";
    case layout::Kind::Button:
      return "QPushButton";
    case layout::Kind::Slider:
      return "QSlider";
    case layout::Kind::ScrollBar:
      return "QScrollBar";
  }
  return "";
}

const layout::Frame* const kFrames[] = {&layout::ConnectionFrame(), &layout::ConfigFrame(),
                                        &layout::RunFrame()};

// The window with every panel shown once, so that each has taken its faces.
struct ShownWindow : WindowBench {
  ShownWindow() {
    view.show();
    find("FrameRun")->show();
  }
};

// The window's controls: its children and its frames'.
QList<QWidget*> WindowControls(WindowBench& b) {
  QList<QWidget*> all = b.view.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (const layout::Frame* frame : kFrames) {
    all << b.find(frame->name)->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  }
  return all;
}

TEST(Layout, TheWindowIsAsLargeAsItsLayout) {
  WindowBench b;
  EXPECT_EQ(b.view.size(), layout::kWindow.pixels().size());
  EXPECT_EQ(QFontInfo(b.view.font()).family(), QLatin1String(layout::kSansFace));
  EXPECT_DOUBLE_EQ(b.view.font().pointSizeF(), layout::kWindowPoints);
}

// Each control of a frame is made as the layout gives it, whole inside its frame, and each
// frame whole inside the window; the hardware box, a child of the window, lies inside the
// Connection group it belongs to.
TEST(Layout, EveryControlLiesInsideItsFrameAndTheWindow) {
  ShownWindow b;
  for (const layout::Frame* frame : kFrames) {
    SCOPED_TRACE(frame->name);
    QWidget* box = b.find(frame->name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), &b.view);
    EXPECT_TRUE(b.view.rect().contains(box->geometry()));
    for (const layout::Item& item : frame->items) {
      SCOPED_TRACE(item.name);
      QWidget* w = b.find(item.name);
      ASSERT_NE(w, nullptr);
      EXPECT_EQ(w->parentWidget(), box);
      EXPECT_STREQ(w->metaObject()->className(), ClassOf(item.kind));
      EXPECT_TRUE(box->rect().contains(w->geometry())) << "out of its frame";
    }
  }
  const QRect hardware = b.find("TxtHardVer")->geometry();
  EXPECT_EQ(b.find("TxtHardVer")->parentWidget(), &b.view);
  EXPECT_TRUE(b.find("FrameConnect")->geometry().contains(hardware));
  EXPECT_TRUE(b.view.rect().contains(b.find("TabStrip1")->geometry()));
}

// A caption keeps its laid top, left and height; at the test's fonts it grows to the right,
// only as far as its text needs. Every other control keeps its laid rectangle.
TEST(Layout, CaptionsGrowRightJustToFitTheirText) {
  ShownWindow b;
  for (const layout::Frame* frame : kFrames) {
    for (const layout::Item& item : frame->items) {
      SCOPED_TRACE(item.name);
      QWidget* w = b.find(item.name);
      const QRect laid = item.place.pixels();
      if (item.kind == layout::Kind::Label) {
        const int needed = std::ceil(QFontMetricsF(w->font()).horizontalAdvance(Shown(w)));
        EXPECT_EQ(w->geometry(),
                  QRect(laid.topLeft(), QSize(std::max(laid.width(), needed), laid.height())));
      } else {
        EXPECT_EQ(w->geometry(), laid);
      }
    }
  }
}

// The face a control asks for is the one it gets: a missing substitute would fall back to
// another face of other widths.
TEST(Layout, EveryControlShowsTheFaceItsLayoutNames) {
  ShownWindow b;
  for (const layout::Frame* frame : kFrames) {
    for (const layout::Item& item : frame->items) {
      SCOPED_TRACE(item.name);
      const QFont font = b.find(item.name)->font();
      EXPECT_EQ(QFontInfo(font).family(),
                QLatin1String(item.face != nullptr ? item.face : layout::kSansFace));
      EXPECT_DOUBLE_EQ(font.pointSizeF(),
                       item.face != nullptr ? item.points : layout::kWindowPoints);
      EXPECT_FALSE(font.bold() || font.italic() || font.underline());
    }
  }
}

// Controls a user works or reads (lists, buttons, text boxes, the slider and the scroll bar,
// the frames) never cover each other, but where laid over one another on purpose. Captions
// are held to their ink, which must stay clear of their neighbours (EveryTextFitsItsControlWhole).
TEST(Layout, ControlsOverlapOnlyWhereLaidOverEachOther) {
  const std::pair<const char*, const char*> meant[] = {
      {"FrameConfig", "FrameRun"},   // the two panels share one place
      {"FrameConfig", "TabStrip1"},  // over the tab strip's page
      {"FrameRun", "TabStrip1"},
      {"TxtHardVer", "FrameConnect"},  // laid over the Connection group
      {"TxtPole", "VSlPole"},          // the pole count's box and its arrows: one spin box
  };
  const auto isMeant = [&meant](const QString& a, const QString& b) {
    for (const auto& [one, other] : meant) {
      if ((a == QLatin1String(one) && b == QLatin1String(other)) ||
          (a == QLatin1String(other) && b == QLatin1String(one)))
        return true;
    }
    return false;
  };
  ShownWindow b;
  int pairs = 0;
  QWidget* const parents[] = {&b.view, b.find("FrameConnect"), b.find("FrameConfig"),
                              b.find("FrameRun")};
  for (QWidget* parent : parents) {
    const QList<QWidget*> children =
        parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < children.size(); ++i) {
      for (qsizetype k = i + 1; k < children.size(); ++k) {
        const QWidget* one = children[i];
        const QWidget* other = children[k];
        if (one->objectName().startsWith(QLatin1String("Label")) ||
            other->objectName().startsWith(QLatin1String("Label")) ||
            one->objectName() == QLatin1String("LbPower") ||
            other->objectName() == QLatin1String("LbPower"))
          continue;
        ++pairs;
        if (!one->geometry().intersects(other->geometry())) continue;
        EXPECT_TRUE(isMeant(one->objectName(), other->objectName()))
            << one->objectName().toStdString() << " covers " << other->objectName().toStdString();
      }
    }
  }
  EXPECT_GT(pairs, 20);  // the pairs were there to compare
}

// A setting's list stands right below the label that names it, and the rows go down in the
// panel's order: a label over another setting's list would invite a wrong pick.
TEST(Layout, EachSettingsListSitsBelowItsOwnLabel) {
  ShownWindow b;
  const QList<QLabel*> labels =
      b.find("FrameConfig")->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
  for (int i = 0; i < kSettingCount; ++i) {
    const SettingInfo& setting = kSettings[static_cast<std::size_t>(i)];
    SCOPED_TRACE(setting.key);
    auto* box = b.find<QComboBox>(b.c().setting(i).name().c_str());
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->parentWidget(), b.find("FrameConfig"));
    // The nearest caption above the list that spans its left edge.
    const QLabel* above = nullptr;
    for (const QLabel* label : labels) {
      const QRect g = label->geometry();
      if (g.center().y() < box->geometry().top() && g.left() <= box->geometry().left() &&
          g.right() >= box->geometry().left() &&
          (above == nullptr || g.bottom() > above->geometry().bottom()))
        above = label;
    }
    ASSERT_NE(above, nullptr);
    EXPECT_EQ(above->text(), QString::number(setting.panelPlace) + QLatin1Char('.') +
                                 QString::fromUtf8(setting.label));
    EXPECT_LE(box->geometry().top() - above->geometry().bottom(), above->height());
    EXPECT_EQ(above->buddy(), box);  // and a reader says so
    for (int k = 0; k < kSettingCount; ++k) {
      const int place = kSettings[static_cast<std::size_t>(k)].panelPlace;
      const int top = b.find(b.c().setting(k).name().c_str())->geometry().top();
      EXPECT_EQ(place < setting.panelPlace, top < box->geometry().top());
    }
  }
}

// The layout's keyboard path holds each control that takes the keyboard once, and no
// control that cannot: one left out would be reached last, out of its place.
TEST(Layout, TabOrderHoldsEveryControlThatTakesTheKeyboardOnce) {
  ShownWindow b;
  std::vector<QString> order;
  for (const char* name : layout::TabOrder()) order.emplace_back(QLatin1String(name));
  QSet<QString> takers;
  for (const QWidget* w : WindowControls(b)) {
    if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) takers.insert(w->objectName());
  }
  ASSERT_GE(takers.size(), 10);
  for (const QString& name : takers) {
    EXPECT_EQ(std::count(order.begin(), order.end(), name), 1) << name.toStdString();
  }
  for (const QString& name : order) {
    EXPECT_NE(b.find(name.toLatin1().constData()), nullptr) << name.toStdString();
  }
  // The settings' lists, in the order of their slots in the settings' table.
  std::vector<QString> settings;
  for (const QString& name : order) {
    for (int i = 0; i < kSettingCount; ++i) {
      if (name == QString::fromStdString(b.c().setting(i).name())) settings.push_back(name);
    }
  }
  ASSERT_EQ(settings.size(), static_cast<std::size_t>(kSettingCount));
  for (int i = 0; i < kSettingCount; ++i) {
    EXPECT_EQ(settings[static_cast<std::size_t>(i)],
              QString::fromStdString(b.c().setting(i).name()));
  }
}

TEST(Layout, OverlappingControlsStackAsLaidOut) {
  WindowBench b;
  b.view.show();  // the tab strip lays out its tabs when shown
  // Later children lie on top; each name lies over the next.
  const char* fromTop[] = {"FrameConfig", "FrameRun", "TxtHardVer", "FrameConnect", "TabStrip1"};
  const QObjectList& stack = b.view.children();
  for (std::size_t i = 0; i + 1 < std::size(fromTop); ++i) {
    SCOPED_TRACE(fromTop[i]);
    EXPECT_GT(stack.indexOf(b.find(fromTop[i])), stack.indexOf(b.find(fromTop[i + 1])));
  }
  // The panels cover the tab strip's page, below its tabs.
  auto* tabs = b.find<QTabWidget>("TabStrip1");
  const QRect tabRow = tabs->tabBar()->geometry().translated(tabs->pos());
  EXPECT_LE(tabRow.bottom(), b.find("FrameConfig")->geometry().top());
  EXPECT_TRUE(tabs->geometry().contains(b.find("FrameConfig")->geometry()));
}

TEST(Layout, SettingsListsHoldTheirEntriesWithItemData) {
  struct List {
    const char* name;
    std::vector<const char*> entries;
  };
  const List lists[] = {
      {"CombCutOffV", {"4.8V", "5.6V *", "6.0V", "7.2V", "8.4V", "9.0V", "11.0V", "12.0V"}},
      {"CombBrake", {"Disable *", "Enable"}},
      {"CombTiming", {"4-10\u00b0", "10-20\u00b0 *", "20-30\u00b0"}},
      {"CombCutOffT", {"Hard Cutoff", "Soft Cutoff *"}},
      {"CombDir", {"Forward *", "Reverse"}},
      {"CombPort", {}},
  };
  WindowBench b;
  for (const List& list : lists) {
    SCOPED_TRACE(list.name);
    auto* box = b.find<QComboBox>(list.name);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isEditable());
    ASSERT_EQ(box->count(), static_cast<int>(list.entries.size()));
    for (int i = 0; i < box->count(); ++i) {
      EXPECT_EQ(box->itemText(i), QString::fromUtf8(list.entries[static_cast<std::size_t>(i)]));
      EXPECT_EQ(box->itemData(i).toInt(), i + 1);
    }
    EXPECT_EQ(box->currentIndex(), -1);
  }
}

TEST(Layout, InitialStateFlagsAndRanges) {
  WindowBench b;
  EXPECT_TRUE(b.view.windowTitle().isEmpty());
  EXPECT_FALSE(b.find("FrameRun")->isHidden());
  EXPECT_TRUE(b.find("FrameConfig")->isHidden());
  EXPECT_FALSE(b.find("FrameConnect")->isHidden());
  EXPECT_TRUE(b.find("CmdSave")->isHidden());
  EXPECT_TRUE(b.find("CmdLoad")->isHidden());
  EXPECT_FALSE(b.find("CmdReset")->isHidden());

  const QColor white = b.view.palette().color(QPalette::Base);
  for (const char* name : {"TxtConnState", "TxtFirmVer", "TxtHardVer", "TxtPole", "TxtRev"}) {
    SCOPED_TRACE(name);
    auto* box = b.find<QLabel>(name);
    EXPECT_FALSE(box->textInteractionFlags() & Qt::TextEditable);
    EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_NE(box->frameShape(), QFrame::NoFrame);
    const bool status = QByteArray(name) != "TxtPole" && QByteArray(name) != "TxtRev";
    // The pole count is one stop, its scroll bar: its text takes the focus from a click only.
    EXPECT_EQ(box->focusPolicy(), QByteArray(name) == "TxtRev" ? Qt::StrongFocus : Qt::ClickFocus);
    EXPECT_TRUE(box->autoFillBackground());
    const QColor background = box->palette().color(box->backgroundRole());
    EXPECT_EQ(background, status ? b.view.palette().color(QPalette::Button) : white);
  }
  EXPECT_EQ(b.find<QLabel>("TxtPole")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(b.find<QLabel>("TxtRev")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

  auto* slider = b.find<QSlider>("SldPower");
  EXPECT_EQ(slider->orientation(), Qt::Horizontal);
  EXPECT_EQ(slider->minimum(), 0);
  EXPECT_EQ(slider->maximum(), 200);
  EXPECT_EQ(slider->value(), 0);
  EXPECT_EQ(slider->singleStep(), 1);
  EXPECT_EQ(slider->pageStep(), 5);
  EXPECT_EQ(slider->tickInterval(), 10);
  EXPECT_EQ(slider->tickPosition(), QSlider::TicksAbove);

  auto* poles = b.find<QScrollBar>("VSlPole");
  EXPECT_EQ(poles->orientation(), Qt::Vertical);
  // Twelve even counts from 2 to 24, one bar step each, 2 at the bottom.
  EXPECT_EQ(poles->maximum() - poles->minimum(), 11);
  EXPECT_EQ(poles->value(), poles->maximum());
  EXPECT_EQ(poles->singleStep(), 1);
  EXPECT_EQ(poles->pageStep(), 1);

  auto* tabs = b.find<QTabWidget>("TabStrip1");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), QLatin1String("&Config"));
  EXPECT_EQ(tabs->tabText(1), QLatin1String(" &Run"));
  EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST(Layout, WindowIsFixedCentredAndCarriesItsPictures) {
  WindowBench b;
  EXPECT_EQ(b.view.size(), QSize(381, 463));
  EXPECT_EQ(b.view.minimumSize(), b.view.maximumSize());
  EXPECT_FALSE(b.view.windowFlags() & Qt::WindowMaximizeButtonHint);
  b.view.show();
  const QRect screen = b.view.screen()->availableGeometry();
  EXPECT_LE((b.view.frameGeometry().center() - screen.center()).manhattanLength(), 40);

  // The icons come once the window has painted, for every window of the program.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !b.view.windowIcon().isNull(); }, 5000));
  EXPECT_TRUE(b.view.windowIcon().availableSizes().contains(QSize(32, 32)));
  EXPECT_TRUE(b.view.windowIcon().availableSizes().contains(QSize(256, 256)));
  const QImage icon(QStringLiteral(":/morvane/morvane-esc-config.png"));
  EXPECT_EQ(icon.size(), QSize(32, 32));
  EXPECT_LE(icon.colorCount(), 16);

  for (const char* name : {"Image1", "Image2"}) {
    SCOPED_TRACE(name);
    const QImage logo =
        b.find<QLabel>(name)->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(logo.size(), QSize(300, 22));
    QSet<QRgb> colours;
    for (int y = 0; y < logo.height(); ++y) {
      for (int x = 0; x < logo.width(); ++x) colours.insert(logo.pixel(x, y));
    }
    EXPECT_EQ(colours, (QSet<QRgb>{qRgba(0, 0, 0, 0), qRgb(0, 128, 192)}));
  }
}

// Tab goes round the controls that take it, shown and enabled, in the layout's order.
TEST(Layout, TabKeyVisitsTheShownControlsInTabOrder) {
  for (const int tab : {1, 2}) {
    SCOPED_TRACE(tab);
    WindowBench b;
    b.form.Load();
    b.c().TxtConnState.setText("Connected");  // the throttle takes the focus only then
    b.view.show();
    b.view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b.view));
    b.c().TabStrip1.clickTab(tab);
    std::vector<QString> expected;
    for (const char* name : layout::TabOrder()) {
      const QWidget* w = b.find(name);
      if (w->isVisibleTo(&b.view) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
        expected.emplace_back(QLatin1String(name));
    }
    ASSERT_GE(expected.size(), 4u);
    ASSERT_EQ(expected.front(), QLatin1String("CombPort"));
    expected.push_back(expected.front());  // and round again
    b.find("CombPort")->setFocus();
    std::vector<QString> visited{ControlName(QApplication::focusWidget())};
    while (visited.size() < expected.size()) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.push_back(ControlName(QApplication::focusWidget()));
    }
    EXPECT_EQ(visited, expected);
  }
}

}  // namespace

namespace {

QRect ComboRoom(const QComboBox* box) {
  QStyleOptionComboBox option;
  option.initFrom(box);
  option.editable = false;
  option.frame = true;
  option.subControls = QStyle::SC_All;
  return box->style()
      ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
      .adjusted(1, 0, -1, 0);
}

// Where a text's glyphs fall across its room, placed as the alignment puts them.
QRectF Ink(const QFont& font, const QString& text, const QRect& room, Qt::Alignment align) {
  QString plain = text;
  plain.remove(QLatin1Char('&'));  // an access key's marker is not drawn
  const QFontMetricsF fm(font);
  const qreal advance = fm.horizontalAdvance(plain);
  qreal x = room.left();
  if (align & Qt::AlignRight) {
    x = room.left() + room.width() - advance;
  } else if (align & Qt::AlignHCenter) {
    x = room.left() + (room.width() - advance) / 2;
  }
  qreal top = room.top();
  if (align & Qt::AlignBottom) {
    top = room.top() + room.height() - fm.height();
  } else if (align & Qt::AlignVCenter) {
    top = room.top() + (room.height() - fm.height()) / 2;
  }
  return fm.tightBoundingRect(plain).translated(x, top + fm.ascent());
}

// A label's text as drawn, in the window's coordinates.
QRectF InkInWindow(WindowBench& b, const QLabel* label) {
  const QRect room = label->contentsRect().translated(label->mapTo(&b.view, QPoint(0, 0)));
  return Ink(label->font(), label->text(), room, label->alignment());
}

// A caption grown past its laid width must not write over the control beside it (a text
// box's text, any other control whole): its frame's other controls, and the hardware box
// laid over the Connection group.
void ExpectClearOfNeighbours(WindowBench& b, const QLabel* label) {
  if (label->parentWidget() == &b.view) return;  // the hardware box lies over a frame
  const QRectF ink = InkInWindow(b, label);
  QList<QWidget*> neighbours =
      label->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  neighbours << b.find("TxtHardVer");
  for (const QWidget* other : neighbours) {
    if (other == label || other->objectName().startsWith(QLatin1String("Image"))) continue;
    const auto* text = qobject_cast<const QLabel*>(other);
    const QRectF place = text != nullptr
                             ? InkInWindow(b, text)
                             : QRectF(other->mapTo(&b.view, QPoint(0, 0)), QSizeF(other->size()));
    EXPECT_FALSE(ink.intersects(place))
        << label->objectName().toStdString() << " \"" << label->text().toStdString()
        << "\" runs into " << other->objectName().toStdString();
  }
}

}  // namespace

// Whole: every glyph's ink lies inside the room, placed as the alignment puts the text,
// and the room is a full line high.
void ExpectFits(const QFont& font, const QString& text, const QRect& room, Qt::Alignment align,
                const QString& where) {
  SCOPED_TRACE(testing::Message() << where.toStdString() << " \"" << text.toStdString() << "\"");
  const QFontMetricsF fm(font);
  const QRectF ink = Ink(font, text, room, align);
  EXPECT_GE(ink.left(), room.left());
  EXPECT_LE(ink.right(), room.left() + room.width());
  EXPECT_LE(std::ceil(fm.height()), room.height());
}

void ExpectAllTextsFit(WindowBench& b) {
  for (auto* label : b.view.findChildren<QLabel*>()) {
    ExpectFits(label->font(), label->text(), label->contentsRect(), label->alignment(),
               label->objectName());
    if (!label->text().isEmpty()) ExpectClearOfNeighbours(b, label);
  }
  for (auto* box : b.view.findChildren<QComboBox*>()) {
    for (int i = 0; i < box->count(); ++i)
      ExpectFits(box->font(), box->itemText(i), ComboRoom(box), Qt::AlignLeft, box->objectName());
  }
  for (auto* button : b.view.findChildren<QPushButton*>()) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_LE(button->sizeHint().width(), button->width());
    EXPECT_LE(button->sizeHint().height(), button->height());
  }
  for (auto* frame : b.view.findChildren<QGroupBox*>()) {
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.lineWidth = 1;
    option.textAlignment = frame->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, frame);
    EXPECT_TRUE(frame->rect().contains(title));
    ExpectFits(frame->font(), frame->title(), title, Qt::AlignLeft, frame->objectName());
  }
  auto* tabs = b.find<QTabWidget>("TabStrip1");
  for (int i = 0; i < tabs->count(); ++i) {
    const QRect tab = tabs->tabBar()->tabRect(i);
    EXPECT_LE(tab.right(), tabs->width());
    ExpectFits(tabs->tabBar()->font(), tabs->tabText(i), tab, Qt::AlignHCenter, tabs->objectName());
  }
}

namespace {

TEST(Layout, EveryTextFitsItsControlWhole) {
  WindowBench b;
  for (int n = 1; n <= 16; ++n) b.line.addPort(n);  // up to "COM16"
  b.form.Load();
  b.view.show();
  b.find("FrameRun")->show();  // its faces come with its first show
  ExpectAllTextsFit(b);

  // The widest texts the logic writes at run time.
  Controls& c = b.c();
  c.TxtConnState.setText("Unconnected");
  c.TxtFirmVer.setText("V65.535");
  c.TxtRev.setText("398671");
  c.TxtPole.setText("24");
  c.LbPower.setText("200");
  for (const char* model : {"5A", "10A", "18A", "25A", "35A", "50A"}) {
    c.TxtHardVer.setText(std::string("MORVANE QR-") + model + " V1.499");
    ExpectAllTextsFit(b);
  }
}

}  // namespace
}  // namespace morvane::test
