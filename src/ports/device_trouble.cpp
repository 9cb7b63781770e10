// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/device_trouble.h"

#include <cerrno>

#include "link/system_message.h"
#include "ports/port_holders.h"

namespace morvane {
namespace {

constexpr const char* kContext = "DeviceTrouble";

// Kept in English in the failure's detail; the window says it again in its language.
const char* WhatItIs(FileType type) {
  switch (type) {
    case FileType::Regular:
      return MORVANE_TRANSLATABLE("DeviceTrouble", "a regular file");
    case FileType::Directory:
      return MORVANE_TRANSLATABLE("DeviceTrouble", "a folder");
    case FileType::Fifo:
      return MORVANE_TRANSLATABLE("DeviceTrouble", "a named pipe (FIFO)");
    case FileType::Socket:
      return MORVANE_TRANSLATABLE("DeviceTrouble", "a socket");
    case FileType::BlockDevice:
      return MORVANE_TRANSLATABLE("DeviceTrouble", "a block device");
    case FileType::CharDevice:
      break;
  }
  return MORVANE_TRANSLATABLE("DeviceTrouble", "a device of another kind");
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
      return {Kind::Gone, SystemMessage(error), error};
    default:
      return {Kind::Other, SystemMessage(error), error};
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

std::string SystemDetail(const OpenFailure& failure, const TranslateText& translate) {
  return failure.error != 0 ? SystemMessage(failure.error, translate) : failure.detail;
}

// The first words of the window's reason for a failed open, without its remedy.
std::string TroubleText(const OpenFailure& trouble, const TranslateText& translate) {
  const Phrases say(translate, kContext);
  const std::string detail = SystemDetail(trouble, translate);
  switch (trouble.kind) {
    case OpenFailure::Kind::None:
      return {};
    case OpenFailure::Kind::PermissionDenied:
      return say(MORVANE_TRANSLATABLE("DeviceTrouble", "permission denied"), {});
    case OpenFailure::Kind::InUse:
      return InUseWords(trouble, translate);
    case OpenFailure::Kind::NotSerial:
      return detail.empty()
                 ? say(MORVANE_TRANSLATABLE("DeviceTrouble", "not a device, not a serial port"), {})
                 : say(MORVANE_TRANSLATABLE("DeviceTrouble", "%1, not a serial port"),
                       {translate ? translate(kContext, detail.c_str()) : detail});
    case OpenFailure::Kind::Gone:
      return detail.empty() ? say(MORVANE_TRANSLATABLE("DeviceTrouble", "gone"), {})
                            : say(MORVANE_TRANSLATABLE("DeviceTrouble", "gone (%1)"), {detail});
    case OpenFailure::Kind::Other:
      break;
  }
  return detail.empty()
             ? say(MORVANE_TRANSLATABLE("DeviceTrouble", "could not be opened"), {})
             : say(MORVANE_TRANSLATABLE("DeviceTrouble", "could not be opened: %1"), {detail});
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
