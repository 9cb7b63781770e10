// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/console_host.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>

#include "cli/batch_record.h"
#include "link/system_message.h"
#include "link/printable.h"
#include "shell/settings_json.h"
#include "shell/settings_presets.h"

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace morvane::cli {
namespace {

// Why standard output failed (an errno), 0 while it has not.
int outputError = 0;
bool outputClosed = false;

}  // namespace

// Every error passes here, so no name from outside reaches the terminal as control bytes.
void ReportError(const std::string& line) {
  std::fprintf(stderr, "morvane-esc: %s\n", Printable(line).c_str());
  std::fflush(stderr);
}

void GuardOutput(int closedStreams) {
  outputClosed = (closedStreams & 1 << 1) != 0;
}

std::optional<int> ReadSettingsTargets(CliRequest& request) {
  if (request.command != Command::Load && request.command != Command::Diff) return std::nullopt;
  const SettingsRead read = ReadSettingsFile(FileOrPreset(request.file));
  if (!read.document) {
    ReportError(read.error);
    return kExitFile;
  }
  request.targets = read.document->values;
  if (request.targets != kNoSettings) return std::nullopt;
  const NothingToDo nothing = NothingIn(request);
  if (!nothing.err.empty()) ReportError(nothing.err);
  WriteOut(Printable(nothing.out) + "\n");
  return FinishOutput(kExitDone);
}

bool WriteOut(std::string_view bytes) {
  if (outputError == 0 && outputClosed) outputError = EBADF;
  if (outputError != 0) return false;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
      std::fflush(stdout) == 0) {
    return true;
  }
  outputError = errno != 0 ? errno : EIO;
  return false;
}

int FinishOutput(int status) {
  errno = 0;
  if (outputError == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)) {
    outputError = errno != 0 ? errno : EIO;
  }
  if (outputError == 0) return status;
  ReportError("cannot write to standard output: " + SystemMessage(outputError));
  // The result was lost: what it said (done, or diff's "differs") is not the answer.
  return status == kExitDone || status == kExitDiffer ? kExitFile : status;
}

void ConsoleHost::print(const std::string& line) {
  WriteOut(line + "\n");
}

void ConsoleHost::report(const std::string& line) {
  ReportError(line);
}

void ConsoleHost::printDocument(const SettingsDocument& doc) {
  SettingsDocument stamped = doc;
  stamped.saved = UtcNow();
  const QByteArray json = SettingsJson(stamped);
  WriteOut(std::string_view(json.constData(), static_cast<std::size_t>(json.size())));
}

std::string ConsoleHost::saveDocument(const SettingsDocument& doc) {
  SettingsDocument stamped = doc;
  stamped.saved = UtcNow();
  return WriteSettingsFile(file_, stamped);
}

std::string ConsoleHost::openRecord(const std::string& path) {
  recordPath_ = path;
  const std::string error = record_.open(path, BatchRecordHeader());
  return error.empty() ? error : Printable(path) + ": cannot keep the record: " + error;
}

std::string ConsoleHost::recordRow(const std::string& line) {
  const std::string error = record_.append(line);
  if (error.empty()) return error;
  // The row is told instead, so that it is not lost with the file.
  const std::string row = line.substr(0, line.find_last_not_of('\n') + 1);
  return Printable(recordPath_) + ": cannot write the record: " + error + "; its row: " + row;
}

std::string ConsoleHost::utcNow() {
  return UtcNow();
}

void ConsoleHost::finished(int status) {
  QCoreApplication::exit(status);
}

}  // namespace morvane::cli
