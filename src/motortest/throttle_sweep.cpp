// SPDX-License-Identifier: GPL-3.0-or-later
#include "motortest/throttle_sweep.h"

#include <algorithm>

namespace morvane {

ThrottleSweep::ThrottleSweep(FormMVconfig& form, const Clock& clock, const ThrustStand* stand)
    : form_(form), clock_(clock), stand_(stand) {
  Controls& c = form_.controls();
  lossRule_ = form_.escLost.subscribe(
      [this](const EscLost&) { stop(MORVANE_TRANSLATABLE("Sweep", "connection lost")); });
  stopRules_.push_back(c.TabStrip1.changed.subscribe([this] {
    if (form_.controls().TabStrip1.selectedItem() == 1)
      stop(MORVANE_TRANSLATABLE("Sweep", "Config tab chosen"));
  }));
  stopRules_.push_back(c.SldPower.changed.subscribe([this] { onThrottleChanged(); }));
  stopRules_.push_back(
      form_.stopRequested.subscribe([this] { stop(MORVANE_TRANSLATABLE("Sweep", "Escape")); }));
}

ThrottleSweep::~ThrottleSweep() {
  stop(MORVANE_TRANSLATABLE("Sweep", "motor test closed"));
}

bool ThrottleSweep::running() const {
  return phase_ == SweepPhase::Rising || phase_ == SweepPhase::Settling ||
         phase_ == SweepPhase::Sampling;
}

std::string ThrottleSweep::start(const SweepPlan& plan, const TranslateText& translate) {
  if (running()) {
    return Phrase(translate, "Sweep", MORVANE_TRANSLATABLE("Sweep", "A sweep is already running."));
  }
  Controls& c = form_.controls();
  if (form_.connection() != Connection::Connected) {
    return Phrase(translate, "Sweep",
                  MORVANE_TRANSLATABLE("Sweep",
                                       "No ESC connected: a sweep starts only while the status "
                                       "reads Connected."));
  }
  PlanCheck check = CheckPlan(plan, c.SldPower.max(), translate);
  if (!check.note.empty()) return check.note;
  standUsed_ = stand_ != nullptr && stand_->isOpen();
  if (standUsed_ && stand_->quietMs() > ThrustStand::kSilentMs) {
    return Phrase(translate, "Sweep",
                  MORVANE_TRANSLATABLE("Sweep",
                                       "The thrust stand sends no readings: check its port and "
                                       "baud rate, or close it."));
  }

  plan_ = plan;
  steps_ = std::move(check.steps);
  stepIndex_ = 0;
  rows_.clear();
  stats_ = {};
  thrust_ = current_ = voltage_ = power_ = {};
  commanded_ = c.SldPower.value();
  phase_ = SweepPhase::Rising;
  // The throttle lives on the Run tab; the Config tab would stop it.
  if (c.TabStrip1.selectedItem() != 2) form_.chooseTab(2);
  if (running()) showProgress();
  return {};
}

void ThrottleSweep::stop(const std::string& why) {
  if (!running()) return;
  phase_ = SweepPhase::Stopped;
  stopWhy_ = why;
  setThrottle(0);
  changed.notify();
}

// Anything but the sweep that moves the throttle (the user, a stop of the window's own)
// takes it over: the sweep ends rather than fight it.
void ThrottleSweep::onThrottleChanged() {
  if (running() && form_.controls().SldPower.value() != commanded_) {
    stop(MORVANE_TRANSLATABLE("Sweep", "throttle moved outside the sweep"));
  }
}

void ThrottleSweep::setThrottle(int value) {
  commanded_ = std::min(value, plan_.maximum);
  form_.moveThrottle(commanded_);
}

void ThrottleSweep::onPoll(const MotorSample& sample) {
  if (!running()) return;
  // Without its readings the limits cannot hold: a stand that stopped speaking, or speaks
  // only garbage, ends the sweep. A stand closed by the user is as silent.
  if (standUsed_ && (!stand_->isOpen() || stand_->quietMs() > ThrustStand::kSilentMs)) {
    stop(MORVANE_TRANSLATABLE("Sweep", "thrust stand silent for over a second"));
    return;
  }
  const RangeControl& slider = form_.controls().SldPower;
  const int target = steps_[stepIndex_];
  switch (phase_) {
    case SweepPhase::Rising:
      if (slider.value() == target) {
        phase_ = SweepPhase::Settling;
        settleFromMs_ = clock_.elapsedMs();
      } else if (slider.value() < target) {
        setThrottle(std::min(slider.value() + slider.largeChange(), target));
      } else {
        setThrottle(target);  // down is never limited
      }
      break;
    case SweepPhase::Settling:
      if (clock_.elapsedMs() - settleFromMs_ >= plan_.settleMs) {
        phase_ = SweepPhase::Sampling;
        stats_ = {};
        thrust_ = current_ = voltage_ = power_ = {};
      }
      break;
    case SweepPhase::Sampling:
      if (sample.rpmRaw) stats_.add(*sample.rpmRaw);
      if (stats_.count() >= plan_.samples) nextStep();
      break;
    default:
      break;
  }
  if (running()) showProgress();
}

void ThrottleSweep::onStandReading(const StandReading& r) {
  if (phase_ != SweepPhase::Sampling || !standUsed_) return;
  if (r.thrustG) thrust_.add(*r.thrustG);
  if (r.currentA) current_.add(*r.currentA);
  if (r.voltageV) voltage_.add(*r.voltageV);
  if (const std::optional<double> power = r.powerW()) power_.add(*power);
}

namespace {

std::optional<double> MeanOf(const StepStats& stats) {
  return stats.count() > 0 ? std::optional<double>(stats.mean()) : std::nullopt;
}

}  // namespace

void ThrottleSweep::nextStep() {
  std::optional<StandRow> stand;
  if (standUsed_) {
    stand = StandRow{MeanOf(thrust_), thrust_.standardDeviation(), MeanOf(current_),
                     MeanOf(voltage_), MeanOf(power_), std::nullopt, thrust_.count()};
    // Efficiency of the step's means: a reading's own g/W is noise over noise.
    if (stand->thrustMean && stand->powerW && *stand->powerW > 0) {
      stand->gramsPerWatt = *stand->thrustMean / *stand->powerW;
    }
  }
  rows_.push_back({steps_[stepIndex_], stats_.mean(), stats_.standardDeviation(), stats_.count(),
                   stand});
  if (++stepIndex_ < steps_.size()) {
    phase_ = SweepPhase::Rising;
    return;
  }
  phase_ = SweepPhase::Done;
  setThrottle(0);
  changed.notify();
}

std::string ThrottleSweep::status(const TranslateText& translate) const {
  const Phrases say(translate, "Sweep");
  const std::string done = std::to_string(rows_.size());
  const std::string steps = std::to_string(steps_.size());
  switch (phase_) {
    case SweepPhase::Idle:
      return {};
    // A count of one takes the singular: a text of its own.
    case SweepPhase::Stopped:
      return steps_.size() == 1
                 ? say(MORVANE_TRANSLATABLE("Sweep", "Stopped (%1) after %2 of 1 step; throttle 0."),
                       {say(stopWhy_.c_str(), {}), done})
                 : say(MORVANE_TRANSLATABLE("Sweep",
                                            "Stopped (%1) after %2 of %3 steps; throttle 0."),
                       {say(stopWhy_.c_str(), {}), done, steps});
    case SweepPhase::Done:
      return rows_.size() == 1
                 ? say(MORVANE_TRANSLATABLE("Sweep", "Done: 1 step measured; throttle 0."))
                 : say(MORVANE_TRANSLATABLE("Sweep", "Done: %1 steps measured; throttle 0."),
                       {done});
    default:
      break;
  }
  const std::string step = std::to_string(stepIndex_ + 1);
  const std::string throttle = std::to_string(steps_[stepIndex_]);
  switch (phase_) {
    case SweepPhase::Rising:
      return say(MORVANE_TRANSLATABLE("Sweep", "Step %1 of %2: throttle %3, rising"),
                 {step, steps, throttle});
    case SweepPhase::Settling:
      return say(MORVANE_TRANSLATABLE("Sweep", "Step %1 of %2: throttle %3, settling"),
                 {step, steps, throttle});
    default:
      return say(
          MORVANE_TRANSLATABLE("Sweep", "Step %1 of %2: throttle %3, sample %4 of %5"),
          {step, steps, throttle, std::to_string(stats_.count()), std::to_string(plan_.samples)});
  }
}

}  // namespace morvane
