// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/support_log_header.h"

#include <QDateTime>
#include <QSysInfo>
#include <QtGlobal>

#include "supportlog/support_log.h"

namespace morvane {
namespace {

std::string OneLine(std::string text) {
  for (char& ch : text) {
    if (ch == '\n' || ch == '\r' || ch == '\t') ch = ' ';
  }
  return text;
}

}  // namespace

std::string SupportLogHeader(const PortTable& table, const std::string& what) {
  const LogLimits limits;
  std::string text = "# Morvane ESC Config support log\n";
  text += "# " + what + " at " +
          QDateTime::currentDateTimeUtc()
              .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"))
              .toStdString() +
          "\n";
  text += "# Program: morvane-esc-config " + std::to_string(MORVANE_VERSION_MAJOR) + "." +
          std::to_string(MORVANE_VERSION_MINOR) + "." + std::to_string(MORVANE_VERSION_PATCH) +
          "\n";
  text += std::string("# Qt: ") + qVersion() + " (built with " QT_VERSION_STR ")\n";
  text += "# System: " + QSysInfo::prettyProductName().toStdString() + ", " +
          QSysInfo::kernelType().toStdString() + " " + QSysInfo::kernelVersion().toStdString() +
          " (" + QSysInfo::currentCpuArchitecture().toStdString() + ")\n";
  text += "# Times: UTC, ISO 8601 with milliseconds. In memory the window keeps the last " +
          std::to_string(limits.keepMs / 60000) + " minutes or " +
          std::to_string(limits.keepBytes / 1024 / 1024) + " MB, whichever is less.\n";
  text += "# Ports:\n";
  int listed = 0;
  for (int n = 1; n <= PortTable::kMaxPorts; ++n) {
    const SerialDevice* device = table.device(n);
    if (device == nullptr || device->path.empty()) continue;
    ++listed;
    text += "#   COM" + std::to_string(n) + "  " + OneLine(device->path);
    if (!device->description.empty()) text += "  " + OneLine(device->description);
    text += "\n";
  }
  if (listed == 0) text += "#   none\n";
  return text;
}

}  // namespace morvane
