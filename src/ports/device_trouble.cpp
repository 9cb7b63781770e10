// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/device_trouble.h"

#include <cerrno>
#include <cstring>

#include "ports/port_holders.h"

namespace morvane {
namespace {

std::string SystemMessage(int error) {
  return std::strerror(error);
}

const char* WhatItIs(FileType type) {
  switch (type) {
    case FileType::Regular:
      return "a regular file";
    case FileType::Directory:
      return "a folder";
    case FileType::Fifo:
      return "a named pipe (FIFO)";
    case FileType::Socket:
      return "a socket";
    case FileType::BlockDevice:
      return "a block device";
    case FileType::CharDevice:
      break;
  }
  return "a device of another kind";
}

OpenFailure FromErrno(int error, const std::string& group) {
  using Kind = OpenFailure::Kind;
  switch (error) {
    case EACCES:
    case EPERM:
      return {Kind::PermissionDenied, group};
    // The exclusive mode another program set on the terminal.
    case EBUSY:
      return {Kind::InUse, {}};
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
      return {Kind::Gone, SystemMessage(error)};
    default:
      return {Kind::Other, SystemMessage(error)};
  }
}

}  // namespace

OpenFailure ClassifyDevice(const DeviceFacts& facts) {
  using Kind = OpenFailure::Kind;
  // A folder on the way that may not be searched: no group would help.
  if (facts.resolveError != 0) return FromErrno(facts.resolveError, {});
  if (facts.type != FileType::CharDevice) return {Kind::NotSerial, WhatItIs(facts.type)};
  if (facts.openError != 0) return FromErrno(facts.openError, facts.group);
  if (!facts.terminal) return {Kind::NotSerial, WhatItIs(FileType::CharDevice)};
  if (facts.heldElsewhere) return {Kind::InUse, {}};
  return {};
}

// The first words of the window's reason for a failed open, without its remedy.
std::string TroubleText(const OpenFailure& trouble) {
  const std::string detail = trouble.detail.empty() ? "" : " (" + trouble.detail + ")";
  switch (trouble.kind) {
    case OpenFailure::Kind::None:
      return {};
    case OpenFailure::Kind::PermissionDenied:
      return "permission denied";
    case OpenFailure::Kind::InUse:
      return InUseWords(trouble);
    case OpenFailure::Kind::NotSerial:
      return (trouble.detail.empty() ? "not a device" : trouble.detail) + ", not a serial port";
    case OpenFailure::Kind::Gone:
      return "gone" + detail;
    case OpenFailure::Kind::Other:
      break;
  }
  return "could not be opened" + (trouble.detail.empty() ? "" : ": " + trouble.detail);
}

void QuickVanish::appeared(int n, const std::string& vendorProduct, std::int64_t ms) {
  came_[n] = {vendorProduct, ms};
}

std::optional<QuickVanish::Taken> QuickVanish::vanished(int n, std::int64_t ms) {
  const auto it = came_.find(n);
  if (it == came_.end()) return std::nullopt;
  const Came came = it->second;
  came_.erase(it);
  if (ms - came.ms > kWithinMs || !BrlttyClaims(came.vendorProduct)) return std::nullopt;
  const int pid = brltty_ ? brltty_() : 0;
  if (pid <= 0) return std::nullopt;
  return Taken{pid, came.vendorProduct};
}

}  // namespace morvane
