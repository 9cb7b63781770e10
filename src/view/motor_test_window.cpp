// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/motor_test_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "motortest/csv_lines.h"
#include "shell/window_language.h"
#include "view/accessibility.h"
#include "view/motor_test_plot.h"
#include "view/motor_test_report.h"
#include "view/thrust_stand_panel.h"

namespace morvane {
namespace {

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

QSpinBox* ThrottleBox(int value, const char* name) {
  auto* box = new QSpinBox;
  box->setObjectName(QLatin1String(name));
  box->setRange(0, 200);
  box->setValue(value);
  return box;
}

// A dialog's name as the bytes the system takes.
std::string FileName(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString DefaultPath(const QString& stem, const QString& suffix = QStringLiteral(".csv")) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  return QDir(folder).filePath(stem + QLatin1Char('-') + stamp + suffix);
}

// A row's cells as shown and printed: a dash where nothing was measured (one sample has no
// spread), not a 0.0 that nothing measured.
QStringList ShownCells(const SweepRow& row, bool stand) {
  QStringList cells;
  for (const std::string& cell : SweepRowCells(row, stand)) {
    cells << (cell.empty() ? QStringLiteral("\u2013") : Text(cell));
  }
  return cells;
}

}  // namespace

MotorTestWindow::MotorTestWindow(FormMVconfig& form, const Clock& clock, QWidget* parent,
                                 const PortTable* table)
    : QWidget(parent, Qt::Window), form_(form), test_(form, clock) {
  setObjectName(QStringLiteral("MotorTest"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(tr("Motor test %1 Morvane ESC Config").arg(QChar(0x2013)));
  buildWidgets();
  stand_ = new ThrustStandPanel(test_, form_, table);
  layout()->addWidget(stand_);
  bindTest();
  MakeMotorTestWindowAccessible(*this);
  auto* closeAction = new QAction(this);
  closeAction->setShortcut(QKeySequence::Close);
  connect(closeAction, &QAction::triggered, this, &QWidget::close);
  addAction(closeAction);
  resize(860, 660);
}

MotorTestWindow::~MotorTestWindow() {
  // The stand's group watches the motor test, which goes before the window's children.
  delete stand_;
  subscriptions_.clear();
  recording_.close();
}

void MotorTestWindow::buildWidgets() {
  auto* layout = new QVBoxLayout(this);

  presentValues_ = new QLabel;
  presentValues_->setObjectName(QStringLiteral("presentValues"));
  presentValues_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont big = presentValues_->font();
  big.setPointSizeF(big.pointSizeF() * 1.4);
  presentValues_->setFont(big);
  layout->addWidget(presentValues_);

  plot_ = new MotorTestPlot(test_.history());
  layout->addWidget(plot_, 1);

  auto* recordRow = new QHBoxLayout;
  recordButton_ = new QPushButton(tr("Record"));
  recordButton_->setObjectName(QStringLiteral("record"));
  recordButton_->setToolTip(
      tr("Writes one CSV row per speed reply (t_s, throttle, rpm_raw, "
         "rpm_avg, poles) until Stop recording."));
  recordingLabel_ = new QLabel;
  recordingLabel_->setObjectName(QStringLiteral("recordingLabel"));
  recordingLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  recordRow->addWidget(recordButton_);
  recordRow->addWidget(recordingLabel_, 1);
  layout->addLayout(recordRow);

  auto* sweep = new QGroupBox(tr("Stepped sweep"));
  auto* sweepRow = new QHBoxLayout(sweep);
  auto* plan = new QFormLayout;
  const SweepPlan defaults;
  from_ = ThrottleBox(defaults.from, "from");
  to_ = ThrottleBox(defaults.to, "to");
  step_ = ThrottleBox(defaults.step, "step");
  step_->setMinimum(1);
  maximum_ = ThrottleBox(defaults.maximum, "maximum");
  settle_ = new QDoubleSpinBox;
  settle_->setObjectName(QStringLiteral("settle"));
  settle_->setLocale(QLocale::c());  // a point, as every number of the program
  settle_->setRange(0, 60);
  settle_->setDecimals(1);
  settle_->setSingleStep(0.5);
  settle_->setSuffix(QStringLiteral(" s"));
  settle_->setValue(defaults.settleMs / 1000.0);
  samples_ = new QSpinBox;
  samples_->setObjectName(QStringLiteral("samples"));
  samples_->setRange(1, 1000);
  samples_->setValue(defaults.samples);
  plan->addRow(tr("&From throttle:"), from_);
  plan->addRow(tr("&To throttle:"), to_);
  plan->addRow(tr("Ste&p:"), step_);
  plan->addRow(tr("Settling &time:"), settle_);
  plan->addRow(tr("Sa&mples per step:"), samples_);
  plan->addRow(tr("Ma&ximum throttle:"), maximum_);

  auto* buttons = new QHBoxLayout;
  startButton_ = new QPushButton(tr("&Start"));
  startButton_->setObjectName(QStringLiteral("start"));
  stopButton_ = new QPushButton(tr("St&op"));
  stopButton_->setObjectName(QStringLiteral("stop"));
  stopButton_->setToolTip(tr("Ends the sweep and sets the throttle to 0 (so does Esc)."));
  saveTableButton_ = new QPushButton(tr("Save &table\u2026"));
  saveTableButton_->setObjectName(QStringLiteral("saveTable"));
  buttons->addWidget(startButton_);
  buttons->addWidget(stopButton_);
  buttons->addWidget(saveTableButton_);
  saveReportButton_ = new QPushButton(tr("Sa&ve report\u2026"));
  saveReportButton_->setObjectName(QStringLiteral("saveReport"));
  saveReportButton_->setToolTip(
      tr("One page to keep, as PDF or PNG: the table, thrust and g/W against throttle, the "
         "ESC and its settings, the stand's calibration and the time."));
  buttons->addWidget(saveReportButton_);

  sweepStatus_ = new QLabel;
  sweepStatus_->setObjectName(QStringLiteral("sweepStatus"));
  sweepStatus_->setWordWrap(true);
  sweepStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* controls = new QVBoxLayout;
  controls->addLayout(plan);
  controls->addLayout(buttons);
  controls->addWidget(sweepStatus_);
  controls->addStretch(1);

  table_ = new QTableWidget(0, 4);
  table_->setObjectName(QStringLiteral("sweepTable"));
  table_->setHorizontalHeaderLabels(
      {tr("Throttle"), tr("Mean r/min"), tr("SD r/min"), tr("Samples")});
  table_->verticalHeader()->setVisible(false);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

  sweepRow->addLayout(controls);
  sweepRow->addWidget(table_, 1);
  layout->addWidget(sweep);
}

void MotorTestWindow::bindTest() {
  showTimer_.setSingleShot(true);
  showTimer_.setInterval(kShowEveryMs);
  connect(&showTimer_, &QTimer::timeout, this, [this] { showSample(); });
  subscriptions_.push_back(test_.sampled.subscribe([this] {
    if (!showTimer_.isActive()) showTimer_.start();
  }));
  subscriptions_.push_back(test_.sweep().changed.subscribe([this] { showSweep(); }));
  connect(recordButton_, &QPushButton::clicked, this, [this] {
    if (test_.recording()) {
      stopRecording();
    } else {
      chooseRecordingFile();
    }
  });
  connect(startButton_, &QPushButton::clicked, this, [this] { startSweep(); });
  connect(stopButton_, &QPushButton::clicked, this,
          [this] { test_.stopMotor(QT_TRANSLATE_NOOP("Sweep", "Stop button")); });
  connect(saveTableButton_, &QPushButton::clicked, this, [this] { chooseTableFile(); });
  connect(saveReportButton_, &QPushButton::clicked, this, [this] { chooseReportFile(); });
  showSample();
  showRecording();
  showSweep();
}

void MotorTestWindow::showSample() {
  const Controls& c = form_.controls();
  QString raw(QChar(0x2014));  // no sample: a ping below 26, or a period too short
  if (!test_.history().empty() && test_.history().back().rpmRaw) {
    raw = QString::number(*test_.history().back().rpmRaw);
  }
  presentValues_->setText(tr("%1 r/min average    %2 r/min this reply    throttle %3")
                              .arg(Text(c.TxtRev.text()), raw, Text(c.LbPower.text())));
  plot_->update();
  if (!recordingNote_.isEmpty() && test_.recording()) stopRecording();
  if (test_.recording()) showRecording();
}

void MotorTestWindow::showRecording() {
  const QString name = QFileInfo(QFile::decodeName(recording_.path().c_str())).fileName();
  recordButton_->setText(test_.recording() ? tr("Stop recording") : tr("Record"));
  // One row takes the singular: a text of its own.
  const auto rows = test_.recordedRows();
  if (test_.recording()) {
    recordingLabel_->setText(rows == 1 ? tr("Recording to %1: 1 row").arg(name)
                                       : tr("Recording to %1: %2 rows").arg(name).arg(rows));
  } else if (!recordingNote_.isEmpty()) {
    recordingLabel_->setText(tr("Recording stopped: %1").arg(recordingNote_));
  } else if (!name.isEmpty()) {
    recordingLabel_->setText(rows == 1 ? tr("Recorded 1 row to %1").arg(name)
                                       : tr("Recorded %1 rows to %2").arg(rows).arg(name));
  } else {
    recordingLabel_->setText(tr("Not recording"));
  }
}

bool MotorTestWindow::startRecording(const QString& path) {
  stopRecording();
  recordingNote_.clear();
  QString error;
  if (!recording_.open(FileName(path), &error)) {
    recordingNote_ = tr("%1 cannot be made: %2").arg(path, error);
    showRecording();
    return false;
  }
  test_.startRecording([this](const std::string& line) {
    QString failed;
    // Stopped once the sample has been handled: not from inside the motor test's call.
    if (recordingNote_.isEmpty() && !recording_.writeLine(line, &failed)) recordingNote_ = failed;
  });
  // The header is written at once: a file that will not take it is no recording.
  if (!recordingNote_.isEmpty()) stopRecording();
  showRecording();
  return recordingNote_.isEmpty();
}

void MotorTestWindow::stopRecording() {
  if (!test_.recording()) return;
  test_.stopRecording();
  QString error;
  if (!recording_.close(&error) && recordingNote_.isEmpty()) recordingNote_ = error;
  showRecording();
}

void MotorTestWindow::chooseRecordingFile() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Record to a CSV file"),
                                                    DefaultPath(QStringLiteral("motor-test")),
                                                    tr("CSV files (*.csv)"));
  if (!path.isEmpty() && !startRecording(path)) {
    QMessageBox::warning(this, tr("Record to a CSV file"), recordingLabel_->text());
  }
}

void MotorTestWindow::startSweep() {
  SweepPlan plan;
  plan.from = from_->value();
  plan.to = to_->value();
  plan.step = step_->value();
  plan.settleMs = static_cast<int>(std::lround(settle_->value() * 1000));
  plan.samples = samples_->value();
  plan.maximum = maximum_->value();
  const std::string note = test_.sweep().start(plan, InWindowLanguage);
  if (!note.empty()) sweepStatus_->setText(Text(note));
}

void MotorTestWindow::showSweep() {
  const ThrottleSweep& sweep = test_.sweep();
  const bool running = sweep.running();
  for (QWidget* w : std::initializer_list<QWidget*>{from_, to_, step_, settle_, samples_, maximum_,
                                                    startButton_}) {
    w->setEnabled(!running);
  }
  saveTableButton_->setEnabled(!running && !sweep.rows().empty());
  saveReportButton_->setEnabled(!running && !sweep.rows().empty());
  sweepStatus_->setText(sweep.phase() == SweepPhase::Idle
                            ? tr("Steps above 25 only: below it the speed is not polled.")
                            : Text(sweep.status(InWindowLanguage)));
  announceSweep();
  if (table_->rowCount() != static_cast<int>(sweep.rows().size())) fillTable();
}

// With a stand the table gains its columns; without one it stays as it always was.
void MotorTestWindow::fillTable() {
  const std::vector<SweepRow>& rows = test_.sweep().rows();
  const bool stand = HasStandColumns(rows);
  const QStringList heads = tableHeads(stand);
  if (table_->columnCount() != heads.size()) {
    table_->setColumnCount(static_cast<int>(heads.size()));
    table_->setHorizontalHeaderLabels(heads);
    // Ten columns do not fit beside the plan: each as wide as it needs, and a scroll bar.
    table_->horizontalHeader()->setSectionResizeMode(stand ? QHeaderView::ResizeToContents
                                                           : QHeaderView::Stretch);
  }
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const QStringList cells = ShownCells(rows[static_cast<std::size_t>(i)], stand);
    for (int col = 0; col < cells.size(); ++col) {
      auto* item = new QTableWidgetItem(cells[col]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(i, col, item);
    }
  }
}

// A reader hears the sweep start, each step's row and its end, which nobody may be looking
// at. A row and the end come together: one announcement, as a later one cuts an earlier off.
void MotorTestWindow::announceSweep() {
  const ThrottleSweep& sweep = test_.sweep();
  QStringList said;
  if (sweep.running() && !sweepTold_) {
    said << tr("Sweep started: %1").arg(sweepStatus_->text());
    rowsTold_ = 0;
  }
  const std::vector<SweepRow>& rows = sweep.rows();
  for (; rowsTold_ < rows.size(); ++rowsTold_) {
    const SweepRow& row = rows[rowsTold_];
    said << tr("Step %1: throttle %2, %3 r/min")
                .arg(rowsTold_ + 1)
                .arg(row.throttle)
                .arg(Text(FixedPoint(row.rpmMean, 1)));
    if (row.stand && row.stand->thrustMean) {
      said << (row.stand->gramsPerWatt
                   ? tr("%1 g, %2 g/W")
                         .arg(Text(FixedPoint(*row.stand->thrustMean, 1)),
                              Text(FixedPoint(*row.stand->gramsPerWatt, 2)))
                   : tr("%1 g").arg(Text(FixedPoint(*row.stand->thrustMean, 1))));
    }
  }
  if (!sweep.running() && sweepTold_) said << tr("Sweep ended. %1").arg(sweepStatus_->text());
  sweepTold_ = sweep.running();
  if (!said.isEmpty()) Announce(*this, said.join(QLatin1Char(' ')));
}

bool MotorTestWindow::saveTable(const QString& path) {
  QString error;
  if (SaveCsv(FileName(path), SweepTable(test_.sweep().rows()), &error)) {
    sweepStatus_->setText(tr("Table saved to %1.").arg(QFileInfo(path).fileName()));
    sweepStatus_->setToolTip(path);
    return true;
  }
  sweepStatus_->setText(tr("The table could not be saved to %1: %2").arg(path, error));
  return false;
}

void MotorTestWindow::chooseTableFile() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Save the sweep's table"),
                                                    DefaultPath(QStringLiteral("motor-sweep")),
                                                    tr("CSV files (*.csv)"));
  if (!path.isEmpty() && !saveTable(path)) {
    QMessageBox::warning(this, tr("Save the sweep's table"), sweepStatus_->text());
  }
}

QStringList MotorTestWindow::tableHeads(bool stand) const {
  QStringList heads = {tr("Throttle"), tr("Mean r/min"), tr("SD r/min"), tr("Samples")};
  if (stand) {
    heads << tr("Thrust g") << tr("SD g") << tr("Current A") << tr("Voltage V") << tr("Power W")
          << tr("g/W");
  }
  return heads;
}

bool MotorTestWindow::saveReport(const QString& path) {
  const Controls& c = form_.controls();
  MotorReport report;
  report.time = QDateTime::currentDateTime();
  report.model = Text(c.TxtHardVer.text());
  report.firmware = Text(c.TxtFirmVer.text());
  // The settings in the main window's order, by its captions.
  const std::pair<const char*, const ComboBox*> settings[] = {
      {QT_TR_NOOP("Cutoff Voltage"), &c.CombCutOffV}, {QT_TR_NOOP("Brake"), &c.CombBrake},
      {QT_TR_NOOP("Timing Advance"), &c.CombTiming},  {QT_TR_NOOP("Cutoff Type"), &c.CombCutOffT},
      {QT_TR_NOOP("Rotation Direction"), &c.CombDir}};
  for (const auto& [name, box] : settings) {
    report.settings.emplace_back(tr(name), box->listIndex() >= 0
                                               ? Text(box->list(box->listIndex()))
                                               : QStringLiteral("\u2013"));
  }
  report.stand = stand_->description();
  report.status = Text(test_.sweep().status(InWindowLanguage));
  report.rows = test_.sweep().rows();
  const bool stand = HasStandColumns(report.rows);
  report.heads = tableHeads(stand);
  for (const SweepRow& row : report.rows) report.cells.push_back(ShownCells(row, stand));
  QString error;
  if (SaveReport(path, report, &error)) {
    sweepStatus_->setText(tr("Report saved to %1.").arg(QFileInfo(path).fileName()));
    sweepStatus_->setToolTip(path);
    return true;
  }
  sweepStatus_->setText(tr("The report could not be saved to %1: %2").arg(path, error));
  return false;
}

void MotorTestWindow::chooseReportFile() {
  const QString path = QFileDialog::getSaveFileName(
      this, tr("Save the sweep's report"),
      DefaultPath(QStringLiteral("motor-report"), QStringLiteral(".pdf")),
      tr("PDF files (*.pdf);;PNG pictures (*.png)"));
  if (!path.isEmpty() && !saveReport(path)) {
    QMessageBox::warning(this, tr("Save the sweep's report"), sweepStatus_->text());
  }
}

void MotorTestWindow::closeEvent(QCloseEvent* event) {
  test_.sweep().stop(QT_TRANSLATE_NOOP("Sweep", "motor test window closed"));
  stopRecording();
  stand_->closePort();
  event->accept();
}

}  // namespace morvane
