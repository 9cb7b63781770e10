// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's logic: start-up, the port list, the two panels, tabs and shutdown,
// on headless controls. A view mirrors the controls and forwards the user's actions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "link/app_state.h"
#include "link/callback_list.h"
#include "link/commands.h"
#include "link/link.h"
#include "link/seams.h"
#include "ports/link_status.h"
#include "controls/controls.h"

namespace morvane {

// "Morvane ESC Config V" with the version as major "0.", minor "0", revision "00".
std::string Caption(AppVersion version);

// The connection as a value: what the status box says in words.
enum class Connection { Unconnected, Connected };

// Why a connected ESC is no longer: three replies missed in a row, its port failed (an
// adapter pulled out), or its port was closed for another.
enum class LossCause { Misses, PortFailed, PortClosed };

// An ESC identified on a port, with the texts the window shows for it.
struct EscFound {
  int port = 0;
  std::string model;
  std::string firmware;
};

struct EscLost {
  int port = 0;
  LossCause cause = LossCause::Misses;
};

// A setting as the ESC reports it: which (the index of deviceValue) and the entry index its
// value byte stands for, which may lie outside the list.
struct SettingReport {
  int setting = 0;
  int value = 0;
};

// A poll answered while connected: a ping, or a speed request with what it measured.
struct PollAnswer {
  bool speed = false;
  // A speed reply's period, in the ESC's ticks, as it came.
  std::int32_t period = 0;
  // This reply's own sample in r/min: 0 for a standing motor, none for a ping or for a
  // period too short to count.
  std::optional<std::int32_t> rpm;
  std::int32_t rpmShown = 0;  // the ten-reply average the r/min box shows
  int poles = 2;
  int throttle = 0;  // the slider's value
};

class FormMVconfig : private LinkHost {
 public:
  // Wires every control handler, both timers and the port's notifications. The ports
  // are not touched until Load().
  FormMVconfig(MSComm& comm, Timer& timer1, Timer& timer2, EventPump& pump, AppVersion version);

  // Where the window takes the time of what happens from; without one every time is 0.
  void setClock(const Clock& clock) { clock_ = &clock; }
  const Clock& clock() const { return *clock_; }

  void Load();    // start-up, once
  void Unload();  // shutdown, once, when the window closes

  // The open port failed for good (an adapter pulled out): close it and go idle. When the
  // same device comes back, it is opened again unless another port was picked meanwhile.
  void OnPortFailed();

  // The system's serial devices come and go; n is the number the device holds for the
  // whole run. A new entry takes its place in number order without a selection, unless no
  // port is open and none is selected: then it is selected as start-up selects. A device
  // that vanishes loses its entry, unless it is the open port's or the one awaited back.
  void PortAppeared(int n);
  void PortVanished(int n);

  // What the link is doing, for the status tooltip.
  const LinkStatus& linkStatus() const { return status_; }
  // The ports the last selection tried and failed to open, in order, for the balloon at the
  // port list; raised once at the end of such a selection.
  const std::vector<PortFailure>& openFailures() const { return chainFailures_; }
  Observers portsFailed;

  // The ESC on the open line may be turning a motor: it is connected, or the throttle it
  // last acknowledged is not 0 (or not known). A port closed in this state gets a stop first.
  bool motorMayRun() const;

  // Control handlers, raised through the controls.
  void PortScan();
  void CombPort_Click();
  void Setting_Click(int index);
  void CmdReset_Click();
  void OnThrottleMoved();
  void VSlPole_Change();
  void TabStrip1_Click();
  void TxtConnState_Change();
  // Escape, from anywhere in the program: the throttle goes to 0 at once, and whatever
  // drives the motor beside the window (a sweep) is told to stop.
  void OnStopKey();
  Observers stopRequested;

  // Raised after each complete reply has been handled, while the head still holds it, for
  // whatever follows the ESC beside the window (the command line's flows, the motor test).
  Observers replyHandled;

  // What happened, for whatever follows the ESC beside the window. Each is raised once the
  // window's own handling of it is complete.
  Connection connection() const;
  // The ESC connected now, none while unconnected.
  const std::optional<EscFound>& connectedEsc() const { return connectedEsc_; }
  CallbackList<const EscFound&> escFound;
  CallbackList<const EscLost&> escLost;
  // A version reply whose hardware number belongs to no model: that ESC cannot be worked on.
  CallbackList<std::uint16_t> unknownModel;
  // The reply to a read, and to a write (the value the ESC now holds, which may differ from
  // the one written).
  CallbackList<const SettingReport&> settingReported;
  CallbackList<const SettingReport&> settingConfirmed;
  CallbackList<const PollAnswer&> pollAnswered;
  // The throttle the window now commands, once the slider has settled (a step past the
  // limit is cut to it, a slider disabled falls to 0); the follow-up frames send it.
  CallbackList<int> throttleCommanded;
  int commandedThrottle() const { return commandedThrottle_; }

  // What the user does, for features that act as the user would: each raises exactly the
  // handlers the user's action raises.
  // Picks entry `index` of a setting's box; false when the box has no such entry.
  bool pickSetting(int setting, int index);
  void restoreDefaults() { controls_.CmdReset.click(); }
  void moveThrottle(int value) { controls_.SldPower.setValue(value); }
  void chooseTab(int tab) { controls_.TabStrip1.clickTab(tab); }
  // Selects COM n in the port list; an entry that left the list (its open failed) is put
  // back at its end first.
  void pickPort(int n);

  AppState& state() { return state_; }
  const AppState& state() const { return state_; }
  Controls& controls() { return controls_; }
  const Controls& controls() const { return controls_; }
  Link& link() { return link_; }

  static constexpr int kPortCount = morvane::kPortCount;
  static constexpr int kDrainMs = 50;

 private:
  bool isConnected() const override;
  void connectionLost() override;
  void processReply() override;

  void showUnconnected(LossCause cause);
  // What the reply in the head told, for the subscribers: one of these for each command.
  void publishReply(std::uint8_t command, bool wasConnected);
  void publishVersion(bool wasConnected);
  void publishSetting(bool wasConnected);
  void publishPoll(bool wasConnected);
  void publishNothing(bool /*wasConnected*/) {}
  void setStatus(LinkStatus::State state, int port);
  void writeStopFrame();
  void stopMotorAndClose();
  void dropPendingCommands();

  struct StandingClock : Clock {
    std::int64_t elapsedMs() const override { return 0; }
  };
  static inline const StandingClock kNoClock{};

  MSComm& comm_;
  const Clock* clock_ = &kNoClock;
  Timer& timer1_;
  Timer& timer2_;
  EventPump& pump_;
  AppVersion version_;
  AppState state_;
  Controls controls_;
  Link link_;
  bool unloaded_ = false;
  int lostPort_ = 0;     // the open port whose device went away, awaited back
  int selectDepth_ = 0;  // the port selection runs nested in its own failover
  std::vector<PortFailure> chainFailures_;
  LinkStatus status_;
  std::optional<EscFound> connectedEsc_;
  int commandedThrottle_ = 0;
};

}  // namespace morvane
