// SPDX-License-Identifier: GPL-3.0-or-later
#include "motortest/motor_test.h"

#include <utility>

#include "motortest/csv_lines.h"

namespace morvane {

MotorTest::MotorTest(FormMVconfig& form, const Clock& clock)
    : form_(form),
      clock_(clock),
      sweep_(form, clock),
      polls_(form.pollAnswered.subscribe([this](const PollAnswer& a) { onPoll(a); })) {}

void MotorTest::startRecording(LineSink sink) {
  sink_ = std::move(sink);
  recordingStartMs_ = clock_.elapsedMs();
  recordedRows_ = 0;
  sink_(kRecordingHeader);
}

void MotorTest::stopRecording() {
  sink_ = nullptr;
}

void MotorTest::stopMotor(const std::string& why) {
  sweep_.stop(why);
  form_.OnStopKey();
}

void MotorTest::onPoll(const PollAnswer& answer) {
  const MotorSample sample = SampleOf(answer, clock_.elapsedMs());
  history_.push_back(sample);
  while (history_.front().tMs < sample.tMs - kHistoryMs) history_.pop_front();
  if (sink_ && sample.speedReply) {
    sink_(RecordingRow(sample, recordingStartMs_));
    ++recordedRows_;
  }
  sweep_.onPoll(sample);
  sampled.notify();
}

}  // namespace morvane
