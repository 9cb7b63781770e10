// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in both windows (walked through QAccessible), what it is told
// as things change, the keyboard's way into the context menus, and the themes: picked,
// remembered, and readable, with the text contrast measured on the rendered pixels.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "view/accessibility.h"
#include "view/motor_test_window.h"
#include "view/themes.h"
#include "window_bench.h"

namespace morvane::test {
namespace {

void Walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit) {
  if (node == nullptr) return;
  visit(node);
  for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), visit);
}

bool Interactive(QAccessible::Role role) {
  switch (role) {
    case QAccessible::ComboBox:
    case QAccessible::Slider:
    case QAccessible::ScrollBar:
    case QAccessible::SpinBox:
    case QAccessible::PushButton:
    case QAccessible::PageTab:
    case QAccessible::EditableText:
    case QAccessible::Table:
    case QAccessible::CheckBox:
      return true;
    default:
      return false;
  }
}

struct Heard {
  QString name, description, value;
};

// Every interactive control a screen reader reaches, by its object's name; hidden ones too
// (the other tab's), as a reader finds them once their tab is shown.
std::map<QString, Heard> WalkControls(QWidget& window) {
  std::map<QString, Heard> heard;
  Walk(QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface* node) {
    if (!Interactive(node->role())) return;
    QString key = node->object() != nullptr ? node->object()->objectName() : QString();
    if (node->role() == QAccessible::PageTab) key = QStringLiteral("tab ") + node->text(QAccessible::Name);
    const QString name = node->text(QAccessible::Name);
    // A name that is the control's value ("COM1", "Forward *") or its panel's title says
    // nothing of what the control changes.
    EXPECT_FALSE(name.trimmed().isEmpty()) << key.toStdString() << " has no name";
    if (node->role() != QAccessible::PushButton && node->role() != QAccessible::PageTab &&
        node->role() != QAccessible::Table) {
      EXPECT_NE(name, node->text(QAccessible::Value)) << key.toStdString();
    }
    if (node->role() != QAccessible::PageTab) {
      EXPECT_NE(name, QLatin1String("Run")) << key.toStdString();
    }
    heard[key] = {name, node->text(QAccessible::Description), node->text(QAccessible::Value)};
  });
  return heard;
}

TEST(Accessible, EveryControlOfBothWindowsIsNamedForWhatItSetsOrShows) {
  WindowBench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  const std::map<QString, Heard> heard = WalkControls(b.view);

  const struct {
    const char* control;
    const char* name;
    const char* value;  // nullptr: not checked
  } kExpected[] = {
      {"CombPort", "Port", "COM1"},
      {"TxtConnState", "Status", "Connected"},
      {"TxtHardVer", "Hardware", nullptr},
      {"TxtFirmVer", "Firmware", nullptr},
      {"CombCutOffV", "Cutoff Voltage", "5.6V *"},
      {"CombBrake", "Brake", "Disable *"},
      {"CombTiming", "Timing Advance", nullptr},
      {"CombCutOffT", "Cutoff Type", "Soft Cutoff *"},
      {"CombDir", "Rotation Direction", "Forward *"},
      {"CmdReset", "Restore Default", nullptr},
      {"SldPower", "Throttle", "0"},
      {"VSlPole", "Motor Magnet Poles", "2"},
      {"TxtPole", "Motor Magnet Poles", "2"},
      {"TxtRev", "Speed (r/min)", "0"},
      {"tab Config", "Config", nullptr},
      {"tab Run", "Run", nullptr},
  };
  for (const auto& e : kExpected) {
    SCOPED_TRACE(e.control);
    const auto it = heard.find(QLatin1String(e.control));
    ASSERT_NE(it, heard.end());
    EXPECT_EQ(it->second.name, QLatin1String(e.name));
    if (e.value != nullptr) {
      EXPECT_EQ(it->second.value, QString::fromUtf8(e.value));
    }
    if (QByteArray(e.control).startsWith("tab ")) continue;
    EXPECT_FALSE(it->second.description.isEmpty());
  }
  // The control that starts a motor tells its rule.
  const QString rule = heard.at(QStringLiteral("SldPower")).description;
  EXPECT_TRUE(rule.contains(QLatin1String("Disabled until an ESC is connected"))) << rule.toStdString();
  EXPECT_TRUE(rule.contains(QLatin1String("Esc stops the motor"))) << rule.toStdString();

  // The pole count is told and set as a count, whichever way its scroll bar runs.
  auto* poles = QAccessible::queryAccessibleInterface(b.find("VSlPole"));
  ASSERT_NE(poles->valueInterface(), nullptr);
  EXPECT_EQ(poles->valueInterface()->minimumValue().toInt(), 2);
  EXPECT_EQ(poles->valueInterface()->maximumValue().toInt(), 24);
  poles->valueInterface()->setCurrentValue(14);
  EXPECT_EQ(b.c().VSlPole.value(), 14);
  EXPECT_EQ(poles->text(QAccessible::Value), QLatin1String("14"));

  // The labels say which control they stand for.
  auto* port = QAccessible::queryAccessibleInterface(b.find("CombPort"));
  const auto labelledBy = port->relations(QAccessible::Label);
  EXPECT_TRUE(std::any_of(labelledBy.begin(), labelledBy.end(),
                          [&](const auto& r) { return r.first->object() == b.find("Label1"); }));

  // The tabs are counted as a reader says them ("1 of 2"), without the strip's scroll buttons.
  QAccessibleInterface* strip =
      QAccessible::queryAccessibleInterface(b.find<QTabWidget>("TabStrip1")->tabBar());
  ASSERT_EQ(strip->childCount(), 2);
  EXPECT_EQ(strip->child(1)->text(QAccessible::Name), QStringLiteral("Run"));
  EXPECT_EQ(strip->indexOfChild(strip->child(1)), 1);

  MotorTestWindow motor(b.form, b.clock);
  const std::map<QString, Heard> motorHeard = WalkControls(motor);
  for (const char* name : {"from", "to", "step", "settle", "samples", "maximum", "record",
                           "start", "stop", "saveTable", "sweepTable"}) {
    EXPECT_TRUE(motorHeard.count(QLatin1String(name))) << name;
  }
  // Named by their captions, as a reader says them: no colon, no access key.
  EXPECT_EQ(motorHeard.at(QStringLiteral("maximum")).name, QLatin1String("Maximum throttle"));
  EXPECT_EQ(motorHeard.at(QStringLiteral("from")).name, QLatin1String("From throttle"));
}

// The texts told, by the box they were told of. Offscreen no assistive technology listens,
// and Qt drops what nobody hears: the test listens where the program tells.
std::vector<std::pair<QObject*, QString>>* told = nullptr;

// What was announced, in order, whatever the box.
QStringList* said = nullptr;

void Record(QAccessibleEvent* event) {
  if (told != nullptr && event->type() == QAccessible::TextUpdated) {
    told->push_back({event->object(), static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted()});
  }
  if (told != nullptr && event->type() == QAccessible::ValueChanged) {
    told->push_back({event->object(),
                     static_cast<QAccessibleValueChangeEvent*>(event)->value().toString()});
  }
  if (const QString text = AnnouncedText(event); said != nullptr && !text.isEmpty()) {
    said->append(text);
  }
}

class Listening : public ::testing::Test {
 protected:
  void SetUp() override {
    told = &events;
    said = &announced;
    SetAnnouncementSink(Record);
  }
  void TearDown() override {
    SetAnnouncementSink(nullptr);
    told = nullptr;
    said = nullptr;
  }
  QStringList announced;
  QStringList toldOf(QWidget* box) const {
    QStringList texts;
    for (const auto& [object, text] : events) {
      if (object == box) texts.append(text);
    }
    return texts;
  }
  std::vector<std::pair<QObject*, QString>> events;
};

TEST_F(Listening, TheConnectionIsToldAtOnceTheSpeedAtMostOnceASecond) {
  WindowBench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_EQ(toldOf(b.find("TxtConnState")), QStringList{QStringLiteral("Connected")});

  b.c().TabStrip1.clickTab(2);
  for (int v = 5; v <= 100; v += 5) b.c().SldPower.setValue(v);

  int changes = 0;
  const auto counting = b.c().TxtRev.changed.subscribe([&] { ++changes; });
  const std::int64_t from = b.clock.elapsedMs();
  b.clock.runFor(Ms(5000));
  const std::int64_t seconds = (b.clock.elapsedMs() - from) / 1000;
  const auto speedTold = toldOf(b.find("TxtRev")).size();
  EXPECT_GT(changes, 3 * seconds) << "the speed should change at each reply";
  EXPECT_GE(speedTold, 1);
  EXPECT_LE(speedTold, seconds + 1);
}

// What nobody can see happen is said, politely: the ESC found and lost, a keyboard pick, a
// stop by Escape or by a loss. Nothing is said of what the program sets by itself.
TEST_F(Listening, WhatHappensUnseenIsSaid) {
  WindowBench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  b.view.show();
  ASSERT_TRUE(b.connectAndRead());
  ASSERT_FALSE(announced.isEmpty());
  EXPECT_TRUE(announced.last().startsWith(QStringLiteral("Connected: MORVANE QR-18A")))
      << announced.last().toStdString();
  EXPECT_EQ(announced.size(), 1) << "the settings read from the ESC are not said";

  QTest::keyClick(b.find("CombCutOffV"), Qt::Key_Down);
  EXPECT_EQ(announced.last(), QStringLiteral("6.0V"));

  b.c().TabStrip1.clickTab(2);
  b.c().SldPower.setValue(30);
  QTest::keyClick(b.find("SldPower"), Qt::Key_Escape);
  EXPECT_EQ(announced.last(), QStringLiteral("Motor stopped (Escape)."));
  EXPECT_EQ(b.c().SldPower.value(), 0);

  b.c().SldPower.setValue(30);
  b.clock.runFor(Ms(500));
  b.line.detachEsc(1);
  b.clock.runFor(Ms(2000));
  EXPECT_EQ(announced.last(), QStringLiteral("Unconnected: the ESC stopped answering. Motor stopped."));
}

TEST(Keyboard, OnlyAKeyPressedOnTheSliderMovesTheThrottle) {
  WindowBench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  b.view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.view));
  ASSERT_TRUE(b.connectAndRead());
  auto* bar = b.find<QTabWidget>("TabStrip1")->tabBar();
  auto* slider = b.find<QSlider>("SldPower");
  const auto repeat = [slider](int times) {
    for (int i = 0; i < times; ++i) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
      QApplication::sendEvent(slider, &press);
    }
  };
  bar->setFocus();
  QTest::keyPress(bar, Qt::Key_Right);  // switches to Run, the slider takes the focus
  ASSERT_EQ(QApplication::focusWidget(), slider);
  repeat(6);  // the same key, still down
  EXPECT_EQ(b.c().SldPower.value(), 0);
  // Auto-repeat that Qt did not mark: a release and a press at once.
  QTest::keyRelease(slider, Qt::Key_Right);
  QTest::keyPress(slider, Qt::Key_Right);
  EXPECT_EQ(b.c().SldPower.value(), 0);
  QTest::keyRelease(slider, Qt::Key_Right);

  QTest::qWait(150);  // let go for longer than any auto-repeat leaves it
  QTest::keyPress(slider, Qt::Key_Right);  // pressed anew on the slider
  repeat(2);
  EXPECT_EQ(b.c().SldPower.value(), 3);
  QTest::keyRelease(slider, Qt::Key_Right);
}

TEST(Keyboard, CtrlTabAndCtrlPageKeysSwitchTabsFromAnyControl) {
  WindowBench b;
  b.form.Load();
  b.view.show();
  b.view.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&b.view));
  const struct {
    QKeyCombination keys;
    int tab;
  } kSteps[] = {{Qt::CTRL | Qt::Key_Tab, 2},      {Qt::CTRL | Qt::Key_Tab, 1},
                {Qt::CTRL | Qt::Key_PageDown, 2}, {Qt::CTRL | Qt::Key_PageUp, 1},
                {Qt::CTRL | Qt::Key_PageUp, 2},   {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 1}};
  b.find("CombCutOffV")->setFocus();
  for (const auto& step : kSteps) {
    QTest::keyClick(QApplication::focusWidget(), step.keys.key(), step.keys.keyboardModifiers());
    EXPECT_EQ(b.c().TabStrip1.selectedItem(), step.tab) << step.keys.toCombined();
  }
}

TEST(Keyboard, ShiftF10OpensTheFocusedControlsContextMenu) {
  WindowBench b;
  InstallThemeMenu(b.view);
  b.form.Load();
  b.view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.view));
  // A list, a scroll bar and a read-only text have menus of Qt's own: the panel's is meant.
  for (const char* name : {"CombCutOffV", "CmdReset", "VSlPole", "TxtHardVer"}) {
    SCOPED_TRACE(name);
    QWidget* focus = b.find(name);
    b.c().TabStrip1.clickTab(QByteArray(name) == "VSlPole" ? 2 : 1);
    focus->setFocus();
    QStringList offered;
    bool chosen = false;
    // Once the menu has started, which chooses its first entry when the keyboard opened it.
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr || !menu->isVisible()) return;
      for (QAction* a : menu->actions()) offered.append(a->text());
      chosen = menu->activeAction() != nullptr;
      look.stop();
      while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    look.start(10);
    QTest::keyClick(focus, Qt::Key_F10, Qt::ShiftModifier);
    look.stop();
    EXPECT_TRUE(offered.contains(QStringLiteral("T&heme"))) << offered.join(u',').toStdString();
    EXPECT_TRUE(chosen) << "a reader says the entry chosen, and so the menu";
    // The key went to the menu, not to the control.
    EXPECT_EQ(b.c().CombCutOffV.listIndex(), 1);
  }
}

// WCAG's relative luminance and contrast ratio.
double Luminance(QColor c) {
  const auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(QColor a, QColor b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Themes, APickFromTheMenuAppliesIsRememberedAndRecoloursWhatTheProgramDraws) {
  WindowBench b;
  QAction* entry = InstallThemeMenu(b.view);
  b.view.show();  // a palette reaches the windows that are shown
  EXPECT_TRUE(b.view.actions().contains(entry));
  auto* logo = b.find<QLabel>("Image1");

  for (const char* name : {"dark", "high-contrast", "bright", "light", "system"}) {
    SCOPED_TRACE(name);
    QAction* pick = entry->menu()->findChild<QAction*>(QStringLiteral("theme-") + QLatin1String(name));
    ASSERT_NE(pick, nullptr);
    pick->trigger();
    QCoreApplication::processEvents();  // the palette reaches the widgets as a posted event
    const Theme theme = *ThemeNamed(name);
    EXPECT_EQ(AppliedTheme(), theme);
    EXPECT_EQ(RememberedTheme(), theme);
    const QPalette palette = QApplication::palette();
    EXPECT_EQ(b.view.palette().color(QPalette::Window), palette.color(QPalette::Window));
    // Balloons take the theme too, readable as the window's texts are.
    const QPalette tips = QToolTip::palette();
    EXPECT_EQ(tips.color(QPalette::ToolTipBase), palette.color(QPalette::ToolTipBase));
    EXPECT_GE(Contrast(tips.color(QPalette::ToolTipText), tips.color(QPalette::ToolTipBase)),
              theme == Theme::HighContrast ? 7.0 : 4.5);
    // The status boxes keep the button face of whichever palette.
    auto* state = b.find<QLabel>("TxtConnState");
    EXPECT_EQ(state->palette().color(state->backgroundRole()), palette.color(QPalette::Button));
    // The logo's lettering in the palette's accent: still the layout's blue in light.
    const QImage shown = logo->pixmap().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        if (qAlpha(shown.pixel(x, y)) == 255) colours.insert(shown.pixel(x, y));
      }
    }
    ASSERT_EQ(colours.size(), 1);
    const QColor lettering = QColor::fromRgb(*colours.begin());
    EXPECT_EQ(lettering, DrawnColorsFor(palette).logo);
    if (theme == Theme::Light || theme == Theme::System) {
      EXPECT_EQ(lettering, QColor(0, 128, 192));
    }
  }
}

// Where the settings file cannot be written, the pick holds for this run and a balloon over
// the window says once that it is not remembered.
TEST(Themes, APickThatCannotBeRememberedIsToldOnceInABalloon) {
  WindowBench b;
  QAction* entry = InstallThemeMenu(b.view);
  b.view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.view));
  const auto pick = [&](const char* name) {
    entry->menu()->findChild<QAction*>(QStringLiteral("theme-") + QLatin1String(name))->trigger();
  };
  // The settings' folder is a file, as a user's broken or read-only home would have it.
  const QString kept =
      QFileInfo(QSettings(QSettings::IniFormat, QSettings::UserScope, "m", "t").fileName())
          .dir()
          .absolutePath()
          .section('/', 0, -2);
  const QTemporaryDir dir;
  QFile blocker(dir.filePath("not-a-folder"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, blocker.fileName());

  pick("dark");
  EXPECT_EQ(AppliedTheme(), Theme::Dark);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_TRUE(QToolTip::text().startsWith("The theme could not be remembered for the next start: "))
      << QToolTip::text().toStdString();
  EXPECT_TRUE(QToolTip::text().contains(blocker.fileName())) << QToolTip::text().toStdString();
  QToolTip::hideText();
  ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
  pick("system");
  EXPECT_EQ(AppliedTheme(), Theme::System);
  EXPECT_FALSE(QToolTip::isVisible()) << "once is enough";

  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, kept);
  pick("system");
  EXPECT_EQ(RememberedTheme(), Theme::System);
}

// The text's contrast in a region of a screenshot: the commonest colour is the ground, the
// text the ink farthest from it, taken at the third pixel of the region, so that a stray
// pixel does not count; the anti-aliased edges of the letters lie between.
double TextContrast(const QImage& image, QRect region) {
  std::map<QRgb, int> counts;
  region = region.intersected(image.rect());
  for (int y = region.top(); y <= region.bottom(); ++y) {
    for (int x = region.left(); x <= region.right(); ++x) ++counts[image.pixel(x, y) | 0xff000000u];
  }
  if (counts.empty()) return 0;
  const QRgb ground = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                        return a.second < b.second;
                      })->first;
  std::vector<std::pair<double, int>> inks;
  for (const auto& [colour, n] : counts) inks.push_back({Contrast(QColor(colour), QColor(ground)), n});
  std::sort(inks.rbegin(), inks.rend());
  int pixels = 0;
  for (const auto& [contrast, n] : inks) {
    pixels += n;
    if (pixels >= 3) return contrast;
  }
  return 1;
}

struct Measured {
  QString where;
  double contrast;
};

// Every text shown in a window, each in its own region of the window's screenshot.
std::vector<Measured> MeasureTexts(QWidget& window, const QImage& shot) {
  std::vector<Measured> found;
  const auto add = [&](QWidget* w, QRect local, const QString& what) {
    const QRect r(w->mapTo(&window, local.topLeft()), local.size());
    found.push_back({QStringLiteral("%1 at %2,%3 %4x%5")
                         .arg(what)
                         .arg(r.x())
                         .arg(r.y())
                         .arg(r.width())
                         .arg(r.height()),
                     TextContrast(shot, r)});
  };
  for (QWidget* w : window.findChildren<QWidget*>()) {
    // Disabled controls' texts are exempt, as WCAG has it.
    if (!w->isVisible() || !w->isEnabled() || w->window() != &window) continue;
    const QString name = w->objectName();
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (!label->text().trimmed().isEmpty()) add(w, w->rect(), name + " " + label->text());
    } else if (qobject_cast<QComboBox*>(w) || qobject_cast<QPushButton*>(w) ||
               qobject_cast<QAbstractSpinBox*>(w)) {
      // Inside the frame, left of a list's arrow.
      add(w, w->rect().adjusted(4, 4, qobject_cast<QPushButton*>(w) ? -4 : -22, -4), name);
    } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
      for (int i = 0; i < bar->count(); ++i) add(w, bar->tabRect(i).adjusted(3, 3, -3, -2), bar->tabText(i));
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
      const int height = frame->fontMetrics().height();
      add(w, QRect(4, 0, frame->fontMetrics().horizontalAdvance(frame->title()) + 8, height),
          name + " title");
    } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
      add(w, header->rect().adjusted(2, 2, -2, -2), QStringLiteral("table header"));
    } else if (name == QLatin1String("motorTestPlot")) {
      add(w, QRect(0, 0, w->width(), w->fontMetrics().height() + 8), QStringLiteral("plot legend"));
    }
  }
  return found;
}

class ThemeTest : public ::testing::TestWithParam<Theme> {
 protected:
  void TearDown() override { ApplyTheme(Theme::System); }
};

TEST_P(ThemeTest, EveryTextOfBothTabsAndTheMotorTestWindowIsReadable) {
  ApplyTheme(GetParam());
  const double needed = GetParam() == Theme::HighContrast ? 7.0 : 4.5;
  const QString theme = QString::fromLatin1(ThemeName(GetParam()));
  const QDir shots(QStringLiteral(MORVANE_SHOTS_DIR));
  ASSERT_TRUE(shots.mkpath(QStringLiteral(".")));

  WindowBench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.view.show();
  std::vector<Measured> all;
  for (int tab : {1, 2}) {
    b.c().TabStrip1.clickTab(tab);
    if (tab == 2) {
      // The motor running: every text of the panel shows a figure.
      for (int v = 5; v <= 100; v += 5) b.c().SldPower.setValue(v);
      b.clock.runFor(Ms(3000));
    }
    const QImage shot = b.view.grab().toImage();
    shot.save(shots.filePath(QStringLiteral("theme-%1-%2.png").arg(theme, tab == 1 ? "config" : "run")));
    for (const Measured& m : MeasureTexts(b.view, shot)) all.push_back(m);
  }
  MotorTestWindow motor(b.form, b.clock);
  motor.resize(860, 660);
  motor.show();
  b.clock.runFor(Ms(20000));
  QCoreApplication::processEvents();
  const QImage shot = motor.grab().toImage();
  shot.save(shots.filePath(QStringLiteral("theme-%1-motor-test.png").arg(theme)));
  for (const Measured& m : MeasureTexts(motor, shot)) all.push_back(m);
  b.c().SldPower.setValue(0);

  ASSERT_GT(all.size(), 30u);
  for (const Measured& m : all) {
    EXPECT_GE(m.contrast, needed) << m.where.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Each, ThemeTest,
                         ::testing::Values(Theme::System, Theme::Light, Theme::Dark,
                                           Theme::HighContrast, Theme::Bright),
                         [](const auto& info) {
                           std::string name(ThemeName(info.param));
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace morvane::test
