// SPDX-License-Identifier: GPL-3.0-or-later
// The window's colour themes by the names the command line and the settings take. These
// names are the same in every language: they are what --theme and the remembered choice hold.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace morvane {

enum class Theme { System, Light, Dark, HighContrast, Bright };

inline constexpr std::array<std::pair<Theme, std::string_view>, 5> kThemeNames = {{
    {Theme::System, "system"},
    {Theme::Light, "light"},
    {Theme::Dark, "dark"},
    {Theme::HighContrast, "high-contrast"},
    {Theme::Bright, "bright"},
}};

constexpr std::string_view ThemeName(Theme theme) {
  for (const auto& [t, name] : kThemeNames) {
    if (t == theme) return name;
  }
  return "system";
}

constexpr std::optional<Theme> ThemeNamed(std::string_view name) {
  for (const auto& [t, n] : kThemeNames) {
    if (n == name) return t;
  }
  return std::nullopt;
}

}  // namespace morvane
