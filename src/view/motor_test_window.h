// SPDX-License-Identifier: GPL-3.0-or-later
// The motor test window beside the main window: a live plot of r/min and throttle,
// recording to CSV, and the stepped throttle sweep with its table. It shows the motor
// test's state and forwards the user's requests; the rules live in the motor test.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "link/seams.h"
#include "motortest/motor_test.h"
#include "form/form_mvconfig.h"
#include "ports/port_table.h"
#include "view/motor_test_csv.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace morvane {

class MotorTestPlot;
class ThrustStandPanel;

class MotorTestWindow : public QWidget {
  Q_OBJECT

 public:
  // table: the ports a thrust stand may be on; none, and the stand's group offers none.
  MotorTestWindow(FormMVconfig& form, const Clock& clock, QWidget* parent = nullptr,
                  const PortTable* table = nullptr);
  ~MotorTestWindow() override;

  MotorTest& test() { return test_; }

  // Records to path from now on; false, with the reason shown, when it cannot be made.
  bool startRecording(const QString& path);
  void stopRecording();
  // The sweep's table as CSV; false, with the reason shown, when it cannot be written.
  bool saveTable(const QString& path);
  // The report as PDF (a name ending in .pdf) or PNG; false, with the reason shown.
  bool saveReport(const QString& path);
  ThrustStandPanel* standPanel() const { return stand_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildWidgets();
  void bindTest();
  void showSample();
  void showRecording();
  void showSweep();
  void announceSweep();
  void startSweep();
  void chooseRecordingFile();
  void chooseTableFile();
  void chooseReportFile();
  void fillTable();
  QStringList tableHeads(bool stand) const;

  FormMVconfig& form_;
  MotorTest test_;
  CsvFile recording_;
  QString recordingNote_;
  // Replies come ten times a second; the plot moves a pixel or two between them, so the
  // window shows them at most this often.
  static constexpr int kShowEveryMs = 250;
  QTimer showTimer_;

  QLabel* presentValues_ = nullptr;
  MotorTestPlot* plot_ = nullptr;
  QPushButton* recordButton_ = nullptr;
  QLabel* recordingLabel_ = nullptr;
  QSpinBox* from_ = nullptr;
  QSpinBox* to_ = nullptr;
  QSpinBox* step_ = nullptr;
  QDoubleSpinBox* settle_ = nullptr;
  QSpinBox* samples_ = nullptr;
  QSpinBox* maximum_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QPushButton* saveTableButton_ = nullptr;
  QPushButton* saveReportButton_ = nullptr;
  ThrustStandPanel* stand_ = nullptr;
  QLabel* sweepStatus_ = nullptr;
  QTableWidget* table_ = nullptr;

  // Gone before the motor test they watch.
  std::vector<Observers::Subscription> subscriptions_;
  // What a reader has been told of the sweep: whether it runs, and how many rows it has.
  bool sweepTold_ = false;
  std::size_t rowsTold_ = 0;
};

}  // namespace morvane
