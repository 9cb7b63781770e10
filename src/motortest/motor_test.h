// SPDX-License-Identifier: GPL-3.0-or-later
// The motor test beside the Run panel: a sample at every poll reply while connected, the
// last minute of them for the plot, a recording of the speed replies, and the sweep.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "link/seams.h"
#include "motortest/motor_sample.h"
#include "motortest/throttle_sweep.h"
#include "motortest/thrust_stand.h"
#include "controls/controls.h"
#include "form/form_mvconfig.h"

namespace morvane {

// Limits on the stand's readings; none is off.
struct StandLimits {
  std::optional<double> thrustG;
  std::optional<double> currentA;
};

class MotorTest {
 public:
  using LineSink = std::function<void(const std::string& line)>;

  static constexpr std::int64_t kHistoryMs = 60000;

  MotorTest(FormMVconfig& form, const Clock& clock);
  MotorTest(const MotorTest&) = delete;
  MotorTest& operator=(const MotorTest&) = delete;

  // Oldest first; none older than kHistoryMs before the newest.
  const std::deque<MotorSample>& history() const { return history_; }
  // Raised after each new sample, once the sweep has moved on with it.
  Observers sampled;

  // From now on the header, then one row per speed reply, go to sink, until
  // stopRecording(); the time of the rows counts from now.
  void startRecording(LineSink sink);
  void stopRecording();
  bool recording() const { return static_cast<bool>(sink_); }
  int recordedRows() const { return recordedRows_; }

  ThrottleSweep& sweep() { return sweep_; }
  const ThrottleSweep& sweep() const { return sweep_; }

  // Escape or a Stop button: the sweep ends and the throttle goes to 0 at once.
  void stopMotor(const std::string& why);

  ThrustStand& stand() { return stand_; }
  const ThrustStand& stand() const { return stand_; }
  // A reading past a limit stops the motor as Escape does, in a sweep or not.
  void setLimits(const StandLimits& limits) { limits_ = limits; }
  const StandLimits& limits() const { return limits_; }

 private:
  void onPoll(const PollAnswer& answer);
  void onStandReading(const StandReading& reading);
  // The stand's reading when it is open and speaking; none otherwise.
  std::optional<StandReading> freshReading() const;

  FormMVconfig& form_;
  const Clock& clock_;
  std::deque<MotorSample> history_;
  LineSink sink_;
  std::int64_t recordingStartMs_ = 0;
  int recordedRows_ = 0;
  bool recordingStand_ = false;  // the recording carries the stand's columns
  ThrustStand stand_;
  StandLimits limits_;
  ThrottleSweep sweep_;
  CallbackList<const PollAnswer&>::Subscription polls_;
  CallbackList<const StandReading&>::Subscription readings_;
};

}  // namespace morvane
