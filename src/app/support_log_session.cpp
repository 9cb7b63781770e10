// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/support_log_session.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QWidget>

#include "shell/window_language.h"
#include "form/form_mvconfig.h"

namespace morvane {
SupportLogSession::SupportLogSession(MSComm& port, const Clock& clock, const PortTable& table,
                                     const std::string& logFile, SupportLogFile::Report report)
    : table_(table), log_(clock), stamps_(clock), comm_(port, log_, [&table](int n) {
        const SerialDevice* device = table.device(n);
        return device == nullptr ? std::string() : device->path;
      }) {
  // "12:03:41" as the stamps tell it.
  log_.setTimeOfDay([this](std::int64_t ms) { return stamps_.stamp(ms).mid(11, 8).toStdString(); });
  if (logFile.empty()) return;
  file_ = std::make_unique<SupportLogFile>(logFile, stamps_, std::move(report));
  if (file_->open(header("Written as it happens, from the start of the run"))) {
    log_.setSink([this](const LogLine& line) { file_->write(line); });
  }
}

std::unique_ptr<FormLog> SupportLogSession::watch(FormMVconfig& form) {
  return std::make_unique<FormLog>(form, comm_, log_);
}

SupportLogDialogs StandardSupportLogDialogs() {
  return {
      [](QWidget* parent) {
        const QString name =
            QStringLiteral("morvane-support-%1.log")
                .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
        QFileDialog dialog(parent, QObject::tr("Save support log"),
                           QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                               .filePath(name),
                           QObject::tr("Support logs (*.log *.txt)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("log"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
      },
      [](QWidget* parent, const QString& message) {
        QMessageBox::warning(parent, QObject::tr("Support log"), message);
      },
  };
}

QAction* InstallSupportLogCommand(QWidget& window, SupportLogSession& session,
                                  SupportLogDialogs dialogs) {
  auto* group = window.findChild<QWidget*>(QStringLiteral("FrameConnect"));
  auto* save = new QAction(QObject::tr("Save support log\u2026"), group);
  group->addAction(save);
  group->setContextMenuPolicy(Qt::ActionsContextMenu);
  QObject::connect(save, &QAction::triggered, group, [&window, &session, dialogs] {
    const QString path = dialogs.saveFileName(&window);
    if (path.isEmpty()) return;
    // The lines up to now, also those that came while the dialog was open.
    session.flush();
    const QString error = SaveSupportLog(path, session.header("Saved from the window"),
                                         session.log(), session.stamps(), InWindowLanguage);
    if (!error.isEmpty()) {
      dialogs.showError(&window, QObject::tr("The support log could not be saved to %1: %2")
                                     .arg(QDir::toNativeSeparators(path), error));
    }
  });
  return save;
}

}  // namespace morvane
