// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/motor_test_commands.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>

namespace morvane {
namespace {

}  // namespace

MotorTestCommands::MotorTestCommands(FormView& view, FormMVconfig& form, const PortTable* table)
    : QObject(&view),
      view_(view),
      form_(form),
      table_(table),
      action_(new QAction(tr("&Motor test\u2026"), &view)),
      menu_(new QMenu(&view)) {
  action_->setObjectName(QStringLiteral("openMotorTest"));
  action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  action_->setShortcutVisibleInContextMenu(true);
  connect(action_, &QAction::triggered, this, [this] { open(); });
  view.addAction(action_);
  menu_->addAction(action_);
  for (const char* name : {"FrameRun", "TxtRev"}) {
    QWidget* target = view.findChild<QWidget*>(QLatin1String(name));
    if (target == nullptr) continue;
    target->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(target, &QWidget::customContextMenuRequested, this,
            [this, target](const QPoint& at) { menu_->popup(target->mapToGlobal(at)); });
  }
  // The main window's close is seen before its own handler shuts the link down.
  view.installEventFilter(this);
}

MotorTestCommands::~MotorTestCommands() {
  delete window_.data();
}

void MotorTestCommands::open() {
  if (window_ == nullptr) window_ = new MotorTestWindow(form_, form_.clock(), nullptr, table_);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

bool MotorTestCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &view_ && event->type() == QEvent::Close && window_ != nullptr) {
    window_->close();
  }
  return QObject::eventFilter(watched, event);
}

MotorTestCommands* InstallMotorTest(FormView& view, FormMVconfig& form, const PortTable* table) {
  return new MotorTestCommands(view, form, table);
}

}  // namespace morvane
