// SPDX-License-Identifier: GPL-3.0-or-later
#include "motortest/motor_test.h"

#include <utility>

#include "motortest/csv_lines.h"

namespace morvane {

MotorTest::MotorTest(FormMVconfig& form, const Clock& clock)
    : form_(form),
      clock_(clock),
      stand_(clock),
      sweep_(form, clock, &stand_),
      polls_(form.pollAnswered.subscribe([this](const PollAnswer& a) { onPoll(a); })),
      readings_(stand_.reading.subscribe([this](const StandReading& r) { onStandReading(r); })) {}

void MotorTest::startRecording(LineSink sink) {
  sink_ = std::move(sink);
  recordingStartMs_ = clock_.elapsedMs();
  recordedRows_ = 0;
  recordingStand_ = stand_.isOpen();
  sink_(recordingStand_ ? std::string(kRecordingHeader) + kStandColumnsHeader : kRecordingHeader);
}

void MotorTest::stopRecording() {
  sink_ = nullptr;
}

void MotorTest::stopMotor(const std::string& why) {
  sweep_.stop(why);
  form_.OnStopKey();
}

std::optional<StandReading> MotorTest::freshReading() const {
  if (!stand_.isOpen() || !stand_.latest() || stand_.quietMs() > ThrustStand::kSilentMs) {
    return std::nullopt;
  }
  return stand_.latest();
}

void MotorTest::onStandReading(const StandReading& r) {
  const char* why = nullptr;
  if (limits_.thrustG && r.thrustG && *r.thrustG > *limits_.thrustG) {
    why = MORVANE_TRANSLATABLE("Sweep", "thrust limit passed");
  } else if (limits_.currentA && r.currentA && *r.currentA > *limits_.currentA) {
    why = MORVANE_TRANSLATABLE("Sweep", "current limit passed");
  }
  if (why != nullptr && (sweep_.running() || form_.controls().SldPower.value() > 0)) {
    stopMotor(why);
    return;
  }
  sweep_.onStandReading(r);
}

void MotorTest::onPoll(const PollAnswer& answer) {
  MotorSample sample = SampleOf(answer, clock_.elapsedMs());
  const std::optional<StandReading> reading = freshReading();
  if (reading) sample.thrustG = reading->thrustG;
  history_.push_back(sample);
  while (history_.front().tMs < sample.tMs - kHistoryMs) history_.pop_front();
  if (sink_ && sample.speedReply) {
    sink_(recordingStand_ ? RecordingRow(sample, recordingStartMs_) + StandColumns(reading)
                          : RecordingRow(sample, recordingStartMs_));
    ++recordedRows_;
  }
  sweep_.onPoll(sample);
  sampled.notify();
}

}  // namespace morvane
