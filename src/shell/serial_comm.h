// SPDX-License-Identifier: GPL-3.0-or-later
// MSComm on QSerialPort: 38400 8N1, no flow control, DTR on, RTS off. Port numbers map
// to devices through the port table; a listed path opens the device it resolves to, and only
// when it is a terminal no other program holds. A device that fails for good (an adapter
// pulled out, the far end of a pseudo-terminal gone) is closed at once and reported once,
// also while nothing is being read or written.
#pragma once

#include <QObject>
#include <QSerialPort>
#include <QSocketNotifier>
#include <functional>

#include "ports/device_check.h"
#include "link/seams.h"
#include "ports/port_table.h"

namespace morvane {

// A QSerialPort whose errorString() also tells why an open failed before it reached Qt.
class ExplainingSerialPort : public QSerialPort {
 public:
  void explain(const QString& why) { setErrorString(why); }
};

class SerialComm : public QObject, public MSComm {
  Q_OBJECT

 public:
  explicit SerialComm(const PortTable& table, QObject* parent = nullptr);
  ~SerialComm() override;

  void setCommPort(int n) override;
  int commPort() const override { return commPort_; }
  bool setPortOpen(bool open) override;
  bool portOpen() const override { return port_.isOpen() || probed_; }
  // Kind None after an open that succeeded.
  OpenFailure openFailure() const override { return failure_; }
  // While scanning an open claims the device and looks for another program's lock file, and
  // goes no further: Qt's open writes, syncs and removes a lock file of its own and sets the
  // line up, for a port the scan closes again at once.
  void setScanning(bool scanning) override { scanning_ = scanning; }

  void setOutBufferCount(int n) override;
  void setInBufferCount(int n) override;
  int inBufferCount() const override;
  std::uint8_t input() override;
  void setOutput(std::span<const std::uint8_t> bytes) override;
  void drainOutput(int timeoutMs) override;

  void setRThreshold(int n) override { rThreshold_ = n; }
  int rThreshold() const override { return rThreshold_; }
  int commEvent() const override { return commEvent_; }

  // The device underneath, for tests that watch its signals.
  const QSerialPort& device() const { return port_; }

  // Told the native descriptor when a port opens and -1 when it closes, for whoever must
  // reach the line without going through Qt (the last-resort stop on an abnormal exit).
  void setOnDescriptorChanged(std::function<void(int fd)> handler) {
    onDescriptorChanged_ = std::move(handler);
  }

  static constexpr int kBaud = 38400;
  // The ESC's line runs at kBaud; a second port (a thrust stand) at its own. Only while closed.
  void setBaudRate(int baud) {
    if (!portOpen()) port_.setBaudRate(baud);
  }

 private:
  void received();
  void failed(QSerialPort::SerialPortError error);
  void hungUp();
  void died();
  void closePort();
  bool refuse(OpenFailure failure);
  void descriptorChanged(int fd) {
    if (onDescriptorChanged_) onDescriptorChanged_(fd);
  }

  const PortTable& table_;
  ExplainingSerialPort port_;
#if defined(Q_OS_UNIX)
  // Held while the port is open: the device's advisory lock.
  DeviceClaim claim_;
#endif
  OpenFailure failure_;
  // Raised by a hang-up of the descriptor, not by incoming data: reading stays with Qt.
  QSocketNotifier hangUp_{QSocketNotifier::Exception};
  bool scanning_ = false;
  bool probed_ = false;  // open for the scan: the claim is held, Qt's port is not open
  int commPort_ = 1;
  int rThreshold_ = 0;
  int commEvent_ = 0;
  std::function<void(int fd)> onDescriptorChanged_;
};

}  // namespace morvane
