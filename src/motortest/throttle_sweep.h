// SPDX-License-Identifier: GPL-3.0-or-later
// The stepped throttle sweep: it raises the throttle through the Run panel's slider, as a
// user holding Page Up would, waits for the motor to settle at each step, averages the
// raw speed of a number of replies, and stops the motor at its end or whenever it is
// stopped. It moves only at poll replies, by at most the slider's LargeChange each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/seams.h"
#include "link/translatable.h"
#include "motortest/motor_sample.h"
#include "motortest/sweep_plan.h"
#include "motortest/thrust_stand.h"
#include "controls/controls.h"
#include "form/form_mvconfig.h"

namespace morvane {

enum class SweepPhase { Idle, Rising, Settling, Sampling, Done, Stopped };

class ThrottleSweep {
 public:
  // stand: read at each step while it is open; it outlives the sweep.
  ThrottleSweep(FormMVconfig& form, const Clock& clock, const ThrustStand* stand = nullptr);
  // A sweep never outlives whoever runs it: the motor stops.
  ~ThrottleSweep();
  ThrottleSweep(const ThrottleSweep&) = delete;
  ThrottleSweep& operator=(const ThrottleSweep&) = delete;

  // Empty when the sweep has started; otherwise why it has not.
  // In English unless the window passes its language.
  std::string start(const SweepPlan& plan, const TranslateText& translate = {});
  // Ends a running sweep and sets the throttle to 0 at once; why goes into the status (a
  // text marked under "Sweep", so the window can show it translated).
  void stop(const std::string& why);
  // Each poll reply handled while connected moves the sweep on by one poll.
  void onPoll(const MotorSample& sample);
  // Each good reading of the stand, calibrated.
  void onStandReading(const StandReading& reading);

  bool running() const;
  SweepPhase phase() const { return phase_; }
  const std::vector<SweepRow>& rows() const { return rows_; }
  const std::vector<int>& steps() const { return steps_; }
  // A line for the user: what the sweep does now, or how it ended; in English unless the
  // window passes its language.
  std::string status(const TranslateText& translate = {}) const;

  // Raised on every change of phase, step, sample count or rows.
  Observers changed;

 private:
  void setThrottle(int value);
  void nextStep();
  void showProgress() { changed.notify(); }
  void onThrottleChanged();

  FormMVconfig& form_;
  const Clock& clock_;
  const ThrustStand* stand_;
  SweepPlan plan_;
  std::vector<int> steps_;
  std::size_t stepIndex_ = 0;
  SweepPhase phase_ = SweepPhase::Idle;
  int commanded_ = 0;  // the throttle the sweep set last
  std::int64_t settleFromMs_ = 0;
  StepStats stats_;
  bool standUsed_ = false;  // the stand was open when the sweep started
  StepStats thrust_;
  StepStats current_;
  StepStats voltage_;
  StepStats power_;
  std::vector<SweepRow> rows_;
  std::string stopWhy_;
  std::vector<Observers::Subscription> stopRules_;
  CallbackList<const EscLost&>::Subscription lossRule_;
};

}  // namespace morvane
