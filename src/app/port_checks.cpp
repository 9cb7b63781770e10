// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/port_checks.h"

#include <QAction>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTime>
#include <QVBoxLayout>
#include <QWidget>

#include "ports/port_holders.h"
#include "shell/window_language.h"
#include "form/form_mvconfig.h"

#if defined(Q_OS_UNIX)
#include "ports/device_check.h"
#endif

namespace morvane {
namespace {

std::string PortName(int n, const std::string& path) {
  return "COM" + std::to_string(n) + " (" + path + ")";
}

// The link's state as its tooltip words it, on one line.
Finding LinkFinding(const PortTable& table, const FormMVconfig& form) {
  const std::int64_t now = form.clock().elapsedMs();
  const QDateTime wall = QDateTime::currentDateTime();
  const ClockText clock = [now, wall](std::int64_t ms) {
    return wall.addMSecs(ms - now).toString(QStringLiteral("HH:mm:ss")).toStdString();
  };
  const DeviceText device = [&table](int n) { return DeviceLine(table, n, InWindowLanguage); };
  std::string text = StatusTip(form.linkStatus(), clock, device, InWindowLanguage);
  std::replace(text.begin(), text.end(), '\n', ' ');
  const bool connected = form.linkStatus().state == LinkStatus::State::Connected;
  return {connected ? Finding::Level::Ok : Finding::Level::Problem,
          InWindowLanguage("PortChecks", MORVANE_TRANSLATABLE("PortChecks", "this window")),
          text,
          {}};
}

}  // namespace

std::vector<Finding> WindowFindings(const PortTable& table, bool listed,
                                         const FormMVconfig& form) {
  std::vector<Finding> findings;
#if defined(Q_OS_UNIX)
  std::vector<NamedPath> ports;
  std::vector<int> numbers;
  for (int n = 1; n <= PortTable::kMaxPorts; ++n) {
    if (const SerialDevice* d = table.device(n); d != nullptr) {
      ports.push_back({PortName(n, d->path), d->path});
      numbers.push_back(n);
    }
  }
  SystemFacts facts = SurveyPorts(ports, listed);
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    facts.ports[i].openHere = numbers[i] == form.state().openPort;
  }
  findings = Diagnose(facts, InWindowLanguage);
#else
  (void)listed;
#endif
  findings.push_back(LinkFinding(table, form));
  return findings;
}

ShowFindings StandardFindingsDialog() {
  return [](QWidget* parent, const QString& text) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QObject::tr("Check ports"));
    auto* view = new QPlainTextEdit(text, &dialog);
    view->setReadOnly(true);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    layout->addWidget(buttons);
    dialog.resize(760, 420);
    dialog.exec();
  };
}

QAction* InstallPortCheckCommand(QWidget& window, std::function<std::vector<Finding>()> find,
                                 ShowFindings show) {
  auto* group = window.findChild<QWidget*>(QStringLiteral("FrameConnect"));
  auto* check = new QAction(QObject::tr("Check ports\u2026"), group);
  group->addAction(check);
  group->setContextMenuPolicy(Qt::ActionsContextMenu);
  QObject::connect(check, &QAction::triggered, group, [&window, find, show] {
    QString text;
    for (const Finding& f : find()) {
      text += QString::fromStdString(FindingLine(f, InWindowLanguage)) + QLatin1Char('\n');
    }
    show(&window, text);
  });
  return check;
}

BrlttyNotes::Seams BrlttyNotes::SystemSeams(std::function<void(const std::string& line)> log) {
  Seams seams;
  seams.log = std::move(log);
  seams.timeOfDay = [] {
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString();
  };
#if defined(Q_OS_UNIX)
  seams.chipOf = [](const std::string& path) {
    const std::optional<UsbFacts> usb = UsbAdapterOf(path);
    return usb ? usb->vendorProduct : std::string();
  };
  seams.brltty = [] {
    const std::optional<RunningProgram> brltty = ProgramRunning("brltty");
    return brltty ? brltty->pid : 0;
  };
#endif
  return seams;
}

BrlttyNotes::BrlttyNotes(const PortTable& table, const Clock& clock, Seams seams)
    : table_(table), clock_(clock), seams_(std::move(seams)), vanish_(seams_.brltty) {}

void BrlttyNotes::portChanged(int n, bool appeared) {
  const SerialDevice* device = table_.device(n);
  if (device == nullptr) return;
  if (appeared) {
    if (n == notedPort_) notedPort_ = 0;
    vanish_.appeared(n, seams_.chipOf ? seams_.chipOf(device->path) : std::string(),
                     clock_.elapsedMs());
    return;
  }
  const std::optional<QuickVanish::Taken> taken = vanish_.vanished(n, clock_.elapsedMs());
  if (!taken) return;
  if (seams_.log) {
    seams_.log(
        BrlttyTookText(PortName(n, device->path), {}, taken->vendorProduct, taken->brlttyPid));
  }
  notedPort_ = n;
  notedName_ = PortName(n, device->path);
  notedWhen_ = seams_.timeOfDay ? seams_.timeOfDay() : std::string();
  taken_ = *taken;
}

std::string BrlttyNotes::statusNote(const TranslateText& translate) const {
  if (notedPort_ == 0) return {};
  return BrlttyTookText(notedName_, notedWhen_, taken_.vendorProduct, taken_.brlttyPid, translate);
}

}  // namespace morvane
