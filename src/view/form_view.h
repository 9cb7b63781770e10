// SPDX-License-Identifier: GPL-3.0-or-later
// The window FormMVconfig drawn with Qt Widgets: it builds the widgets, mirrors every
// headless control and forwards the user's actions to them. No state, no decisions.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "form/form_mvconfig.h"

class QComboBox;

namespace morvane {

class FormView : public QWidget {
  Q_OBJECT

 public:
  explicit FormView(FormMVconfig& form, QWidget* parent = nullptr);

  // Tooltips of the port list: one per entry, by its COM number, and one for the list
  // when it is empty.
  void setPortToolTips(std::function<QString(int port)> entryTip, QString emptyListTip);
  // The device behind a port number and its adapter, for the balloon at the port list when
  // ports fail to open and for the connection state's tooltip.
  void setDeviceText(DeviceText deviceText) { deviceText_ = std::move(deviceText); }
  // More for the connection state's tooltip, below the link's state; "" when nothing.
  void setStatusNote(std::function<std::string()> note) { statusNote_ = std::move(note); }

  // How long the balloon of failed ports stays.
  static constexpr int kBalloonMs = 8000;

 protected:
  // Runs the form's shutdown, then lets the window close.
  void closeEvent(QCloseEvent* event) override;
  // The connection state's tooltip, made when it is asked for.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The first paint asks for the icons; nothing of them is needed before it.
  void paintEvent(QPaintEvent* event) override;

 private:
  void buildWidgets();
  void bindControls();
  // Runs sync now and after every change of the control, for as long as this view lives.
  void watch(Control& control, QWidget* widget, std::function<void()> sync);
  void bindCombo(ComboBox& model, QComboBox* box);
  void mirrorCombo(const ComboBox& model, QComboBox* box);
  void showPortToolTips();
  void showFailureBalloon();
  QString statusTip() const;

  FormMVconfig& form_;
  std::function<QString(int port)> portEntryTip_;
  QString emptyPortTip_;
  QComboBox* portBox_ = nullptr;
  QWidget* connState_ = nullptr;
  DeviceText deviceText_;
  std::function<std::string()> statusNote_;
  bool iconsAsked_ = false;
  // Gone with the view, before its widgets.
  std::vector<Observers::Subscription> subscriptions_;
};

}  // namespace morvane
