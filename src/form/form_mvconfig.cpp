// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/form_mvconfig.h"

#include <array>
#include <cstdint>

#include "protocol/process_reply.h"

namespace morvane {

std::string Caption(AppVersion version) {
  std::string revision = std::to_string(version.revision);
  if (revision.size() < 2) revision.insert(0, 2 - revision.size(), '0');
  return "Morvane ESC Config V" + std::to_string(version.major) + "." +
         std::to_string(version.minor) + revision;
}

FormMVconfig::FormMVconfig(MSComm& comm, Timer& timer1, Timer& timer2, EventPump& pump,
                           AppVersion version)
    : comm_(comm),
      timer1_(timer1),
      timer2_(timer2),
      pump_(pump),
      version_(version),
      link_(state_, comm, timer1, timer2, *this) {
  controls_.CombPort.onClick = [this] { CombPort_Click(); };
  for (int i = 0; i < kSettingCount; ++i) {
    controls_.setting(i).onClick = [this, i] { Setting_Click(i); };
  }
  controls_.CmdReset.onClick = [this] { CmdReset_Click(); };
  controls_.SldPower.onChange = [this] { OnThrottleMoved(); };
  controls_.VSlPole.onChange = [this] { VSlPole_Change(); };
  controls_.TabStrip1.onClick = [this] { TabStrip1_Click(); };
  controls_.TxtConnState.changed.connect([this] { TxtConnState_Change(); });
  comm_.setOnPortFailed([this] { OnPortFailed(); });
  timer1_.setInterval(kIdlePollMs);
  timer2_.setInterval(kReplyTimeoutMs);
  TxtConnState_Change();
}

bool FormMVconfig::isConnected() const { return controls_.TxtConnState.text() == kConnected; }

Connection FormMVconfig::connection() const {
  return isConnected() ? Connection::Connected : Connection::Unconnected;
}

void FormMVconfig::showUnconnected(LossCause cause) {
  const bool wasConnected = isConnected();
  controls_.TxtConnState.setText(kUnconnected);
  controls_.TxtHardVer.setText(kUnknown);
  controls_.TxtFirmVer.setText(kUnknown);
  controls_.SldPower.setValue(0);
  if (!wasConnected) return;
  const int port = connectedEsc_ ? connectedEsc_->port : state_.openPort;
  connectedEsc_.reset();
  escLost({port, cause});
}

// The ESC may still hear us while we no longer hear it (a broken receive wire), and may
// have taken a throttle whose reply never came: it is told to stop now.
void FormMVconfig::connectionLost() {
  writeStopFrame();
  showUnconnected(LossCause::Misses);
}

void FormMVconfig::processReply() {
  const std::uint8_t command = Head(state_).tx[0];
  const bool wasConnected = isConnected();
  ProcessReply(state_, controls_);
  publishReply(command, wasConnected);
  replyHandled.notify();
}

// What the reply in the head meant, now that the window has acted on it.
void FormMVconfig::publishReply(std::uint8_t command, bool wasConnected) {
  using Publish = void (FormMVconfig::*)(bool wasConnected);
  static constexpr ForEachCommand<Publish> kPublish = {{
      {CMD_PING, &FormMVconfig::publishPoll},
      {CMD_GET_VERSION, &FormMVconfig::publishVersion},
      {CMD_READ_PARAM, &FormMVconfig::publishSetting},
      {CMD_WRITE_PARAM, &FormMVconfig::publishSetting},
      // The throttle is told as the slider settles (throttleCommanded), not as acknowledged.
      {CMD_SET_THROTTLE, &FormMVconfig::publishNothing},
      {CMD_GET_SPEED, &FormMVconfig::publishPoll},
  }};
  static_assert(OneRowPerCommand(kPublish), "a command whose reply the form does not tell");
  if (const Publish* publish = ActionFor(kPublish, command)) (this->**publish)(wasConnected);
}

void FormMVconfig::publishVersion(bool wasConnected) {
  const CommandSlot& head = Head(state_);
  if (!wasConnected && isConnected()) {
    connectedEsc_ =
        EscFound{state_.openPort, controls_.TxtHardVer.text(), controls_.TxtFirmVer.text()};
    escFound(*connectedEsc_);
  } else if (!isConnected()) {
    unknownModel(static_cast<std::uint16_t>(head.reply[1] | head.reply[2] << 8));
  }
}

void FormMVconfig::publishSetting(bool /*wasConnected*/) {
  const CommandSlot& head = Head(state_);
  const int setting = SettingIndexOfParam(head.tx[1]);
  if (setting < 0) return;
  const SettingReport report{setting, static_cast<int>(head.reply[1]) - 1};
  (head.tx[0] == CMD_READ_PARAM ? settingReported : settingConfirmed)(report);
}

void FormMVconfig::publishPoll(bool /*wasConnected*/) {
  if (!isConnected()) return;
  PollAnswer answer;
  answer.speed = Head(state_).tx[0] == CMD_GET_SPEED;
  answer.rpmShown = ShownRpm(controls_);
  answer.poles = controls_.VSlPole.value();
  answer.throttle = controls_.SldPower.value();
  if (answer.speed) {
    answer.period = PeriodOfSpeedReply(state_);
    answer.rpm = SampleOfSpeedReply(state_);
  }
  pollAnswered(answer);
}

void FormMVconfig::Load() {
  CreateQueue(state_);
  PortScan();
  controls_.CombPort.setListIndex(0);  // no entry: skipped, no port opens
  CmdReset_Click();  // the same defaults, in the same order
  state_.currentTab = controls_.TabStrip1.selectedItem();
  controls_.FrameConfig.setVisible(true);
  controls_.FrameRun.setVisible(false);
  controls_.caption.setText(Caption(version_));
}

void FormMVconfig::PortScan() {
  comm_.setScanning(true);
  for (int n = 1; n <= kPortCount; ++n) {
    comm_.setCommPort(n);
    comm_.setPortOpen(true);
    pump_.doEvents();
    if (comm_.portOpen()) {
      comm_.setPortOpen(false);
      pump_.doEvents();
      controls_.CombPort.addItem("COM" + std::to_string(n));
      controls_.CombPort.setItemData(controls_.CombPort.listCount() - 1, n);
    }
  }
  comm_.setScanning(false);
}

bool FormMVconfig::motorMayRun() const { return isConnected() || state_.lastThrottle != 0; }

// Its reply, if any, is dropped by the next frame's buffer clear.
void FormMVconfig::writeStopFrame() {
  link_.writeFrame(kStopFrame);
}

// Never leave a motor running behind a port we close: one throttle-0 frame first.
void FormMVconfig::stopMotorAndClose() {
  if (!comm_.portOpen()) return;
  if (motorMayRun()) {
    comm_.setRThreshold(0);
    writeStopFrame();
    comm_.drainOutput(kDrainMs);
  }
  comm_.setPortOpen(false);
}

void FormMVconfig::setStatus(LinkStatus::State state, int port) {
  status_.state = state;
  status_.port = port;
  status_.sinceMs = clock_->elapsedMs();
}

void FormMVconfig::CombPort_Click() {
  ComboBox& box = controls_.CombPort;
  const int selected = box.listIndex();
  if (selected < 0) return;
  const int port = box.itemData(selected);
  if (state_.openPort == port && comm_.portOpen()) return;
  if (selectDepth_++ == 0) chainFailures_.clear();

  timer1_.setEnabled(false);
  timer2_.setEnabled(false);
  // No byte of the new port may be parsed against a command meant for the old one.
  comm_.setRThreshold(0);
  if (comm_.portOpen()) {
    stopMotorAndClose();
    pump_.doEvents();
  }
  comm_.setCommPort(port);
  comm_.setPortOpen(true);
  pump_.doEvents();
  if (!comm_.portOpen()) {
    chainFailures_.push_back({port, comm_.openFailure()});
    state_.openPort = 0;
    int i = box.listIndex();
    if (i >= 0) box.removeItem(i);
    if (box.listCount() > 0) {
      if (i > 0) --i;
      box.setListIndex(i < 0 ? 0 : i);
    }
  } else {
    state_.openPort = comm_.commPort();
    lostPort_ = 0;  // whichever port opened, none is awaited back any more
    status_.lastFailures.clear();
    setStatus(LinkStatus::State::Waiting, state_.openPort);
    dropPendingCommands();
    timer1_.setEnabled(true);
  }
  showUnconnected(LossCause::PortClosed);
  if (--selectDepth_ == 0 && !chainFailures_.empty()) {
    if (!comm_.portOpen()) {
      status_.lastFailures = chainFailures_;
      setStatus(LinkStatus::State::NoPort, 0);
    }
    portsFailed.notify();
  }
}

void FormMVconfig::PortAppeared(int n) {
  if (n < 1 || n > kPortCount) return;
  ComboBox& box = controls_.CombPort;
  int at = box.findItemData(n);
  if (at < 0) {
    at = 0;
    while (at < box.listCount() && box.itemData(at) < n) ++at;
    box.insertItem(at, "COM" + std::to_string(n), n);
  }
  const bool idle = !comm_.portOpen();
  if ((idle && n == lostPort_) || (idle && box.listIndex() < 0)) box.setListIndex(at);
}

void FormMVconfig::PortVanished(int n) {
  if (n == state_.openPort && comm_.portOpen()) {
    OnPortFailed();  // the entry stays: its device is awaited back
    return;
  }
  if (n == lostPort_) return;
  controls_.CombPort.removeItem(controls_.CombPort.findItemData(n));
}

void FormMVconfig::OnPortFailed() {
  if (state_.openPort != 0) lostPort_ = state_.openPort;
  comm_.setRThreshold(0);
  timer1_.setEnabled(false);
  timer2_.setEnabled(false);
  if (comm_.portOpen()) comm_.setPortOpen(false);
  state_.openPort = 0;
  dropPendingCommands();
  showUnconnected(LossCause::PortFailed);
  if (lostPort_ != 0) setStatus(LinkStatus::State::Unplugged, lostPort_);
}

// A line starts again with the handshake. A setting write or a throttle queued for the ESC
// on the old line must not reach whatever answers on the new one before it is identified.
void FormMVconfig::dropPendingCommands() { state_.addIndex = state_.sendIndex; }

bool FormMVconfig::pickSetting(int setting, int index) {
  return controls_.setting(setting).setListIndex(index);
}

void FormMVconfig::pickPort(int n) {
  ComboBox& list = controls_.CombPort;
  int entry = list.findItemData(n);
  if (entry < 0) {
    list.addItem("COM" + std::to_string(n));
    entry = list.listCount() - 1;
    list.setItemData(entry, n);
  }
  list.setListIndex(entry);
}

void FormMVconfig::Setting_Click(int index) {
  state_.wantedValue[index] = static_cast<std::int16_t>(controls_.setting(index).listIndex());
}

void FormMVconfig::CmdReset_Click() {
  for (int i = 0; i < kSettingCount; ++i) {
    controls_.setting(i).setListIndex(kSettingDefault[static_cast<std::size_t>(i)]);
  }
}

void FormMVconfig::OnThrottleMoved() {
  RangeControl& slider = controls_.SldPower;
  if (!slider.enabled() && slider.value() != 0) {
    slider.setValue(0);  // the nested run shows the stop
    return;
  }
  const int step = slider.value() - state_.prevSliderValue;
  if (step > slider.largeChange()) slider.setValue(state_.prevSliderValue + slider.largeChange());
  state_.prevSliderValue = slider.value();
  controls_.LbPower.setText(std::to_string(slider.value()));
  if (slider.value() > 25) state_.motorRunning = true;
  if (slider.value() < 20) {
    state_.motorRunning = false;
    ShowRpm(controls_, 0);
  }
  // A move past the step limit runs this again, nested, with the value it is cut to.
  if (slider.value() != commandedThrottle_) {
    commandedThrottle_ = slider.value();
    throttleCommanded(commandedThrottle_);
  }
}

void FormMVconfig::VSlPole_Change() {
  controls_.TxtPole.setText(std::to_string(controls_.VSlPole.value()));
}

void FormMVconfig::TabStrip1_Click() {
  const int tab = controls_.TabStrip1.selectedItem();
  if (tab == state_.currentTab) return;
  state_.currentTab = tab;
  if (tab == 1) {
    controls_.SldPower.setValue(0);
    controls_.FrameConfig.setVisible(true);
    controls_.FrameRun.setVisible(false);
    controls_.TabStrip1.setFocus();
  } else if (tab == 2) {
    controls_.FrameRun.setVisible(true);
    controls_.FrameConfig.setVisible(false);
    controls_.SldPower.setFocus();
  }
}

// The throttle works only with an identified ESC: a slider raised before one is found would
// start its motor at the first poll reply.
void FormMVconfig::TxtConnState_Change() {
  const bool connected = isConnected();
  if (connected) {
    setStatus(LinkStatus::State::Connected, state_.openPort);
  } else if (status_.state == LinkStatus::State::Connected) {
    setStatus(LinkStatus::State::Waiting, status_.port);
  }
  controls_.SldPower.setEnabled(connected);
  if (!connected) controls_.SldPower.setValue(0);
}

void FormMVconfig::OnStopKey() {
  stopRequested.notify();
  if (controls_.SldPower.value() > 0) controls_.SldPower.setValue(0);
}

void FormMVconfig::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  comm_.setRThreshold(0);
  timer1_.setEnabled(false);
  timer2_.setEnabled(false);
  stopMotorAndClose();
}

}  // namespace morvane
