// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the programs write, and the settings files they read. A name is bytes, as the
// system takes it, from the command line or a dialog to open(). Only a regular file is
// written, or read: anything else at the name (a device, a named pipe, a socket, a folder)
// is refused and left as it is. A link is written through to the file it leads to, as
// editors do. Each write, the flush to disk and the rename are checked; on any failure the
// old file stays as it was. Errors are the reason alone: callers name the file.
#pragma once

#include <QtGlobal>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "link/translatable.h"

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <sys/types.h>
#else
class QFile;
#endif

namespace morvane {

// What becomes of a file already at the name a whole file is written to.
enum class Existing {
  Replace,  // the new file takes its place
  Keep,     // it stays and the new one is refused (EEXIST), also when it was made meanwhile
};

// Writes `bytes` as the whole new content of `path`: a file beside the target takes them,
// goes to disk and is renamed over the target, which keeps its permissions (and, as root,
// its owner). Empty when written, else why not.
// The reasons, the system's words too, are in the language `translate` gives (empty: English).
std::string WriteWholeFile(const std::string& path, std::string_view bytes,
                           const TranslateText& translate = {},
                           Existing existing = Existing::Replace);

// At most `limit` bytes of the regular file `path`, without ever waiting on a named pipe or a
// device: nullopt, with the reason in `error`, when it is not a file or cannot be read.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit,
                                           std::string* error, const TranslateText& translate = {});

// A file written as it goes (the motor test's recording). The first line goes into a new
// file beside the target, which then replaces the target: a start that fails leaves the old
// file as it was. Every later line is checked to reach the file still found at its name.
class GrowingFile {
 public:
  GrowingFile() = default;
  GrowingFile(const GrowingFile&) = delete;
  GrowingFile& operator=(const GrowingFile&) = delete;
  ~GrowingFile();

  // Empty when the file can be made, else why not. Nothing replaces the target yet.
  // Its later reasons come in the language of `translate`, as this one does.
  std::string open(const std::string& path, TranslateText translate = {});
  // Empty when the bytes are in the file, else why not; the file is then written no more.
  std::string append(std::string_view bytes);
  // Flushed to disk and closed; empty, or why the flush failed. A file that never took a
  // line is removed and the target left as it was.
  std::string close();
  bool isOpen() const;
  const std::string& path() const { return path_; }

 private:
  std::string path_;  // as given
  TranslateText translate_;
#if defined(Q_OS_UNIX)
  std::string target_;  // the file it leads to
  std::string temp_;    // until the first line is in
  int fd_ = -1;
  dev_t dev_ = 0;
  ino_t ino_ = 0;
#else
  std::unique_ptr<QFile> file_;
#endif
};

#if defined(Q_OS_UNIX)
// "a folder", "a named pipe", ...: what a mode that is not a regular file's names.
std::string KindOfNode(mode_t mode, const TranslateText& translate = {});
// "not a file but a folder": why a node is refused.
std::string NotAFile(mode_t mode, const TranslateText& translate = {});

// A file written over time looks before each write that its file still has a name: else no
// line may go into a file no one can find. "the file was deleted", or empty while it has one.
std::string Unlinked(int fd, const TranslateText& translate = {});

// Opens `path` to append to it (write only, O_APPEND, O_CLOEXEC and `flags`), made when it is
// not there; -1 with errno when it cannot be opened. `made` tells whether this open made it.
int OpenToAppend(const std::string& path, int flags, bool* made);
// Takes away a file that OpenToAppend made (`made`: its fstat) when its first write failed, so
// no empty or half written file is left behind; only while it is still the file at `path`.
void RemoveMade(const std::string& path, const struct stat& made);
#endif

}  // namespace morvane
