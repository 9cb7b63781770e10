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

#include "window_bench.h"

namespace morvane::test {
namespace {

int Px(int twips) {
  return static_cast<int>(std::lround(twips / 15.0));
}

// The text a widget shows, whatever its kind.
QString Shown(const QWidget* w) {
  if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (const auto* button = qobject_cast<const QPushButton*>(w)) return button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(w)) return frame->title();
  return {};
}

struct Placed {
  const char* name;
  const char* parent;
  const char* className;
  int left, top, width, height;  // twips, in the parent's coordinates
  const char* text;              // nullptr: the control shows no text of its own
  const char* family = "Liberation Sans";
  double points = 8.25;
};

const Placed kLayout[] = {
    {"FrameConfig", "FormMVconfig", "QGroupBox", 120, 1680, 5415, 5055, "Config"},
    {"FrameRun", "FormMVconfig", "QGroupBox", 120, 1680, 5415, 5055, "Run"},
    {"TxtHardVer", "FormMVconfig", "QLabel", 3360, 420, 2175, 300, "Unknown"},
    {"FrameConnect", "FormMVconfig", "QGroupBox", 100, 120, 5500, 1095, "Connection"},
    {"TabStrip1", "FormMVconfig", "QTabWidget", 105, 1320, 5505, 5535, nullptr},
    {"Label1", "FrameConnect", "QLabel", 650, 300, 405, 255, "Port:"},
    {"CombPort", "FrameConnect", "QComboBox", 1080, 240, 975, 315, nullptr},
    {"Label4", "FrameConnect", "QLabel", 2400, 300, 760, 255, "Hardware:"},
    {"Label2", "FrameConnect", "QLabel", 485, 720, 585, 255, "Status:"},
    {"TxtConnState", "FrameConnect", "QLabel", 1080, 720, 1000, 300, "Unconnected"},
    {"Label3", "FrameConnect", "QLabel", 2455, 720, 675, 255, "Firmware:"},
    {"TxtFirmVer", "FrameConnect", "QLabel", 3260, 720, 2175, 300, "Unknown"},
    {"Label5", "FrameConfig", "QLabel", 720, 360, 1575, 255, "1.Cutoff Voltage"},
    {"CombCutOffV", "FrameConfig", "QComboBox", 870, 600, 1575, 315, nullptr},
    {"Label7", "FrameConfig", "QLabel", 720, 1200, 1335, 255, "2.Brake"},
    {"CombBrake", "FrameConfig", "QComboBox", 870, 1440, 1575, 315, nullptr},
    {"Label8", "FrameConfig", "QLabel", 720, 2040, 1455, 255, "3.Timing Advance"},
    {"CombTiming", "FrameConfig", "QComboBox", 870, 2280, 1575, 315, nullptr},
    {"Label6", "FrameConfig", "QLabel", 720, 2880, 1575, 255, "4.Cutoff Type"},
    {"CombCutOffT", "FrameConfig", "QComboBox", 870, 3120, 1575, 315, nullptr},
    {"Label9", "FrameConfig", "QLabel", 720, 3720, 1695, 255, "5.Rotation Direction"},
    {"CombDir", "FrameConfig", "QComboBox", 870, 3960, 1575, 315, nullptr},
    {"CmdSave", "FrameConfig", "QPushButton", 3240, 960, 1695, 495, "&Save to file"},
    {"CmdLoad", "FrameConfig", "QPushButton", 3240, 1560, 1695, 495, "&Load from file"},
    {"CmdReset", "FrameConfig", "QPushButton", 3120, 2180, 1575, 495, "R&estore Default"},
    {"Image1", "FrameConfig", "QLabel", 520, 4560, 4500, 330, ""},
    {"Label14", "FrameRun", "QLabel", 840, 645, 2415, 375,
     "Motor Magnet Poles:", "Liberation Serif", 14.25},
    {"TxtPole", "FrameRun", "QLabel", 3240, 600, 375, 360, "2", "Liberation Sans", 12},
    {"VSlPole", "FrameRun", "QScrollBar", 3600, 595, 300, 360, nullptr},
    {"Label12", "FrameRun", "QLabel", 840, 1920, 615, 375, "Rev:", "Liberation Serif", 15.75},
    {"TxtRev", "FrameRun", "QLabel", 1560, 1680, 2055, 750, "0", "DejaVu Sans", 26.25},
    {"Label10", "FrameRun", "QLabel", 3720, 1920, 1215, 405, "r/min", "Liberation Serif", 15.75},
    {"Label13", "FrameRun", "QLabel", 840, 3120, 1095, 375, "Throttle:", "Liberation Serif", 15.75},
    {"LbPower", "FrameRun", "QLabel", 1920, 3075, 735, 375, "0", "DejaVu Sans", 15.75},
    {"Label11", "FrameRun", "QLabel", 870, 3555, 375, 255, "0 "},
    {"Label15", "FrameRun", "QLabel", 1700, 3555, 375, 255, "50"},
    {"Label16", "FrameRun", "QLabel", 2500, 3555, 375, 255, "100"},
    {"Label17", "FrameRun", "QLabel", 3380, 3555, 375, 255, "150"},
    {"Label18", "FrameRun", "QLabel", 4230, 3555, 375, 255, "200"},
    {"SldPower", "FrameRun", "QSlider", 720, 3720, 3855, 495, nullptr},
    {"Image2", "FrameRun", "QLabel", 520, 4560, 4500, 330, ""},
};

TEST(Layout, EveryControlHasItsNamePlaceTextAndFont) {
  WindowBench b;
  b.view.show();  // the Run panel takes its faces when it is first shown
  for (const Placed& p : kLayout) {
    SCOPED_TRACE(p.name);
    QWidget* w = b.find(p.name);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), p.className);
    ASSERT_NE(w->parentWidget(), nullptr);
    EXPECT_EQ(w->parentWidget()->objectName(), QLatin1String(p.parent));
    const QRect laid(Px(p.left), Px(p.top), Px(p.width), Px(p.height));
    if (QByteArray(p.name).startsWith("Label")) {
      // A caption wider in the substitute face grows to the right, just enough.
      const int needed = std::ceil(QFontMetricsF(w->font()).horizontalAdvance(Shown(w)));
      EXPECT_EQ(w->geometry(),
                QRect(laid.topLeft(), QSize(std::max(laid.width(), needed), laid.height())));
    } else {
      EXPECT_EQ(w->geometry(), laid);
    }
    if (p.text != nullptr) {
      EXPECT_EQ(Shown(w), QString::fromUtf8(p.text));
    }
    EXPECT_EQ(QFontInfo(w->font()).family(), QLatin1String(p.family));
    EXPECT_DOUBLE_EQ(w->font().pointSizeF(), p.points);
    EXPECT_FALSE(w->font().bold() || w->font().italic() || w->font().underline());
  }
  EXPECT_EQ(QFontInfo(b.view.font()).family(), QLatin1String("Liberation Sans"));
  EXPECT_DOUBLE_EQ(b.view.font().pointSizeF(), 8.25);
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

TEST(Layout, TabKeyVisitsTheShownControlsInTabOrder) {
  struct Case {
    int tab;
    std::vector<const char*> order;
  };
  const Case cases[] = {
      {1,
       {"CombPort", "TabStrip1", "CombCutOffV", "CombCutOffT", "CombBrake", "CombTiming", "CombDir",
        "CmdReset", "CombPort"}},
      // The pole count is one stop: its scroll bar, which says the count.
      {2, {"CombPort", "TabStrip1", "VSlPole", "SldPower", "TxtRev", "CombPort"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tab);
    WindowBench b;
    b.form.Load();
    b.c().TxtConnState.setText("Connected");  // the throttle takes the focus only then
    b.view.show();
    b.view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b.view));
    b.c().TabStrip1.clickTab(c.tab);
    b.find("CombPort")->setFocus();
    std::vector<QString> visited{ControlName(QApplication::focusWidget())};
    while (visited.size() < c.order.size()) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.push_back(ControlName(QApplication::focusWidget()));
    }
    std::vector<QString> expected(c.order.begin(), c.order.end());
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
