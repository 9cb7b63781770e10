// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/thrust_stand_panel.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QUrl>
#include <cmath>
#include <functional>
#include <utility>

#include "motortest/csv_lines.h"
#include "ports/device_trouble.h"
#include "shell/serial_comm.h"
#include "shell/window_language.h"
#include "view/accessibility.h"

namespace morvane {
namespace {

using C = StandColumn;

// Which column is what: by the stand's header when it sends one, else in this order.
struct ColumnChoice {
  const char* text;
  ColumnMap columns;
  bool byHeader;
};

const std::vector<ColumnChoice>& ColumnChoices() {
  static const std::vector<ColumnChoice> choices = {
      {QT_TRANSLATE_NOOP("morvane::ThrustStandPanel", "By header, else thrust, current, voltage"),
       kDefaultColumns, true},
      {QT_TRANSLATE_NOOP("morvane::ThrustStandPanel", "thrust, current, voltage"), kDefaultColumns,
       false},
      {QT_TRANSLATE_NOOP("morvane::ThrustStandPanel", "thrust, voltage, current"),
       {C::Thrust, C::Voltage, C::Current},
       false},
      {QT_TRANSLATE_NOOP("morvane::ThrustStandPanel", "current, voltage, thrust"),
       {C::Current, C::Voltage, C::Thrust},
       false},
      {QT_TRANSLATE_NOOP("morvane::ThrustStandPanel", "voltage, current, thrust"),
       {C::Voltage, C::Current, C::Thrust},
       false},
      {QT_TRANSLATE_NOOP("morvane::ThrustStandPanel", "time (unused), thrust, current, voltage"),
       {C::Unused, C::Thrust, C::Current, C::Voltage},
       false},
  };
  return choices;
}

// The list is made anew each time it opens: ports come and go, and the ESC may move.
class FreshComboBox : public QComboBox {
 public:
  std::function<void()> beforeShow;
  void showPopup() override {
    if (beforeShow) beforeShow();
    QComboBox::showPopup();
  }
};

QSettings Store() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("morvane"),
                   QStringLiteral("morvane-esc-config"));
}

// One key per stand port, by its device: a path holds slashes, which the store takes as groups.
QString StoreKey(const std::string& path, const char* what) {
  return QStringLiteral("thrustStand/%1/%2")
      .arg(QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(path))),
           QLatin1String(what));
}

QString Number(double value, int places) {
  return QString::fromStdString(FixedPoint(value, places));
}

QDoubleSpinBox* LimitBox(const char* name, double max, const QString& suffix) {
  auto* box = new QDoubleSpinBox;
  box->setObjectName(QLatin1String(name));
  box->setLocale(QLocale::c());
  box->setRange(0, max);
  box->setDecimals(1);
  box->setSuffix(suffix);
  box->setSpecialValueText(ThrustStandPanel::tr("off"));
  return box;
}

}  // namespace

ThrustStandPanel::ThrustStandPanel(MotorTest& test, FormMVconfig& form, const PortTable* table,
                                   QWidget* parent)
    : QGroupBox(tr("Thrust stand"), parent), test_(test), form_(form), table_(table) {
  setObjectName(QStringLiteral("thrustStand"));
  buildWidgets();
  showTimer_.setSingleShot(true);
  showTimer_.setInterval(kShowEveryMs);
  connect(&showTimer_, &QTimer::timeout, this, [this] { showReading(); });
  quietTimer_.setSingleShot(true);
  quietTimer_.setInterval(static_cast<int>(ThrustStand::kSilentMs));
  connect(&quietTimer_, &QTimer::timeout, this, [this] { showReading(); });
  readings_ = test_.stand().reading.subscribe([this](const StandReading&) {
    quietTimer_.start();
    if (!showTimer_.isActive()) showTimer_.start();
  });
  subscriptions_.push_back(test_.stand().changed.subscribe([this] {
    if (!showTimer_.isActive()) showTimer_.start();
  }));
  subscriptions_.push_back(test_.sweep().changed.subscribe([this] { showState(); }));
  subscriptions_.push_back(form_.controls().SldPower.changed.subscribe([this] { showState(); }));
  fillPorts();
  showState();
  showReading();
}

ThrustStandPanel::~ThrustStandPanel() {
  readings_.reset();
  subscriptions_.clear();
  closePort();
}

const std::vector<int>& ThrustStandPanel::baudRates() {
  static const std::vector<int> rates = {115200, 57600, 38400, 19200, 9600, 230400};
  return rates;
}

void ThrustStandPanel::buildWidgets() {
  auto* grid = new QGridLayout(this);
  auto* ports = new FreshComboBox;
  ports->beforeShow = [this] { fillPorts(); };
  portBox_ = ports;
  portBox_->setObjectName(QStringLiteral("standPort"));
  NameListByLabel(*portBox_);
  portBox_->setToolTip(tr("The stand's serial port: any port but the ESC's."));
  baudBox_ = new QComboBox;
  baudBox_->setObjectName(QStringLiteral("standBaud"));
  NameListByLabel(*baudBox_);
  for (int rate : baudRates()) baudBox_->addItem(QString::number(rate), rate);
  baudBox_->setToolTip(tr("The speed the stand's board prints at, in baud."));
  openButton_ = new QPushButton(tr("Op&en"));
  openButton_->setObjectName(QStringLiteral("standOpen"));
  openButton_->setToolTip(tr("Opens the stand's port and reads it; pressed again, closes it."));
  reading_ = new QLabel;
  reading_->setObjectName(QStringLiteral("standReading"));
  reading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  reading_->setAccessibleName(tr("Thrust stand reading"));
  tareButton_ = new QPushButton(tr("T&are"));
  tareButton_->setObjectName(QStringLiteral("standTare"));
  tareButton_->setToolTip(tr("Zeroes the thrust; only while the motor stands still."));
  calibrateButton_ = new QPushButton(tr("&Calibrate\u2026"));
  calibrateButton_->setObjectName(QStringLiteral("standCalibrate"));
  calibrateButton_->setToolTip(
      tr("Put a known weight on the tared stand and enter it: the scale is remembered for this "
         "port."));
  columnsBox_ = new QComboBox;
  columnsBox_->setObjectName(QStringLiteral("standColumns"));
  NameListByLabel(*columnsBox_);
  for (const ColumnChoice& choice : ColumnChoices()) columnsBox_->addItem(tr(choice.text));
  columnsBox_->setToolTip(tr("Which column of a line of numbers is what."));
  thrustLimit_ = LimitBox("thrustLimit", 100000, QStringLiteral(" g"));
  thrustLimit_->setToolTip(tr("A thrust reading above this sets the throttle to 0 at once."));
  currentLimit_ = LimitBox("currentLimit", 1000, QStringLiteral(" A"));
  currentLimit_->setToolTip(tr("A current reading above this sets the throttle to 0 at once."));

  auto* portLabel = new QLabel(tr("Po&rt:"));
  portLabel->setBuddy(portBox_);
  auto* baudLabel = new QLabel(tr("&Baud:"));
  baudLabel->setBuddy(baudBox_);
  auto* columnsLabel = new QLabel(tr("Colum&ns:"));
  columnsLabel->setBuddy(columnsBox_);
  auto* thrustLabel = new QLabel(tr("Thrust &limit:"));
  thrustLabel->setBuddy(thrustLimit_);
  auto* currentLabel = new QLabel(tr("C&urrent limit:"));
  currentLabel->setBuddy(currentLimit_);

  grid->addWidget(portLabel, 0, 0);
  grid->addWidget(portBox_, 0, 1);
  grid->addWidget(baudLabel, 0, 2);
  grid->addWidget(baudBox_, 0, 3);
  grid->addWidget(openButton_, 0, 4);
  grid->addWidget(reading_, 0, 5, 1, 3);
  grid->addWidget(columnsLabel, 1, 0);
  grid->addWidget(columnsBox_, 1, 1, 1, 3);
  grid->addWidget(tareButton_, 1, 4);
  grid->addWidget(calibrateButton_, 1, 5);
  grid->addWidget(thrustLabel, 2, 0);
  grid->addWidget(thrustLimit_, 2, 1);
  grid->addWidget(currentLabel, 2, 2);
  grid->addWidget(currentLimit_, 2, 3);
  grid->setColumnStretch(7, 1);

  connect(openButton_, &QPushButton::clicked, this, [this] {
    if (comm_) {
      closePort();
    } else if (portBox_->currentIndex() >= 0) {
      openPort(portBox_->currentData().toInt(), baudBox_->currentData().toInt());
    }
  });
  connect(tareButton_, &QPushButton::clicked, this, [this] { tare(); });
  connect(calibrateButton_, &QPushButton::clicked, this, [this] { calibrate(); });
  connect(columnsBox_, &QComboBox::currentIndexChanged, this, [this] { applyColumns(); });
  for (QDoubleSpinBox* box : {thrustLimit_, currentLimit_}) {
    connect(box, &QDoubleSpinBox::valueChanged, this, [this] { applyLimits(); });
  }
}

void ThrustStandPanel::fillPorts() {
  if (table_ == nullptr || comm_) return;
  const int chosen = portBox_->currentData().toInt();
  const ComboBox& escPorts = form_.controls().CombPort;
  const int esc = escPorts.listIndex() >= 0 ? escPorts.itemData(escPorts.listIndex()) : 0;
  portBox_->clear();
  for (int n = 1; n <= PortTable::kMaxPorts; ++n) {
    const SerialDevice* device = table_->device(n);
    if (device == nullptr || n == esc) continue;
    portBox_->addItem(QStringLiteral("COM%1").arg(n), n);
    portBox_->setItemData(portBox_->count() - 1, QString::fromStdString(device->path),
                          Qt::ToolTipRole);
  }
  const int again = portBox_->findData(chosen);
  if (again >= 0) portBox_->setCurrentIndex(again);
  showState();
}

bool ThrustStandPanel::openPort(int n, int baud) {
  closePort();
  note_.clear();
  const ComboBox& escPorts = form_.controls().CombPort;
  const SerialDevice* device = table_ != nullptr ? table_->device(n) : nullptr;
  if (escPorts.listIndex() >= 0 && escPorts.itemData(escPorts.listIndex()) == n) {
    note_ = tr("COM%1 is the ESC's port.").arg(n);
  } else if (device == nullptr) {
    note_ = tr("COM%1 has no device.").arg(n);
  } else {
    comm_ = std::make_unique<SerialComm>(*table_);
    comm_->setBaudRate(baud);
    comm_->setCommPort(n);
    if (!comm_->setPortOpen(true)) {
      note_ = tr("COM%1 cannot be opened: %2")
                  .arg(n)
                  .arg(QString::fromStdString(TroubleText(comm_->openFailure(), InWindowLanguage)));
      comm_.reset();
    }
  }
  if (!comm_) {
    showState();
    showReading();
    return false;
  }
  port_ = n;
  path_ = device->path;
  comm_->setOnComm([this] { received(); });
  comm_->setOnPortFailed([this] {
    note_ = tr("The stand's port failed.");
    // Not from inside the port's own signal.
    QTimer::singleShot(0, this, [this] { closePort(); });
  });
  comm_->setRThreshold(1);
  QSettings store = Store();
  StandCalibration calibration;
  calibration.offsetG = store.value(StoreKey(path_, "offset"), 0.0).toDouble();
  calibration.scale = store.value(StoreKey(path_, "scale"), 1.0).toDouble();
  if (!std::isfinite(calibration.offsetG) || !std::isfinite(calibration.scale) ||
      calibration.scale == 0) {
    calibration = {};
  }
  test_.stand().setCalibration(calibration);
  applyColumns();
  test_.stand().setOpen(true);
  quietTimer_.start();
  showState();
  showReading();
  return true;
}

void ThrustStandPanel::closePort() {
  if (!comm_) return;
  comm_->setRThreshold(0);
  comm_->setPortOpen(false);
  comm_.reset();
  port_ = 0;
  quietTimer_.stop();
  test_.stand().setOpen(false);
  showState();
  showReading();
}

void ThrustStandPanel::received() {
  std::string bytes;
  for (int n = comm_->inBufferCount(); n > 0; --n) bytes += static_cast<char>(comm_->input());
  test_.stand().receive(bytes);
}

bool ThrustStandPanel::motorStill() const {
  const auto& history = test_.history();
  return form_.controls().SldPower.value() == 0 && !test_.sweep().running() &&
         (history.empty() || history.back().rpmAvg == 0);
}

void ThrustStandPanel::showState() {
  const bool open = comm_ != nullptr;
  openButton_->setText(open ? tr("Clos&e") : tr("Op&en"));
  openButton_->setEnabled(open || portBox_->count() > 0);
  portBox_->setEnabled(!open && portBox_->count() > 0);
  baudBox_->setEnabled(!open);
  const bool still = motorStill();
  tareButton_->setEnabled(open && still);
  calibrateButton_->setEnabled(open && still);
}

void ThrustStandPanel::showReading() {
  const ThrustStand& stand = test_.stand();
  QString text;
  if (!comm_) {
    text = note_.isEmpty() ? tr("No stand open.") : note_;
  } else if (!stand.latest() || stand.quietMs() > ThrustStand::kSilentMs) {
    text = stand.junkLines() > 0
               ? tr("No good line for over a second (%1 unreadable).").arg(stand.junkLines())
               : tr("No reading yet.");
  } else {
    const StandReading& r = *stand.latest();
    QStringList parts;
    parts << tr("%1 g").arg(Number(*r.thrustG, 1));
    if (r.currentA) parts << tr("%1 A").arg(Number(*r.currentA, 2));
    if (r.voltageV) parts << tr("%1 V").arg(Number(*r.voltageV, 2));
    if (const auto power = r.powerW()) parts << tr("%1 W").arg(Number(*power, 1));
    if (const auto efficiency = r.gramsPerWatt()) parts << tr("%1 g/W").arg(Number(*efficiency, 2));
    text = parts.join(QStringLiteral("   "));
  }
  reading_->setText(text);
  showState();
}

void ThrustStandPanel::tare() {
  if (!motorStill()) return;
  calibrated(test_.stand().tare(InWindowLanguage));
}

void ThrustStandPanel::calibrate() {
  if (!motorStill()) return;
  bool ok = false;
  const double known = QInputDialog::getDouble(this, tr("Calibrate the thrust stand"),
                                               tr("The known weight now on the tared stand, in g:"),
                                               100, 0.1, 100000, 1, &ok);
  if (!ok) return;
  calibrated(test_.stand().calibrate(known, InWindowLanguage));
}

// Kept for the port when taken; else why not, in place of the reading until the next one.
void ThrustStandPanel::calibrated(const std::string& why) {
  if (!why.empty()) {
    reading_->setText(QString::fromStdString(why));
    return;
  }
  QSettings store = Store();
  store.setValue(StoreKey(path_, "offset"), test_.stand().calibration().offsetG);
  store.setValue(StoreKey(path_, "scale"), test_.stand().calibration().scale);
  store.sync();
  showReading();
}

void ThrustStandPanel::applyColumns() {
  const int i = std::max(0, columnsBox_->currentIndex());
  const ColumnChoice& choice = ColumnChoices()[static_cast<std::size_t>(i)];
  test_.stand().setColumns(choice.columns, choice.byHeader);
}

void ThrustStandPanel::applyLimits() {
  StandLimits limits;
  if (thrustLimit_->value() > 0) limits.thrustG = thrustLimit_->value();
  if (currentLimit_->value() > 0) limits.currentA = currentLimit_->value();
  test_.setLimits(limits);
}

QString ThrustStandPanel::description() const {
  if (!comm_) return {};
  const StandCalibration& c = test_.stand().calibration();
  return tr("COM%1 (%2) at %3 baud; tare %4, scale %5")
      .arg(port_)
      .arg(QString::fromStdString(path_))
      .arg(baudBox_->currentText())
      .arg(Number(c.offsetG, 1))
      .arg(Number(c.scale, 5));
}

}  // namespace morvane
