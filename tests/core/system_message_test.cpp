// SPDX-License-Identifier: GPL-3.0-or-later
// The system's words for an error: English for the command line, the logs and the files
// whatever the language settings say; the window's in the user's language, as its reasons for
// a port that would not open show them.
#include "link/system_message.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ports/device_trouble.h"

namespace morvane {
namespace {

// LANGUAGE set, or taken away with "".
void SetLanguage(const char* value) {
#if defined(_WIN32)
  _putenv_s("LANGUAGE", value);
#else
  if (*value != '\0') {
    ::setenv("LANGUAGE", value, 1);
  } else {
    ::unsetenv("LANGUAGE");
  }
#endif
}

// A process set to German, as QCoreApplication sets it from LANGUAGE and LANG.
class GermanProcess {
 public:
  GermanProcess() {
    SetLanguage("de");
    std::setlocale(LC_ALL, "C.UTF-8");
  }
  ~GermanProcess() {
    std::setlocale(LC_ALL, "C");
    SetLanguage("");
  }
};

TEST(SystemMessage, IsEnglishUnlessTheWindowAsksForTheUsersLanguage) {
  const GermanProcess german;
  const std::string users = std::strerror(ENOSPC);
  if (users == "No space left on device") GTEST_SKIP() << "the C library has no German words here";
  EXPECT_EQ(SystemMessage(ENOSPC), "No space left on device");
  EXPECT_EQ(SystemMessage(ENOENT), "No such file or directory");
  const TranslateText window = [](const char*, const char* english) {
    return std::string(english);
  };
  EXPECT_EQ(SystemMessage(ENOSPC, window), users);

  // A port that is gone, as the command line and the window say it.
  const OpenFailure gone{OpenFailure::Kind::Gone, "No such file or directory", ENOENT};
  EXPECT_EQ(TroubleText(gone), "gone (No such file or directory)");
  EXPECT_EQ(TroubleText(gone, window), "gone (" + std::string(std::strerror(ENOENT)) + ")");
  EXPECT_NE(TroubleText(gone, window), TroubleText(gone));
}

}  // namespace
}  // namespace morvane
