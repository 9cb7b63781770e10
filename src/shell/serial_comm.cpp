// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/serial_comm.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <utility>

#include "shell/low_latency.h"

#if defined(Q_OS_UNIX)
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace morvane {
namespace {

// Errors after which the device is of no more use. Qt keeps signalling some of them for
// as long as the port stays open.
bool IsFatal(QSerialPort::SerialPortError error) {
  return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
         error == QSerialPort::WriteError;
}

// Why Qt refused an open the port layer let through.
OpenFailure QtFailure(const QSerialPort& port) {
  const std::string message = port.errorString().toStdString();
  switch (port.error()) {
    // Our own open of the device has shown that the user may open it; what Qt refuses is its
    // lock file, held by another program. (On Windows a port in use reads "access denied".)
    case QSerialPort::PermissionError:
      return {OpenFailure::Kind::InUse, {}};
    case QSerialPort::DeviceNotFoundError:
      return {OpenFailure::Kind::Gone, message};
    default:
      return {OpenFailure::Kind::Other, message};
  }
}

// Bytes still in the driver's transmit queue; 0 where it cannot tell.
int DriverOutputQueue([[maybe_unused]] const QSerialPort& port) {
#if defined(Q_OS_UNIX) && defined(TIOCOUTQ)
  int n = 0;
  if (::ioctl(port.handle(), TIOCOUTQ, &n) == 0) return n;
#endif
  return 0;
}

}  // namespace

SerialComm::SerialComm(const PortTable& table, QObject* parent) : QObject(parent), table_(table) {
  port_.setBaudRate(kBaud);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  connect(&port_, &QSerialPort::readyRead, this, &SerialComm::received);
  connect(&port_, &QSerialPort::errorOccurred, this, &SerialComm::failed);
  connect(&hangUp_, &QSocketNotifier::activated, this, &SerialComm::hungUp);
}

SerialComm::~SerialComm() { closePort(); }

void SerialComm::closePort() {
#if defined(Q_OS_UNIX)
  if (std::exchange(probed_, false)) claim_.release();
#endif
  if (!port_.isOpen()) return;
  hangUp_.setEnabled(false);
  descriptorChanged(-1);
  port_.close();
#if defined(Q_OS_UNIX)
  claim_.release();
#endif
}

bool SerialComm::refuse(OpenFailure failure) {
  failure_ = std::move(failure);
  port_.explain(QString::fromStdString(TroubleText(failure_)));
  return false;
}

void SerialComm::setCommPort(int n) {
  if (!portOpen()) commPort_ = n;
}

bool SerialComm::setPortOpen(bool open) {
  if (open == portOpen()) return true;
  if (!open) {
    closePort();
    return true;
  }
  failure_ = {};
  const SerialDevice* device = table_.device(commPort_);
  if (device == nullptr) return refuse({OpenFailure::Kind::Gone, "no device"});
#if defined(Q_OS_UNIX)
  DeviceClaim claim(device->path);
  if (!claim.held()) return refuse(claim.trouble());
  if (scanning_) {
    if (LockFileHeldElsewhere(claim.device())) {
      OpenFailure held{OpenFailure::Kind::InUse, {}};
      NameHolders(held, claim.device());
      return refuse(std::move(held));
    }
    claim_ = std::move(claim);
    probed_ = true;
    return true;
  }
  // Qt gets the device, not the path as listed: it would look for a bare name in /dev, and it
  // names its lock file after the whole path.
  port_.setPortName(QFile::decodeName(QByteArray::fromStdString(claim.device())));
#else
  port_.setPortName(QString::fromStdString(device->path));
#endif
  if (!port_.open(QIODevice::ReadWrite)) {
    failure_ = QtFailure(port_);
#if defined(Q_OS_UNIX)
    if (failure_.kind == OpenFailure::Kind::InUse) NameHolders(failure_, claim.device());
#endif
    return false;
  }
#if defined(Q_OS_UNIX)
  claim_ = std::move(claim);
#endif
  // Pseudo-terminals and some adapters have no modem lines: refusing them is no failure.
  port_.setDataTerminalReady(true);
  port_.setRequestToSend(false);
#if defined(Q_OS_UNIX)
  RequestLowLatency(port_.handle());
#endif
  port_.clearError();
#if defined(Q_OS_UNIX)
  hangUp_.setSocket(port_.handle());
  hangUp_.setEnabled(true);
  descriptorChanged(static_cast<int>(port_.handle()));
#endif
  return true;
}

// While Qt holds nothing in that direction the driver's queue alone is cleared, as Qt would
// clear it: Qt's clear also frees its read buffer, which the next reply would allocate again.
// A failure goes Qt's way, which reports it.
void SerialComm::setOutBufferCount(int) {
  if (!port_.isOpen()) return;
#if defined(Q_OS_UNIX)
  if (port_.bytesToWrite() == 0 && ::tcflush(static_cast<int>(port_.handle()), TCOFLUSH) == 0) {
    return;
  }
#endif
  port_.clear(QSerialPort::Output);
}

void SerialComm::setInBufferCount(int) {
  // Qt's buffer and the driver's both go.
  if (!port_.isOpen()) return;
#if defined(Q_OS_UNIX)
  if (port_.bytesAvailable() == 0 && ::tcflush(static_cast<int>(port_.handle()), TCIFLUSH) == 0) {
    return;
  }
#endif
  port_.clear(QSerialPort::Input);
}

int SerialComm::inBufferCount() const {
  return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0;
}

std::uint8_t SerialComm::input() {
  char c = 0;
  if (!port_.getChar(&c)) return 0;
  return static_cast<std::uint8_t>(c);
}

void SerialComm::setOutput(std::span<const std::uint8_t> bytes) {
  if (!port_.isOpen()) return;
  const char* data = reinterpret_cast<const char*>(bytes.data());
  auto size = static_cast<qint64>(bytes.size());
#if defined(Q_OS_UNIX)
  // Straight to the driver while Qt holds nothing unwritten: a frame fits its buffer. Through
  // Qt each frame would switch its write notifier on and off, two more turns of the event loop.
  // What the driver does not take, and any error, goes Qt's way, which reports errors.
  if (port_.bytesToWrite() == 0) {
    ssize_t n = 0;
    do {
      n = ::write(static_cast<int>(port_.handle()), data, static_cast<std::size_t>(size));
    } while (n < 0 && errno == EINTR);
    if (n > 0) {
      data += n;
      size -= n;
    }
    if (size == 0) return;
  }
#endif
  port_.write(data, size);
  // Hand the frame to the driver now rather than at the next turn of the event loop.
  port_.flush();
}

void SerialComm::drainOutput(int timeoutMs) {
  if (!port_.isOpen()) return;
  const qint64 pending = port_.bytesToWrite() + DriverOutputQueue(port_);
  const qint64 wireMs = (pending * 10 * 1000 + kBaud - 1) / kBaud;
  const qint64 budget = timeoutMs + wireMs;
  QElapsedTimer clock;
  clock.start();
  while (port_.isOpen() && port_.bytesToWrite() > 0 && clock.elapsed() < budget) {
    port_.waitForBytesWritten(static_cast<int>(budget - clock.elapsed()));
  }
  while (port_.isOpen() && DriverOutputQueue(port_) > 0 && clock.elapsed() < budget) {
    QThread::msleep(1);
  }
}

void SerialComm::received() {
  if (rThreshold_ != 1) return;
  commEvent_ = comEvReceive;
  raiseOnComm();
}

void SerialComm::failed(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError || !port_.isOpen()) return;
  if (!IsFatal(error)) {
    port_.clearError();
    return;
  }
  died();
}

// Qt 6.4 reports a device gone as a read error; Qt 6.8 reports nothing until the next write
// and spins on the dead descriptor meanwhile. The descriptor's hang-up is seen on both.
void SerialComm::hungUp() {
#if defined(Q_OS_UNIX)
  pollfd pfd{static_cast<int>(port_.handle()), 0, 0};
  if (::poll(&pfd, 1, 0) == 1 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) died();
#endif
}

void SerialComm::died() {
  closePort();
  raisePortFailed();
}

}  // namespace morvane
