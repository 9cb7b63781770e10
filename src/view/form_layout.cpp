// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/form_layout.h"

#include <QCoreApplication>
#include <QtMath>
#include <array>
#include <iterator>
#include <string_view>

#include "link/settings_table.h"

namespace morvane::layout {

int Px(int twips) {
  return qRound(twips / 15.0);
}

namespace {

constexpr Item kConnectionGroup[] = {
    {"Label1", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Port:"), {650, 300, 405, 255}},
    {"CombPort", Kind::Combo, "", {1080, 240, 975, 315}},
    {"Label4", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Hardware:"), {2400, 300, 760, 255}},
    {"Label2", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Status:"), {485, 720, 585, 255}},
    {"TxtConnState", Kind::TextBox, "", {1080, 720, 1000, 300}},
    {"Label3", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Firmware:"), {2455, 720, 675, 255}},
    {"TxtFirmVer", Kind::TextBox, "", {3260, 720, 2175, 300}},
};

constexpr Item kHardwareBox = {"TxtHardVer", Kind::TextBox, "", {3360, 420, 2175, 300}};

// Each setting's label, and its list below it and a little in; one row every 840 twips.
constexpr SettingRow kSettingRows[] = {
    {"Label5", "CombCutOffV", 1575}, {"Label7", "CombBrake", 1335},
    {"Label8", "CombTiming", 1455},  {"Label6", "CombCutOffT", 1575},
    {"Label9", "CombDir", 1695},
};
static_assert(std::size(kSettingRows) == kSettingCount,
              "every setting needs its row on the Config panel");
constexpr const SettingRow& RowOf(const SettingInfo& setting) {
  return kSettingRows[static_cast<std::size_t>(setting.panelPlace - 1)];
}
constexpr bool RowsNameTheTablesBoxes() {
  for (const SettingInfo& setting : kSettings) {
    if (std::string_view(RowOf(setting).box) != setting.box) return false;
  }
  return true;
}
static_assert(RowsNameTheTablesBoxes(), "a row's list must be the box its setting names");

constexpr int kFirstRowTop = 360;
constexpr int kRowPitch = 840;

// Below the settings' rows, in stacking order.
constexpr Item kConfigRest[] = {
    {"CmdSave", Kind::Button, "", {3240, 960, 1695, 495}},
    {"CmdLoad", Kind::Button, "", {3240, 1560, 1695, 495}},
    {"CmdReset", Kind::Button, "", {3120, 2180, 1575, 495}},
    {"Image1", Kind::Image, "", {520, 4560, 4500, 330}},
};

constexpr auto kConfigPanel = [] {
  std::array<Item, 2 * kSettingCount + std::size(kConfigRest)> items{};
  std::size_t n = 0;
  for (int place = 0; place < kSettingCount; ++place) {
    const SettingRow& row = kSettingRows[static_cast<std::size_t>(place)];
    const int top = kFirstRowTop + place * kRowPitch;
    items[n] = {row.label, Kind::Label, "", {720, top, row.labelWidth, 255}};
    items[n++].settingPlace = place;
    items[n++] = {row.box, Kind::Combo, "", {870, top + 240, 1575, 315}};
  }
  for (const Item& item : kConfigRest) items[n++] = item;
  return items;
}();

constexpr Item kRunPanel[] = {
    {"Label14", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Motor Magnet Poles:"),
     {840, 645, 2415, 375}, kSerifFace, 14.25},
    {"TxtPole", Kind::TextBox, "", {3240, 600, 375, 360}, kSansFace, 12},
    {"VSlPole", Kind::ScrollBar, "", {3600, 595, 300, 360}},
    {"Label12", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Rev:"), {840, 1920, 615, 375},
     kSerifFace, 15.75},
    {"TxtRev", Kind::TextBox, "", {1560, 1680, 2055, 750}, kVerdanaFace, 26.25},
    {"Label10", Kind::Label, QT_TRANSLATE_NOOP("FormView", "r/min"), {3720, 1920, 1215, 405},
     kSerifFace, 15.75},
    {"Label13", Kind::Label, QT_TRANSLATE_NOOP("FormView", "Throttle:"), {840, 3120, 1095, 375},
     kSerifFace, 15.75},
    {"LbPower", Kind::Label, "", {1920, 3075, 735, 375}, kVerdanaFace, 15.75},
    {"Label11", Kind::Label, "0 ", {870, 3555, 375, 255}},
    {"Label15", Kind::Label, "50", {1700, 3555, 375, 255}},
    {"Label16", Kind::Label, "100", {2500, 3555, 375, 255}},
    {"Label17", Kind::Label, "150", {3380, 3555, 375, 255}},
    {"Label18", Kind::Label, "200", {4230, 3555, 375, 255}},
    {"SldPower", Kind::Slider, "", {720, 3720, 3855, 495}},
    {"Image2", Kind::Image, "", {520, 4560, 4500, 330}},
};

// The two panels share one place over the tab strip's page.
constexpr Twips kPanel = {120, 1680, 5415, 5055};

constexpr Frame kConnection = {"FrameConnect", QT_TRANSLATE_NOOP("FormView", "Connection"),
                               {100, 120, 5500, 1095}, kConnectionGroup};
constexpr Frame kConfig = {"FrameConfig", QT_TRANSLATE_NOOP("FormView", "Config"), kPanel,
                           kConfigPanel};
constexpr Frame kRun = {"FrameRun", QT_TRANSLATE_NOOP("FormView", "Run"), kPanel, kRunPanel};

// The settings' lists come in the settings' table's order, between the tab strip and the
// buttons. The pole count is one stop, the scroll bar, which says the count; its text beside
// it keeps its place in the order but takes the focus only from a click.
constexpr const char* kBeforeSettings[] = {"CombPort", "TabStrip1"};
constexpr const char* kAfterSettings[] = {"CmdSave",      "CmdLoad",    "CmdReset",
                                          "VSlPole",      "SldPower",   "TxtConnState",
                                          "TxtFirmVer",   "TxtHardVer", "TxtRev",
                                          "TxtPole"};

constexpr auto kTabOrder = [] {
  std::array<const char*, std::size(kBeforeSettings) + kSettingCount + std::size(kAfterSettings)>
      order{};
  std::size_t n = 0;
  for (const char* name : kBeforeSettings) order[n++] = name;
  for (const SettingInfo& setting : kSettings) {
    order[n++] = RowOf(setting).box;
  }
  for (const char* name : kAfterSettings) order[n++] = name;
  return order;
}();

}  // namespace

const Frame& ConnectionFrame() {
  return kConnection;
}

const Frame& ConfigFrame() {
  return kConfig;
}

const Frame& RunFrame() {
  return kRun;
}

const Item& HardwareBox() {
  return kHardwareBox;
}

std::span<const SettingRow> SettingRows() {
  return kSettingRows;
}

const SettingRow& RowOfSetting(int index) {
  return RowOf(kSettings[static_cast<std::size_t>(index)]);
}

std::span<const char* const> TabOrder() {
  return kTabOrder;
}

}  // namespace morvane::layout
