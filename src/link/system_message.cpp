// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/system_message.h"

#include <cstring>

#if !defined(_WIN32)
#include <locale.h>
#include <string.h>
#endif

namespace morvane {

std::string SystemMessage(int error, [[maybe_unused]] const TranslateText& translate) {
#if !defined(_WIN32)
  // The C locale's words, whatever the process's locale: made once, kept for the whole run.
  static const locale_t english = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  if (!translate && english != static_cast<locale_t>(0)) return ::strerror_l(error, english);
#endif
  return std::strerror(error);
}

}  // namespace morvane
