// SPDX-License-Identifier: GPL-3.0-or-later
// The window's serial port, keeping why each port number last failed to open, so that the
// command line can say so in the window's words.
#pragma once

#include <map>
#include <string>

#include "shell/serial_comm.h"

namespace morvane::cli {

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
