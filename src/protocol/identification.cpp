// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>

#include "protocol/process_reply.h"

namespace morvane {
namespace {

struct ModelRow {
  unsigned from;  // the row covers from .. from + 499
  const char* text;
};

constexpr std::array<ModelRow, 6> kModels = {{
    {7500, "MORVANE QR-5A V"},
    {8500, "MORVANE QR-10A V"},
    {9500, "MORVANE QR-18A V"},
    {10500, "MORVANE QR-25A V"},
    {11500, "MORVANE QR-35A V"},
    {12500, "MORVANE QR-50A V"},
}};

}  // namespace

std::string Thousandths(unsigned n) {
  const unsigned frac = n % 1000;
  std::string text = std::to_string(n / 1000);
  text += '.';
  text += static_cast<char>('0' + frac / 100);
  text += static_cast<char>('0' + frac / 10 % 10);
  text += static_cast<char>('0' + frac % 10);
  return text;
}

std::string HardwareText(std::uint16_t hardwareNumber) {
  for (const ModelRow& row : kModels) {
    if (hardwareNumber >= row.from && hardwareNumber < row.from + 500) {
      const unsigned base = row.from - 1000;
      std::string text = row.text;
      text += Thousandths(hardwareNumber - base);
      return text;
    }
  }
  return {};
}

std::string FirmwareText(std::uint16_t firmwareNumber) {
  std::string text = "V";
  text += Thousandths(firmwareNumber);
  return text;
}

void VersionReply(AppState& s, Controls& c) {
  const CommandSlot& slot = Head(s);
  // Held unsigned: a number of 32768 or more is simply outside every model row.
  const auto hardware = static_cast<std::uint16_t>(slot.reply[1] | slot.reply[2] << 8);
  const auto firmware = static_cast<std::uint16_t>(slot.reply[3] | slot.reply[4] << 8);
  std::string model = HardwareText(hardware);
  if (model.empty()) {
    c.TxtHardVer.setText(kUnknown);
    return;
  }
  c.TxtHardVer.setText(std::move(model));
  c.TxtConnState.setText(kConnected);
  c.TxtFirmVer.setText(FirmwareText(firmware));
  RestartWithPing(s);
}

}  // namespace morvane
