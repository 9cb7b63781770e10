// SPDX-License-Identifier: GPL-3.0-or-later
// The page is the window: its layout, captions, fonts, names, descriptions and tab order are
// read here from the Qt window itself, under English, and written as JSON for the page's
// build. Nothing of the window is written down twice.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <cstdio>

#include "sim/virtual_clock.h"
#include "sim/virtual_line.h"
#include "view/form_layout.h"
#include "view/form_view.h"

namespace {

using morvane::layout::Frame;

QString TextOf(const QWidget* w) {
  if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (const auto* button = qobject_cast<const QPushButton*>(w)) return button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(w)) return group->title();
  return {};
}

QJsonObject Widget(const QWidget& window, const QWidget* w, const char* frame) {
  const QPoint at = w->mapTo(&window, QPoint(0, 0));
  const QFont font = w->font();
  QJsonObject out{{"name", w->objectName()},
                  {"class", QString::fromLatin1(w->metaObject()->className())},
                  {"frame", QString::fromLatin1(frame)},
                  {"x", at.x()},
                  {"y", at.y()},
                  {"w", w->width()},
                  {"h", w->height()},
                  {"text", TextOf(w)},
                  {"face", font.family()},
                  {"points", font.pointSizeF()},
                  {"bold", font.bold()},
                  {"shown", !w->isHidden()},
                  {"accessibleName", w->accessibleName()},
                  {"description", w->accessibleDescription()},
                  {"toolTip", w->toolTip()}};
  // A label names the control it stands for, as a reader hears it.
  if (const auto* label = qobject_cast<const QLabel*>(w); label && label->buddy()) {
    out.insert("buddy", label->buddy()->objectName());
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  morvane::sim::VirtualClock clock;
  morvane::sim::VirtualSerialLine line{clock};
  morvane::sim::VirtualTimer timer1{clock, 1};
  morvane::sim::VirtualTimer timer2{clock, 1};
  morvane::FormMVconfig form{line, timer1, timer2, clock, morvane::AppVersion{}};
  morvane::FormView view{form};
  // A panel takes its faces, and the caption widths they decide, when it is first shown.
  view.show();
  for (const char* panel : {"FrameConfig", "FrameRun"}) {
    view.findChild<QWidget*>(QString::fromLatin1(panel))->setVisible(true);
  }

  QJsonArray widgets;
  const Frame* const frames[] = {&morvane::layout::ConnectionFrame(),
                                 &morvane::layout::ConfigFrame(), &morvane::layout::RunFrame()};
  for (const Frame* frame : frames) {
    const auto* group = view.findChild<QWidget*>(QString::fromLatin1(frame->name));
    widgets.append(Widget(view, group, ""));
    for (const morvane::layout::Item& item : frame->items) {
      widgets.append(Widget(view, view.findChild<QWidget*>(QString::fromLatin1(item.name)),
                            frame->name));
    }
  }
  widgets.append(Widget(
      view, view.findChild<QWidget*>(QString::fromLatin1(morvane::layout::HardwareBox().name)), ""));

  const auto* tabs = view.findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  QJsonObject strip = Widget(view, tabs, "");
  strip.insert("accessibleName", tabs->tabBar()->accessibleName());
  strip.insert("description", tabs->tabBar()->accessibleDescription());
  QJsonArray tabList;
  for (int i = 0; i < tabs->count(); ++i) {
    tabList.append(QJsonObject{{"text", tabs->tabText(i)}, {"toolTip", tabs->tabToolTip(i)}});
  }
  strip.insert("tabs", tabList);
  strip.insert("barHeight", tabs->tabBar()->height());

  QJsonArray order;
  for (const char* name : morvane::layout::TabOrder()) order.append(QString::fromLatin1(name));

  const QJsonObject window{{"w", view.width()},
                           {"h", view.height()},
                           {"face", view.font().family()},
                           {"points", view.font().pointSizeF()},
                           {"widgets", widgets},
                           {"tabStrip", strip},
                           {"tabOrder", order}};
  const QByteArray json = QJsonDocument(window).toJson(QJsonDocument::Indented);
  return std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout) ==
                 static_cast<std::size_t>(json.size())
             ? 0
             : 1;
}
