// The window's serial port, keeping why each port number last failed to open, so that the
// command line can say so. The reason is the port's own text for now.
#pragma once

#include <QSerialPort>
#include <map>
#include <string>

#include "serial_comm.h"

namespace morvane::cli {

// Why an open of `port` failed, as the window would give it.
std::string OpenFailureReason(const QSerialPort& port);

class ReasonedSerialComm : public SerialComm {
 public:
  using SerialComm::SerialComm;

  bool setPortOpen(bool open) override;
  // The reason of the last failed open of COM n; empty when none failed.
  std::string failure(int n) const;

 private:
  std::map<int, std::string> failures_;
};

}  // namespace morvane::cli
