// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/port_candidates.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "link/printable.h"

namespace morvane::cli {

QByteArray PortsJson(const PortTable& table) {
  QJsonArray ports;
  for (int n = 1; n <= PortTable::kMaxPorts; ++n) {
    const SerialDevice* d = table.device(n);
    if (d == nullptr) continue;
    ports.append(QJsonObject{
        {QStringLiteral("port"), QStringLiteral("COM%1").arg(n)},
        {QStringLiteral("device"), QString::fromStdString(Printable(d->path))},
        {QStringLiteral("description"), QString::fromStdString(Printable(d->description))}});
  }
  return QJsonDocument(ports).toJson(QJsonDocument::Indented);
}

}  // namespace morvane::cli
