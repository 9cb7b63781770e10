// SPDX-License-Identifier: GPL-3.0-or-later
// The motor test's commands on the main window: Ctrl+T, and "Motor test..." in the context
// menu of the Run panel's background and of the r/min box. The window they open stands on
// its own beside the main window and closes with it.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "link/seams.h"
#include "form/form_mvconfig.h"
#include "ports/port_table.h"
#include "view/form_view.h"
#include "view/motor_test_window.h"

class QAction;
class QMenu;

namespace morvane {

class MotorTestCommands : public QObject {
  Q_OBJECT

 public:
  // table: the ports a thrust stand may be on; none, and the window offers no stand port.
  MotorTestCommands(FormView& view, FormMVconfig& form, const PortTable* table = nullptr);
  ~MotorTestCommands() override;

  // Opens the window, or brings the open one to the front.
  void open();
  MotorTestWindow* window() const { return window_; }
  QAction* action() const { return action_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FormView& view_;
  FormMVconfig& form_;
  const PortTable* table_;
  QAction* action_;
  QMenu* menu_;
  QPointer<MotorTestWindow> window_;
};

// Owned by the view.
MotorTestCommands* InstallMotorTest(FormView& view, FormMVconfig& form,
                                    const PortTable* table = nullptr);

}  // namespace morvane
