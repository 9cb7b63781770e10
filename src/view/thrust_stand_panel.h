// SPDX-License-Identifier: GPL-3.0-or-later
// The motor test window's "Thrust stand" group: the stand's port and baud rate, its live
// reading, tare and calibration (remembered per port), which column is what, and the limits
// that stop the motor. The port is a second SerialComm that only ever reads: no byte of the
// ESC's protocol goes to it, and nothing it sends reaches the ESC.
#pragma once

#include <QGroupBox>
#include <QString>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "form/form_mvconfig.h"
#include "motortest/motor_test.h"
#include "ports/port_table.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace morvane {

class SerialComm;

class ThrustStandPanel : public QGroupBox {
  Q_OBJECT

 public:
  // table: the ports the stand may be on; none, and the group offers no port.
  ThrustStandPanel(MotorTest& test, FormMVconfig& form, const PortTable* table,
                   QWidget* parent = nullptr);
  ~ThrustStandPanel() override;

  // Opens port n at baud; false, with the reason shown, when it cannot.
  bool openPort(int n, int baud);
  void closePort();
  // Which port and calibration, for the report; empty without a stand.
  QString description() const;

  static const std::vector<int>& baudRates();

 private:
  void buildWidgets();
  void fillPorts();
  void received();
  void showReading();
  void showState();
  void tare();
  void calibrate();
  void calibrated(const std::string& why);
  void applyColumns();
  void applyLimits();
  bool motorStill() const;

  MotorTest& test_;
  FormMVconfig& form_;
  const PortTable* table_;
  std::unique_ptr<SerialComm> comm_;
  int port_ = 0;  // the open stand's number; 0 when closed
  std::string path_;
  QString note_;  // why the last open or action failed
  // Readings come up to 80 times a second; the text changes at most this often.
  static constexpr int kShowEveryMs = 250;
  QTimer showTimer_;
  // Runs only while the stand is open: it says so when no good line has come for a second.
  QTimer quietTimer_;

  QComboBox* portBox_ = nullptr;
  QComboBox* baudBox_ = nullptr;
  QPushButton* openButton_ = nullptr;
  QLabel* reading_ = nullptr;
  QPushButton* tareButton_ = nullptr;
  QPushButton* calibrateButton_ = nullptr;
  QComboBox* columnsBox_ = nullptr;
  QDoubleSpinBox* thrustLimit_ = nullptr;
  QDoubleSpinBox* currentLimit_ = nullptr;
  std::vector<Observers::Subscription> subscriptions_;
  CallbackList<const StandReading&>::Subscription readings_;
};

}  // namespace morvane
