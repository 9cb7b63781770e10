// SPDX-License-Identifier: GPL-3.0-or-later
// The window's tooltips and balloons that say more than a control's text: each port's
// device, why ports failed to open, and what the connection state rests on.
#include <QComboBox>
#include <QDateTime>
#include <QHelpEvent>
#include <QToolTip>
#include <cstdint>
#include <utility>

#include "shell/window_language.h"
#include "view/form_view.h"
#include "view/shown_text.h"

namespace morvane {

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

}  // namespace morvane
