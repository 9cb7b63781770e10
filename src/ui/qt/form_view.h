// The window FormMVconfig drawn with Qt Widgets: it builds the widgets, mirrors every
// headless control and forwards the user's actions to them. No state, no decisions.
#pragma once

#include <QWidget>

#include "ui/form_mvconfig.h"

namespace morvane {

class FormView : public QWidget {
  Q_OBJECT

 public:
  explicit FormView(FormMVconfig& form, QWidget* parent = nullptr);

 protected:
  // Runs the form's shutdown once, then lets the window close.
  void closeEvent(QCloseEvent* event) override;

 private:
  FormMVconfig& form_;
  bool unloaded_ = false;
};

}  // namespace morvane
