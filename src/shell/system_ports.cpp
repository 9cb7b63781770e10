// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/system_ports.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include "ports/device_check.h"

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

// systemPorts() gives the system's list; it is called only for a serial device that is no
// pseudo-terminal.
template <class SystemPorts>
DeviceDescription Describe(const std::string& path, const SystemPorts& systemPorts) {
#if defined(Q_OS_UNIX)
  const DeviceLook look = LookAtDevice(path);
  const OpenFailure& trouble = look.trouble;
  using What = DeviceWords::What;
  DeviceWords words;
  words.device = look.device;
  words.link = look.link;
  words.devicePath = look.device == path;
  if (trouble.kind == OpenFailure::Kind::Gone) {
    words.what = What::Missing;
  } else if (look.device.empty() || trouble.kind == OpenFailure::Kind::NotSerial) {
    words.what = What::Trouble;
  } else if (look.device.rfind("/dev/pts/", 0) == 0) {
    words.what = What::PseudoTerminal;
  } else {
    words.what = What::SerialDevice;
    for (const SerialDevice& d : systemPorts()) {
      if (d.path == look.device) {
        words.what = What::Told;
        words.told = d.description;
      }
    }
  }
  return {DescriptionText(words, trouble), trouble, std::move(words)};
#else
  (void)path;
  (void)systemPorts;
  return {};
#endif
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
    if (description.isEmpty()) {
      description = QString::fromUtf8(MORVANE_TRANSLATABLE("PortTable", "serial port"));
    }
#ifdef Q_OS_WIN
    const QString path = info.portName();
#else
    const QString path = info.systemLocation();
#endif
    // Field by field: an aggregate with the trouble left {} warns as maybe uninitialized
    // in an optimised build of GCC 12.
    SerialDevice port;
    port.path = path.toStdString();
    port.description = description.toStdString();
    port.key = AdapterKey(info);
    ports.push_back(std::move(port));
  }
  return ports;
}

const std::vector<SerialDevice>& SystemPortList::get() {
  if (!ports_) ports_ = list_();
  return *ports_;
}

PortTable BuildStartTable(const std::optional<std::string>& portList, Platform platform,
                          SystemPortList& systemPorts) {
  static const std::vector<SerialDevice> kNone;
  const bool listed = platform != Platform::Windows && portList && !portList->empty();
  return BuildPortTable(
      portList, listed ? kNone : systemPorts.get(), platform,
      [&systemPorts](const std::string& path) { return DescribeDevice(path, systemPorts); });
}

#if defined(Q_OS_UNIX)
std::vector<PresentDevice> ListedDevices(const std::vector<std::string>& paths,
                                         SystemPortList& systemPorts) {
  std::vector<PresentDevice> present;
  for (const std::string& path : paths) {
    if (path.empty()) continue;
    const ResolvedPath resolved = ResolveDevicePath(path);
    if (resolved.error != 0) continue;
    DeviceDescription described = DescribeDevice(path, systemPorts);
    SerialDevice device{path, described.text, described.trouble};
    device.words = std::move(described.words);
    present.push_back({path, resolved.device, std::move(device)});
  }
  return present;
}

std::vector<PresentDevice> SystemDevices(const std::vector<SerialDevice>& systemPorts,
                                         Platform platform) {
  std::vector<PresentDevice> present;
  for (SerialDevice& d : OrderSystemPorts(systemPorts, platform)) {
    DeviceDescription described = DescribeDevice(d.path, systemPorts);
    if (!described.text.empty()) {
      d.description = std::move(described.text);
      d.words = std::move(described.words);
    }
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
  return Describe(path,
                  [&systemPorts]() -> const std::vector<SerialDevice>& { return systemPorts; });
}

DeviceDescription DescribeDevice(const std::string& path, SystemPortList& systemPorts) {
  return Describe(
      path, [&systemPorts]() -> const std::vector<SerialDevice>& { return systemPorts.get(); });
}

}  // namespace morvane
