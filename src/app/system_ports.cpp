#include "system_ports.h"

#include <QSerialPortInfo>

#include "device_check.h"

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

DeviceDescription DescribeDevice(const std::string& path,
                                 const std::vector<SerialDevice>& systemPorts) {
#if defined(Q_OS_UNIX)
  const DeviceLook look = LookAtDevice(path);
  const OpenFailure& trouble = look.trouble;
  if (trouble.kind == OpenFailure::Kind::Gone) return {"does not exist now", trouble};
  if (look.device.empty()) return {TroubleText(trouble), trouble};
  std::string what;
  if (trouble.kind == OpenFailure::Kind::NotSerial) {
    what = TroubleText(trouble);
  } else {
    what = "serial device";
    for (const SerialDevice& d : systemPorts) {
      if (d.path == look.device) what = d.description;
    }
    if (look.device.rfind("/dev/pts/", 0) == 0) what = "pseudo-terminal";
    if (trouble.kind != OpenFailure::Kind::None) what += ", " + TroubleText(trouble);
  }
  if (look.link) return {"link to " + look.device + ", " + what, trouble};
  return {look.device == path ? what : look.device + ", " + what, trouble};
#else
  (void)path;
  (void)systemPorts;
  return {};
#endif
}

}  // namespace morvane
