// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_ports.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include "device_check.h"

namespace morvane {
namespace {

// Where on the USB the adapter sits; "" where the system does not say.
QString UsbLocation([[maybe_unused]] const QSerialPortInfo& info) {
#if defined(Q_OS_LINUX)
  return QFileInfo(QStringLiteral("/sys/class/tty/%1/device").arg(info.portName()))
      .canonicalFilePath();
#else
  return {};
#endif
}

// Untested here: these machines have no USB adapters.
std::string AdapterKey(const QSerialPortInfo& info) {
  if (!info.hasVendorIdentifier() || !info.hasProductIdentifier()) return {};
  const QString model = QStringLiteral("usb:%1:%2")
                            .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                            .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
  const QString serial = info.serialNumber();
  if (!serial.isEmpty()) return (model + " serial " + serial).toStdString();
  const QString location = UsbLocation(info);
  return location.isEmpty() ? std::string() : (model + " at " + location).toStdString();
}

}  // namespace

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
    ports.push_back({path.toStdString(), description.toStdString(), {}, AdapterKey(info)});
  }
  return ports;
}

#if defined(Q_OS_UNIX)
std::vector<PresentDevice> ListedDevices(const std::vector<std::string>& paths,
                                         const std::vector<SerialDevice>& systemPorts) {
  std::vector<PresentDevice> present;
  for (const std::string& path : paths) {
    if (path.empty()) continue;
    const ResolvedPath resolved = ResolveDevicePath(path);
    if (resolved.error != 0) continue;
    DeviceDescription described = DescribeDevice(path, systemPorts);
    present.push_back({path, resolved.device, {path, described.text, described.trouble}});
  }
  return present;
}

std::vector<PresentDevice> SystemDevices(const std::vector<SerialDevice>& systemPorts,
                                         Platform platform) {
  std::vector<PresentDevice> present;
  for (SerialDevice& d : OrderSystemPorts(systemPorts, platform)) {
    DeviceDescription described = DescribeDevice(d.path, systemPorts);
    if (!described.text.empty()) d.description = std::move(described.text);
    d.trouble = std::move(described.trouble);
    std::string key = d.key.empty() ? d.path : d.key;
    std::string device = d.path;
    present.push_back({std::move(key), std::move(device), std::move(d)});
  }
  return present;
}
#endif

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
