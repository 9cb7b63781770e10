// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/reasoned_serial_comm.h"

#include "ports/link_status.h"

namespace morvane::cli {

bool ReasonedSerialComm::setPortOpen(bool open) {
  const bool done = SerialComm::setPortOpen(open);
  if (open && !done) failures_[commPort()] = FailureReason(openFailure(), Retry::RunTheCommand);
  return done;
}

std::string ReasonedSerialComm::failure(int n) const {
  const auto it = failures_.find(n);
  return it == failures_.end() ? std::string() : it->second;
}

}  // namespace morvane::cli
