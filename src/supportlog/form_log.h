// SPDX-License-Identifier: GPL-3.0-or-later
// The support log's view of the window: connection changes ("Connected MORVANE QR-18A V1.003
// V1.234", "lost after 3 misses") and what changes in the controls, the user's picks apart
// from what the ESC's replies set. It watches the form and the logging port; it changes
// nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "supportlog/logging_comm.h"
#include "supportlog/support_log.h"
#include "controls/controls.h"
#include "ui/form_mvconfig.h"

namespace morvane {

class FormLog {
 public:
  // `comm` is the port the form was given.
  FormLog(FormMVconfig& form, LoggingComm& comm, SupportLog& log);
  FormLog(const FormLog&) = delete;
  FormLog& operator=(const FormLog&) = delete;
  ~FormLog();

 private:
  void connectionChanged();
  void settingChanged(int index);
  void replyHandled();
  void beforeFrameLine();
  void watch(Control& control, Observers::Fn fn);

  FormMVconfig& form_;
  LoggingComm& comm_;
  SupportLog& log_;
  std::vector<Observers::Subscription> subscriptions_;
  Connection connection_ = Connection::Unconnected;
  bool announce_ = false;  // connected: said once the reply that connected is handled
  bool lost_ = false;      // the third miss in a row was seen
  int misses_ = 0;
  std::array<int, kSettingCount> setting_{};
  std::array<std::int32_t, kSettingCount> device_{};
  int port_ = -1;
  int throttle_ = 0;
  int poles_ = 0;
  int tab_ = 0;
  std::int64_t stopMs_ = -1;
};

}  // namespace morvane
