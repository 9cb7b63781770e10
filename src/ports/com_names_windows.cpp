// SPDX-License-Identifier: GPL-3.0-or-later
// The system's COM names on Windows: the registry's list of serial ports and Plug and Play's
// friendly names. Built only for Windows.
#include <windows.h>
// After windows.h, which these need.
#include <devguid.h>
#include <initguid.h>
#include <setupapi.h>

#include "ports/com_names.h"

namespace morvane {
namespace {

std::string Utf8(const wchar_t* text, int length) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(size, 1)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), size);
  out.resize(out.size() - 1);
  return out;
}

// Every string value of the key: the port names the drivers listed.
std::vector<SystemComName> RegistryNames(HKEY root, const std::string& key) {
  std::vector<SystemComName> names;
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, Wide(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return names;
  for (DWORD i = 0;; ++i) {
    wchar_t valueName[256];
    DWORD nameLength = 256;
    wchar_t data[256];
    DWORD dataBytes = sizeof(data) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG status = RegEnumValueW(handle, i, valueName, &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &dataBytes);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    const auto length = static_cast<int>(dataBytes / sizeof(wchar_t));
    data[length] = L'\0';
    names.push_back({Utf8(data, static_cast<int>(wcslen(data))), {}});
  }
  RegCloseKey(handle);
  return names;
}

// The friendly names of the ports Plug and Play knows of now.
std::vector<std::string> FriendlyNames() {
  std::vector<std::string> names;
  HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return names;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof(device);
  for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
    wchar_t name[256];
    DWORD bytes = 0;
    if (SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_FRIENDLYNAME, nullptr,
                                          reinterpret_cast<BYTE*>(name), sizeof(name) - 2,
                                          &bytes)) {
      name[bytes / sizeof(wchar_t)] = L'\0';
      names.push_back(Utf8(name, static_cast<int>(wcslen(name))));
    }
  }
  SetupDiDestroyDeviceInfoList(devices);
  return names;
}

}  // namespace

std::vector<SerialDevice> ListedComPorts(const std::string& key, bool ownKey) {
  if (ownKey) return SystemComPorts(RegistryNames(HKEY_CURRENT_USER, key), {});
  return SystemComPorts(RegistryNames(HKEY_LOCAL_MACHINE, key), FriendlyNames());
}

}  // namespace morvane
