// SPDX-License-Identifier: GPL-3.0-or-later
// The window FormMVconfig as laid out, as data: each control's place and size in the
// window's twips, its caption and face, each frame's children in stacking order, the
// settings' rows and the keyboard's path. The widgets are made from it in form_widgets.cpp.
#pragma once

#include <QRect>
#include <span>

namespace morvane::layout {

// 15 twips make one pixel at 96 dots per inch.
int Px(int twips);

struct Twips {
  int left, top, width, height;

  QRect pixels() const { return {Px(left), Px(top), Px(width), Px(height)}; }
};

// Substitutes with close widths for the faces the layout was drawn with.
inline constexpr const char* kSansFace = "Liberation Sans";    // MS Sans Serif
inline constexpr const char* kSerifFace = "Liberation Serif";  // Times New Roman
inline constexpr const char* kVerdanaFace = "DejaVu Sans";     // Verdana
// The window's own face, which every control without a face of its own takes.
inline constexpr double kWindowPoints = 8.25;

enum class Kind { Label, Combo, TextBox, Button, Image, Slider, ScrollBar };

struct Item {
  const char* name;
  Kind kind;
  const char* caption;         // labels only, in English: the other texts come from the controls
  Twips place;                 // in the parent's twips
  const char* face = nullptr;  // nullptr: the window's font
  double points = 0;
  int settingPlace = -1;  // a setting's label: its row, 0 at the top; its caption is the setting's
};

// A frame of the window and its children, in stacking order from the top.
struct Frame {
  const char* name;
  const char* title;  // in English
  Twips place;
  std::span<const Item> items;
};

// A setting's row on the Config panel: its numbered label, and its list below it.
struct SettingRow {
  const char* label;
  const char* box;
  int labelWidth;  // twips
};

// The window's inside: 381 by 463 pixels.
inline constexpr Twips kWindow = {0, 0, 5715, 6945};
// Under everything; the panels lie over its page.
inline constexpr Twips kTabStrip = {105, 1320, 5505, 5535};

const Frame& ConnectionFrame();
const Frame& ConfigFrame();
const Frame& RunFrame();
// A child of the window laid over the Connection group.
const Item& HardwareBox();
// The settings' rows, top to bottom: a row's place is the setting's panelPlace less one.
std::span<const SettingRow> SettingRows();
// The row of the setting in the settings' table's place `index`.
const SettingRow& RowOfSetting(int index);
// The keyboard's path through the controls that can take it (the Tab column).
std::span<const char* const> TabOrder();

}  // namespace morvane::layout
