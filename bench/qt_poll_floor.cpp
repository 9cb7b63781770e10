// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the window's idle cost: the least a Qt program can do to carry the same
// traffic. It shows one line of text (so the window system's connection is there, as in the
// program), opens the serial device given, and polls as the connected window does: a ping
// frame 100 ms after each reply, a reply timeout of 300 ms, the buffers cleared before each
// frame. No logic, no log, no device watch, nothing else in its event loop. It runs until it
// is ended by a signal.
//
//   qt_poll_floor DEVICE
#include <unistd.h>

#include <QApplication>
#include <QBasicTimer>
#include <QLabel>
#include <QSerialPort>
#include <QTimerEvent>
#include <cstdio>

namespace {

class Poller : public QObject {
 public:
  explicit Poller(const QString& device) {
    port_.setPortName(device);
    port_.setBaudRate(38400);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    QObject::connect(&port_, &QSerialPort::readyRead, this, [this] { received(); });
  }
  bool open() {
    if (!port_.open(QIODevice::ReadWrite)) return false;
    poll_.start(100, Qt::PreciseTimer, this);
    return true;
  }

 protected:
  void timerEvent(QTimerEvent* event) override {
    if (event->timerId() == poll_.timerId()) poll_.stop();
    if (event->timerId() == timeout_.timerId()) timeout_.stop();
    send();
  }

 private:
  void send() {
    port_.clear(QSerialPort::AllDirections);
    static const char kPing[] = {0x41, 0x53, 0x00};
    // Straight to the driver, as the program writes a frame.
    if (::write(static_cast<int>(port_.handle()), kPing, sizeof kPing) != sizeof kPing) {
      port_.write(kPing, sizeof kPing);
    }
    timeout_.start(300, Qt::PreciseTimer, this);
  }
  void received() {
    char c = 0;
    bool answered = false;
    while (port_.getChar(&c)) answered = answered || c == 'Y';
    if (!answered) return;
    timeout_.stop();
    poll_.start(100, Qt::PreciseTimer, this);
  }

  QSerialPort port_;
  QBasicTimer poll_;
  QBasicTimer timeout_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fputs("usage: qt_poll_floor DEVICE\n", stderr);
    return 2;
  }
  QLabel label(QStringLiteral("Morvane ESC Config"));
  label.show();
  Poller poller(QString::fromLocal8Bit(argv[1]));
  if (!poller.open()) {
    std::fprintf(stderr, "qt_poll_floor: cannot open %s\n", argv[1]);
    return 1;
  }
  return QApplication::exec();
}
