// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_flow.h"

#include <algorithm>

#include "cli/batch_record.h"
#include "protocol/process_reply.h"
#include "link/printable.h"
#include "settings/settings_diff.h"
#include "settings/settings_panel.h"

namespace morvane::cli {
namespace {

bool InList(int setting, int index) {
  return index >= 0 && index < static_cast<int>(Choices(setting).size());
}

std::string Name(int setting) {
  return kSettingNames[static_cast<std::size_t>(setting)];
}

std::string Seconds(int ms) {
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 != 0) {
    std::string frac = std::to_string(1000 + ms % 1000).substr(1);
    while (frac.back() == '0') frac.pop_back();
    text += "." + frac;
  }
  return text + " s";
}

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

NothingToDo NothingIn(const CliRequest& request) {
  if (request.command == Command::Load) {
    return {"nothing to write: " + request.file + " holds no setting", {}};
  }
  const std::string line = "nothing to compare: " + request.file + " holds no setting";
  if (request.json) return {DifferencesJson({}), line};
  return {line, {}};
}

CliFlow::CliFlow(FormMVconfig& form, Timer& tick, Timer& soon, FlowHost& host, CliRequest request,
                 std::vector<std::string> portNames)
    : form_(form),
      tick_(tick),
      soon_(soon),
      host_(host),
      request_(std::move(request)),
      portNames_(std::move(portNames)) {
  tick_.setInterval(kTickMs);
  tick_.setOnTick([this] { onTick(); });
  soon_.setInterval(0);
  soon_.setOnTick([this] { run(); });
  found_ = form_.escFound.subscribe([this](const EscFound& esc) {
    esc_ = esc;
    requestStep();
  });
  lost_ = form_.escLost.subscribe([this](const EscLost&) { requestStep(); });
  unknown_ = form_.unknownModel.subscribe([this](std::uint16_t hardware) {
    unknownHardware_ = hardware;
    unknownAgeMs_ = 0;
    requestStep();
  });
  readAnswers_ = form_.settingReported.subscribe([this](const SettingReport&) { requestStep(); });
  writeAnswers_ =
      form_.settingConfirmed.subscribe([this](const SettingReport& r) { onConfirmed(r); });
}

void CliFlow::start() {
  const bool takesFile = request_.command == Command::Load || request_.command == Command::Diff;
  if (takesFile && request_.targets == kNoSettings) {
    // No port is opened for a file that asks for nothing.
    const NothingToDo nothing = NothingIn(request_);
    if (!nothing.err.empty()) report(nothing.err);
    print(nothing.out);
    status_ = kExitDone;
    host_.finished(kExitDone);
    return;
  }
  form_.Load();
  if (form_.state().openPort == 0) {
    std::vector<int> all;
    for (int n = 1; n <= static_cast<int>(portNames_.size()); ++n) all.push_back(n);
    report(cannotOpen(all));
    // A batch may start before the adapter is plugged in: it is tried again as it would be
    // after an ESC was unplugged.
    if (!request_.each) {
      finish(kExitPort);
      return;
    }
  }
  if (form_.state().openPort != 0) current_ = form_.state().openPort;
  if (request_.each) {
    report("waiting for an ESC on " + portList() + "; Ctrl+C ends the batch");
  }
  tick_.setEnabled(true);
}

void CliFlow::interrupt() {
  if (phase_ == Phase::Finishing || phase_ == Phase::Done) return;
  if (!request_.each) {
    report("interrupted");
    finish(phase_ == Phase::Searching && !connected() ? kExitNoEsc : kExitNotConfirmed);
    return;
  }
  if (phase_ == Phase::Reading || phase_ == Phase::Confirming) {
    escFailed("interrupted before its settings were confirmed");
    if (phase_ == Phase::Finishing) return;  // its row could not be recorded
  }
  print(summary());
  finish(confirmedCount_ == escCount_ ? kExitDone : kExitNotConfirmed);
}

void CliFlow::onTick() {
  tick_.setEnabled(true);
  if (phase_ == Phase::Searching) {
    searchMs_ += kTickMs;
    sinceSelectMs_ += kTickMs;
    if (unknownHardware_) unknownAgeMs_ += kTickMs;
  }
  if (phase_ == Phase::Reading || phase_ == Phase::Confirming) workMs_ += kTickMs;
  run();
}

// Runs inside the link's reply handling: only the write's answer is noted here, every
// decision waits for the step.
void CliFlow::onConfirmed(const SettingReport& report) {
  const auto i = static_cast<std::size_t>(report.setting);
  if (phase_ == Phase::Confirming && pending_[i] && !confirmed_[i]) {
    after_[i] = report.value;
    if (report.value == targets_[i]) {
      confirmed_[i] = true;
    } else if (refused_ < 0) {
      refused_ = report.setting;
      refusedValue_ = report.value;
    }
  }
  requestStep();
}

// Steps run from a timer of their own, never inside the form's handlers, so nothing closes the
// port under a handler that still uses it. The next poll is at least 10 ms away: the picks a
// step makes after the last read are in place before a poll reply could write anything.
void CliFlow::requestStep() {
  if (running_) {
    again_ = true;
  } else if (!soon_.enabled()) {
    soon_.setEnabled(true);
  }
}

// A step may let events run (opening a port does); a timer that fires meanwhile asks for
// another step rather than starting one inside this one.
void CliFlow::run() {
  if (running_) {
    again_ = true;
    return;
  }
  running_ = true;
  do {
    again_ = false;
    step();
  } while (again_);
  running_ = false;
}

void CliFlow::step() {
  switch (phase_) {
    case Phase::Searching:
      search();
      break;
    case Phase::Reading:
      reading();
      break;
    case Phase::Confirming:
      confirming();
      break;
    case Phase::WaitingGone:
      // Unplugged, or three replies missed in a row: the window's rules show it so.
      if (!connected()) {
        phase_ = Phase::Searching;
        sinceSelectMs_ = 0;
      }
      break;
    case Phase::Finishing:
      finishNow();
      break;
    case Phase::Done:
      break;
  }
}

void CliFlow::search() {
  if (connected()) {
    unknownHardware_.reset();
    beginEsc();
    return;
  }
  if (unknownHardware_) {
    if (unknownAgeMs_ < kDwellMs) {
      unknownEsc();
      return;
    }
    // No version reply for a while: that ESC has gone, and the next one is news again.
    unknownHardware_.reset();
    unknownTold_ = false;
  }
  if (!request_.each && searchMs_ >= request_.timeoutMs) {
    giveUp();
    return;
  }
  const bool closed = form_.state().openPort == 0;
  const bool several = portNames_.size() > 1;
  if (closed && sinceSelectMs_ >= kReopenMs) {
    select(several ? nextPort() : current_);
  } else if (!closed && several && sinceSelectMs_ >= kDwellMs) {
    select(nextPort());
  }
}

int CliFlow::nextPort() const {
  return current_ % static_cast<int>(portNames_.size()) + 1;
}

// Through the port list, as a user's pick: the window closes the old port (with a stop when
// its motor may run) and opens the new one. A port that fails to open leaves the list, so it
// is put back first.
void CliFlow::select(int port) {
  form_.pickPort(port);
  current_ = form_.state().openPort != 0 ? form_.state().openPort : port;
  sinceSelectMs_ = 0;
}

void CliFlow::giveUp() {
  if (form_.state().openPort == 0) {
    report(cannotOpen({current_}));
    finish(kExitPort);
    return;
  }
  report("no ESC answered on " + portList() + " within " + Seconds(request_.timeoutMs));
  finish(kExitNoEsc);
}

// An ESC answers, but its model is none the window knows: nothing may be read from it or
// written to it. The port is kept while it answers, so the batch does not count it twice.
void CliFlow::unknownEsc() {
  sinceSelectMs_ = 0;
  if (unknownTold_) return;
  unknownTold_ = true;
  const std::string what = "an ESC of an unknown model (hardware number " +
                           std::to_string(*unknownHardware_) + ") answered on " +
                           portNames_.at(static_cast<std::size_t>(current_ - 1)) +
                           "; it cannot be configured";
  if (!request_.each) {
    report(what);
    finish(kExitNotConfirmed);
    return;
  }
  ++escCount_;
  ++unknownCount_;
  print("ESC " + std::to_string(escCount_) + ": " + what + ", skipped");
  model_ = "hardware number " + std::to_string(*unknownHardware_);
  esc_ = EscFound{};
  before_ = after_ = kNoSettings;
  record("unknown model", "it cannot be configured");
}

void CliFlow::beginEsc() {
  ++escCount_;
  phase_ = Phase::Reading;
  workMs_ = 0;
  model_ = esc_.model;
  before_ = targets_ = after_ = kNoSettings;
  pending_ = {};
  confirmed_ = {};
  refused_ = -1;
  reading();
}

void CliFlow::reading() {
  if (!connected()) {
    escFailed("connection lost before its settings were read");
  } else if (allRead()) {
    settingsRead();
  } else if (workMs_ >= kWorkLimitMs) {
    escFailed("its settings were not read within " + Seconds(kWorkLimitMs));
  }
}

void CliFlow::settingsRead() {
  for (int i = 0; i < kSettingCount; ++i) {
    before_[static_cast<std::size_t>(i)] = form_.state().deviceValue[static_cast<std::size_t>(i)];
  }
  switch (request_.command) {
    case Command::Read:
      if (request_.json) {
        host_.printDocument(document());
      } else {
        printSettings();
      }
      finish(kExitDone);
      return;
    case Command::Save: {
      const std::string error = host_.saveDocument(document());
      if (!error.empty()) {
        report(error);
        finish(kExitFile);
        return;
      }
      print("saved " + request_.file + ": the settings of " + model_ + ", firmware " +
                  esc_.firmware);
      finish(kExitDone);
      return;
    }
    case Command::Diff:
      compare();
      return;
    default:
      apply();
      return;
  }
}

// Reads only: the file's values are compared, none is picked.
void CliFlow::compare() {
  const std::vector<SettingDifference> diff = CompareSettings(before_, request_.targets);
  if (request_.json) {
    print(DifferencesJson(diff));
  } else {
    for (const SettingDifference& d : diff) print(DifferenceLine(d));
  }
  finish(AllEqual(diff) ? kExitDone : kExitDiffer);
}

void CliFlow::printSettings() {
  print("model: " + model_);
  print("firmware: " + esc_.firmware);
  for (int i : kPanelOrder) {
    print(Name(i) + ": " + ChoiceText(i, before_[static_cast<std::size_t>(i)]));
  }
}

SettingsDocument CliFlow::document() {
  SettingsDocument doc;
  doc.model = model_;
  doc.firmware = esc_.firmware;
  for (int i : kPanelOrder) {
    const int value = before_[static_cast<std::size_t>(i)];
    if (InList(i, value)) {
      doc.values[static_cast<std::size_t>(i)] = value;
    } else {
      report(Name(i) + ": the ESC reports " + ChoiceText(i, value) +
                   ", which is not in the list; left out");
    }
  }
  return doc;
}

// The window would write the panel's value over a value outside the list at the next poll:
// nothing the user did not ask for is written, so such an ESC is left alone.
void CliFlow::apply() {
  for (int i : kPanelOrder) {
    const int value = before_[static_cast<std::size_t>(i)];
    if (!InList(i, value)) {
      escFailed(Name(i) + " reads " + ChoiceText(i, value) +
                ", which is not in the list; nothing written");
      return;
    }
  }
  if (request_.command == Command::Reset) {
    std::copy(kSettingDefault.begin(), kSettingDefault.end(), targets_.begin());
    form_.restoreDefaults();
  } else {
    targets_ = request_.targets;
    PickSettings(form_, targets_);
  }
  for (std::size_t i = 0; i < targets_.size(); ++i) {
    pending_[i] = targets_[i] != kNotGiven && targets_[i] != before_[i];
    after_[i] = pending_[i] ? kNotGiven : before_[i];
  }
  phase_ = Phase::Confirming;
  confirming();
}

void CliFlow::confirming() {
  if (refused_ >= 0) {
    notConfirmed();
  } else if (pending_ == confirmed_) {
    completed();
  } else if (!connected()) {
    escFailed("connection lost before its settings were confirmed");
  } else if (workMs_ >= kWorkLimitMs) {
    escFailed("its settings were not confirmed within " + Seconds(kWorkLimitMs));
  }
}

void CliFlow::completed() {
  const int written = static_cast<int>(std::count(pending_.begin(), pending_.end(), true));
  if (!request_.each) {
    printChanges(false);
    finish(kExitDone);
    return;
  }
  print("ESC " + std::to_string(escCount_) + ": " + model_ + ", " +
              Count(written, "setting", "settings") + " written, confirmed");
  ++confirmedCount_;
  phase_ = Phase::WaitingGone;
  record("confirmed", "");
}

void CliFlow::notConfirmed() {
  if (!request_.each) printChanges(true);
  escFailed(Name(refused_) + ": the ESC did not confirm " +
            ChoiceText(refused_, targets_[static_cast<std::size_t>(refused_)]) + ", it reports " +
            ChoiceText(refused_, refusedValue_));
}

// Without --each the work ends with status 4; with it, the ESC is counted as not confirmed
// and the batch goes on once this ESC has gone.
void CliFlow::escFailed(const std::string& reason) {
  const std::string why = reason + unconfirmed();
  if (!request_.each) {
    report(why);
    finish(kExitNotConfirmed);
    return;
  }
  print("ESC " + std::to_string(escCount_) + ": " + model_ + ", " + why);
  ++failedCount_;
  const bool lost = !connected();
  phase_ = lost ? Phase::Searching : Phase::WaitingGone;
  sinceSelectMs_ = 0;
  record(lost ? "lost" : "not confirmed", why);
}

bool CliFlow::record(const std::string& result, const std::string& note) {
  if (request_.record.empty()) return true;
  BatchRow row;
  row.time = host_.utcNow();
  row.esc = escCount_;
  row.model = model_;
  row.firmware = esc_.firmware;
  row.before = before_;
  row.after = after_;
  row.result = result;
  row.note = note;
  const std::string error = host_.recordRow(BatchRecordLine(row));
  if (error.empty()) return true;
  // A batch whose record misses rows is no audit: it ends here.
  report(error);
  print(summary());
  finish(kExitFile);
  return false;
}

// The settings asked for that the ESC never confirmed, besides one it refused: a user who
// stops at the first failure knows what else the ESC may still hold.
std::string CliFlow::unconfirmed() const {
  if (phase_ != Phase::Confirming) return {};
  std::string names;
  for (int i : kPanelOrder) {
    const std::size_t k = static_cast<std::size_t>(i);
    if (pending_[k] && !confirmed_[k] && i != refused_) {
      names += (names.empty() ? "" : ", ") + Name(i);
    }
  }
  if (names.empty()) return {};
  return (refused_ >= 0 ? "; also not confirmed: " : "; not confirmed: ") + names;
}

void CliFlow::printChanges(bool confirmedOnly) {
  std::vector<int> order = request_.order;
  if (order.empty()) {
    for (int i : kPanelOrder) {
      if (targets_[static_cast<std::size_t>(i)] != kNotGiven) order.push_back(i);
    }
  }
  for (int i : order) {
    const std::size_t k = static_cast<std::size_t>(i);
    if (confirmedOnly && pending_[k] && !confirmed_[k]) continue;
    const std::string target = ChoiceText(i, targets_[k]);
    print(
        Name(i) + ": " +
        (pending_[k] ? ChoiceText(i, before_[k]) + " -> " + target : target + " (unchanged)"));
  }
}

void CliFlow::finish(int status) {
  finishStatus_ = status;
  phase_ = Phase::Finishing;
  requestStep();
}

// The window's shutdown closes the port: a stop goes first while the motor may run.
void CliFlow::finishNow() {
  phase_ = Phase::Done;
  tick_.setEnabled(false);
  soon_.setEnabled(false);
  form_.Unload();
  status_ = finishStatus_;
  host_.finished(finishStatus_);
}

bool CliFlow::connected() const {
  return form_.connection() == Connection::Connected;
}

bool CliFlow::allRead() const {
  const auto& values = form_.state().deviceValue;
  return std::none_of(values.begin(), values.end(), [](std::int32_t v) { return v == -1; });
}

std::string CliFlow::portList() const {
  std::string list;
  for (const std::string& name : portNames_) list += (list.empty() ? "" : ", ") + name;
  return list;
}

std::string CliFlow::cannotOpen(const std::vector<int>& ports) {
  std::string text = "cannot open ";
  for (std::size_t k = 0; k < ports.size(); ++k) {
    const int n = ports[k];
    text += (k == 0 ? "" : "; ") + portNames_.at(static_cast<std::size_t>(n - 1)) + ": " +
            host_.openFailure(n);
  }
  return text;
}

std::string CliFlow::summary() const {
  if (escCount_ == 0) return "no ESC was configured";
  if (escCount_ == confirmedCount_) return Count(escCount_, "ESC", "ESCs") + " configured, all confirmed";
  std::string text = Count(escCount_, "ESC", "ESCs") + ": " + std::to_string(confirmedCount_) +
                     " confirmed";
  if (failedCount_ > 0) text += ", " + std::to_string(failedCount_) + " not confirmed";
  if (unknownCount_ > 0) text += ", " + std::to_string(unknownCount_) + " of an unknown model";
  return text;
}

void CliFlow::print(const std::string& line) {
  host_.print(Printable(line));
}

void CliFlow::report(const std::string& line) {
  host_.report(Printable(line));
}

}  // namespace morvane::cli
