// SPDX-License-Identifier: GPL-3.0-or-later
// Marks an English text that the window shows in the user's language. The core keeps and
// compares the English text; the window's translation tools find the marked texts by this
// name (lupdate takes it as QT_TRANSLATE_NOOP) and the window translates them when it shows
// them, under the context given here.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#define MORVANE_TRANSLATABLE(context, text) text

namespace morvane {

// A marked text in the language the window shows; empty: the English as written, which is
// what the command line, the logs and the files always get.
using TranslateText = std::function<std::string(const char* context, const char* english)>;

// A marked text, translated, with %1, %2, ... replaced by the arguments in order. One pass:
// an argument that holds "%1" itself stays as it is.
inline std::string Phrase(const TranslateText& translate, const char* context, const char* english,
                          std::initializer_list<std::string_view> args = {}) {
  const std::string text = translate ? translate(context, english) : std::string(english);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const auto n = static_cast<std::size_t>(text[i + 1] - '1');
      if (n < args.size()) {
        out += args.begin()[n];
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

// The marked texts of one context in one language: say(english, {args}).
class Phrases {
 public:
  Phrases(const TranslateText& translate, const char* context)
      : translate_(translate), context_(context) {}
  std::string operator()(const char* english,
                         std::initializer_list<std::string_view> args = {}) const {
    return Phrase(translate_, context_, english, args);
  }
  const TranslateText& translate() const { return translate_; }

 private:
  const TranslateText& translate_;
  const char* context_;
};

}  // namespace morvane
