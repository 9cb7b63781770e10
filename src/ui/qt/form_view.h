// The window FormMVconfig drawn with Qt Widgets: it builds the widgets, mirrors every
// headless control and forwards the user's actions to them. No state, no decisions.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "ui/form_mvconfig.h"

namespace morvane {

class FormView : public QWidget {
  Q_OBJECT

 public:
  explicit FormView(FormMVconfig& form, QWidget* parent = nullptr);

  // Tooltips of the port list: one per entry, by its COM number, and one for the list
  // when it is empty.
  void setPortToolTips(std::function<QString(int port)> entryTip, QString emptyListTip);

 protected:
  // Runs the form's shutdown once, then lets the window close.
  void closeEvent(QCloseEvent* event) override;

 private:
  FormMVconfig& form_;
  bool unloaded_ = false;
};

}  // namespace morvane
