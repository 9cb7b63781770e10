#include "reasoned_serial_comm.h"

namespace morvane::cli {

std::string OpenFailureReason(const QSerialPort& port) {
  return port.errorString().toStdString();
}

bool ReasonedSerialComm::setPortOpen(bool open) {
  const bool done = SerialComm::setPortOpen(open);
  if (open && !done) failures_[commPort()] = OpenFailureReason(device());
  return done;
}

std::string ReasonedSerialComm::failure(int n) const {
  const auto it = failures_.find(n);
  return it == failures_.end() ? std::string() : it->second;
}

}  // namespace morvane::cli
