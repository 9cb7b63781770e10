// SPDX-License-Identifier: GPL-3.0-or-later
// The support log's view of the window: connection changes ("Connected MORVANE QR-18A V1.003
// V1.234", "lost after 3 misses") and settings as the ESC reports them, from the form's
// events; what changes in the controls, the user's picks apart from what the ESC's replies
// set. It watches the form, its link and the logging port; it changes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "supportlog/logging_comm.h"
#include "supportlog/support_log.h"
#include "controls/controls.h"
#include "form/form_mvconfig.h"

namespace morvane {

class FormLog {
 public:
  // `comm` is the port the form was given.
  FormLog(FormMVconfig& form, LoggingComm& comm, SupportLog& log);
  FormLog(const FormLog&) = delete;
  FormLog& operator=(const FormLog&) = delete;
  ~FormLog();

 private:
  void connectionLost(LossCause cause);
  void reported(const SettingReport& report);
  void settingChanged(int index);
  void beforeFrameLine();
  void watch(Control& control, Observers::Fn fn);

  FormMVconfig& form_;
  LoggingComm& comm_;
  SupportLog& log_;
  std::vector<Observers::Subscription> subscriptions_;
  CallbackList<const EscFound&>::Subscription found_;
  CallbackList<const EscLost&>::Subscription lost_;
  CallbackList<const SettingReport&>::Subscription reported_;
  CallbackList<const SettingReport&>::Subscription confirmed_;
  CallbackList<int>::Subscription missed_;
  int miss_ = 0;  // the miss the link counted last, told before the frame that follows
  std::array<int, kSettingCount> setting_{};
  std::array<std::int32_t, kSettingCount> device_{};
  int port_ = -1;
  int throttle_ = 0;
  int poles_ = 0;
  int tab_ = 0;
  std::int64_t stopMs_ = -1;
};

}  // namespace morvane
