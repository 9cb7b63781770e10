#include "system_ports.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace morvane {

std::vector<SerialDevice> SystemSerialPorts() {
  std::vector<SerialDevice> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    QString description = info.description();
    const QString maker = info.manufacturer();
    if (!maker.isEmpty() && !description.contains(maker)) {
      description = description.isEmpty() ? maker : description + " (" + maker + ")";
    }
    if (description.isEmpty()) description = QStringLiteral("serial port");
#ifdef Q_OS_WIN
    const QString path = info.portName();
#else
    const QString path = info.systemLocation();
#endif
    ports.push_back({path.toStdString(), description.toStdString()});
  }
  return ports;
}

std::string DescribeDevice(const std::string& path, const std::vector<SerialDevice>& systemPorts) {
  const QFileInfo file(QString::fromStdString(path));
  const std::string target = file.canonicalFilePath().toStdString();
  if (target.empty()) return "does not exist now";
  std::string description = "serial device";
  for (const SerialDevice& d : systemPorts) {
    if (d.path == target) description = d.description;
  }
  if (target.rfind("/dev/pts/", 0) == 0) description = "pseudo-terminal";
  return target == file.absoluteFilePath().toStdString() ? description
                                                         : "link to " + target + ", " + description;
}

}  // namespace morvane
