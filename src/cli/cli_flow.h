// SPDX-License-Identifier: GPL-3.0-or-later
// What morvane-esc does with an ESC, on the window's own logic and headless controls: find
// an ESC on the ports it may try, read its settings, write and confirm them, and with --each
// go on to the next ESC. It runs on the seams' timers, so tests run it on the virtual clock.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "link/seams.h"
#include "settings/settings_file.h"
#include "form/form_mvconfig.h"

namespace morvane::cli {

// What the flow needs from the program around it.
class FlowHost {
 public:
  virtual void print(const std::string& line) = 0;   // a line of results, standard output
  virtual void report(const std::string& line) = 0;  // a line for the user, standard error
  virtual void printDocument(const SettingsDocument& doc) = 0;  // read --json
  // Writes the settings file of save; returns the error (one line naming the file), or
  // nothing when written.
  virtual std::string saveDocument(const SettingsDocument& doc) = 0;
  // Why COM n did not open, as the window gives it.
  virtual std::string openFailure(int port) = 0;
  virtual void finished(int status) = 0;
  // load --each --record: appends one row to the record (the header was checked before the
  // flow began); returns the error, empty when the row is on disk.
  virtual std::string recordRow(const std::string& /*line*/) { return {}; }
  // Now, UTC, ISO 8601: the time of a record's row.
  virtual std::string utcNow() { return {}; }

 protected:
  ~FlowHost() = default;
};

// What load and diff of a file that holds no setting say; they open no port. The line goes to
// standard output, but for diff --json, whose standard output holds one JSON document in every
// outcome: there it is a comparison of nothing, and the line goes to standard error.
struct NothingToDo {
  std::string out;  // without its line end
  std::string err;  // "" when none
};
NothingToDo NothingIn(const CliRequest& request);

class CliFlow {
 public:
  // The form's port table holds only the ports the flow may try, as COM1..COMn in order;
  // portNames names them for the user. Both timers are the flow's own.
  CliFlow(FormMVconfig& form, Timer& tick, Timer& soon, FlowHost& host, CliRequest request,
          std::vector<std::string> portNames);
  CliFlow(const CliFlow&) = delete;
  CliFlow& operator=(const CliFlow&) = delete;

  // The window's start-up on those ports, then the search for an ESC.
  void start();
  // Ctrl+C: the work ends; --each prints its summary.
  void interrupt();
  // Set once the flow has finished and the port is closed.
  std::optional<int> status() const { return status_; }

  static constexpr int kTickMs = 100;
  static constexpr int kDwellMs = 1000;       // on each port in turn, when there are several
  static constexpr int kReopenMs = 500;       // between attempts to open a port that failed
  static constexpr int kWorkLimitMs = 10000;  // from identification to the last confirmation

 private:
  enum class Phase { Searching, Reading, Confirming, WaitingGone, Finishing, Done };

  void onTick();
  void onConfirmed(const SettingReport& report);
  void requestStep();
  void run();
  void step();

  void search();
  void select(int port);
  int nextPort() const;
  void giveUp();
  void unknownEsc();
  void beginEsc();
  void reading();
  void settingsRead();
  void printSettings();
  SettingsDocument document();
  void apply();
  void confirming();
  void completed();
  void notConfirmed();
  void escFailed(const std::string& why);
  std::string unconfirmed() const;
  void printChanges(bool confirmedOnly);
  void compare();
  // A row of the batch's record; false when it could not be written (the batch then ends).
  bool record(const std::string& result, const std::string& note);
  // Every line goes out printable: paths and names from outside may hold control bytes.
  void print(const std::string& line);
  void report(const std::string& line);
  void finish(int status);
  void finishNow();

  bool connected() const;
  bool allRead() const;
  std::string portList() const;
  std::string cannotOpen(const std::vector<int>& ports);
  std::string summary() const;

  FormMVconfig& form_;
  Timer& tick_;
  Timer& soon_;
  FlowHost& host_;
  const CliRequest request_;
  const std::vector<std::string> portNames_;
  CallbackList<const EscFound&>::Subscription found_;
  CallbackList<const EscLost&>::Subscription lost_;
  CallbackList<std::uint16_t>::Subscription unknown_;
  CallbackList<const SettingReport&>::Subscription readAnswers_;
  CallbackList<const SettingReport&>::Subscription writeAnswers_;

  Phase phase_ = Phase::Searching;
  bool running_ = false;
  bool again_ = false;
  int finishStatus_ = kExitDone;
  std::optional<int> status_;

  int current_ = 1;  // the port tried last
  int searchMs_ = 0;
  int sinceSelectMs_ = 0;
  int workMs_ = 0;

  // The ESC being worked on.
  EscFound esc_;
  std::string model_;
  SettingValues before_ = kNoSettings;
  SettingValues targets_ = kNoSettings;
  SettingValues after_ = kNoSettings;  // what the ESC answered to each write
  std::array<bool, kSettingCount> pending_{};
  std::array<bool, kSettingCount> confirmed_{};
  int refused_ = -1;  // a setting whose write the ESC answered with another value
  int refusedValue_ = 0;

  // The hardware number of an ESC of no known model while it answers, and how long since its
  // last version reply.
  std::optional<std::uint16_t> unknownHardware_;
  int unknownAgeMs_ = 0;
  bool unknownTold_ = false;

  int escCount_ = 0;
  int confirmedCount_ = 0;
  int failedCount_ = 0;
  int unknownCount_ = 0;
};

}  // namespace morvane::cli
