#pragma once
// The settings layout written and read key by key with kernel32's
// private-profile functions, as a program without the store would do it: the
// reference the store's SaveConfig and LoadConfig are compared with.

#include <windows.h>

#include <cstring>
#include <string>

#include "config/DeviceConfig.h"
#include "text/Utf16.h"

namespace perix::wine {

inline void PlatformSaveInt(const wchar_t* file, const wchar_t* section, const std::wstring& key, std::int32_t value) {
  ::WritePrivateProfileStringW(section, key.c_str(), std::to_wstring(value).c_str(), file);
}

inline void PlatformSaveBlob(const wchar_t* file, const wchar_t* section, const std::wstring& key, const void* bytes,
                             UINT size) {
  ::WritePrivateProfileStructW(section, key.c_str(), const_cast<void*>(bytes), size, file);
}

inline void PlatformSaveConfig(const DeviceConfig& c, const wchar_t* file) {
  const wchar_t* s = L"Setting";
  PlatformSaveInt(file, s, L"Profile", c.Profile);
  PlatformSaveInt(file, s, L"TrayEnabled", c.TrayEnabled);
  PlatformSaveInt(file, s, L"MouseButtons", c.MouseButtons);
  PlatformSaveInt(file, s, L"PollingRate", c.PollingRate);
  PlatformSaveInt(file, s, L"LeftCount", c.LeftCount);
  PlatformSaveInt(file, s, L"RightCount", c.RightCount);
  PlatformSaveInt(file, s, L"WheelScrollLines", c.WheelScrollLines);
  PlatformSaveInt(file, s, L"MouseSensitivity", c.MouseSensitivity);
  PlatformSaveInt(file, s, L"DoubleClickSpeed", c.DoubleClickSpeed);
  PlatformSaveInt(file, s, L"AccelerationEnabled", c.AccelerationEnabled);
  PlatformSaveInt(file, s, L"Acceleration", c.Acceleration);
  PlatformSaveInt(file, s, L"UniversalScrollEnabled", c.UniversalScrollEnabled);
  for (int i = 0; i < kDpiStageCount; ++i) {
    PlatformSaveBlob(file, s, L"DPI_INFO" + std::to_wstring(i + 1), &c.DpiStages[i], sizeof(DpiStage));
  }
  for (int i = 0; i < kLedModeSettingCount; ++i) {
    PlatformSaveBlob(file, s, L"LED_MODE_INFO" + std::to_wstring(i + 1), &c.LedModeSettings[i],
                     sizeof(LedModeSetting));
  }
  PlatformSaveInt(file, s, L"DPI", c.DPI);
  PlatformSaveInt(file, s, L"LedStateOn", c.LedStateOn);
  PlatformSaveInt(file, s, L"LedColor", static_cast<std::int32_t>(c.LedColor));
  PlatformSaveInt(file, s, L"LedMode", c.LedMode);
  for (int p = 0; p < kProfileCount; ++p) {
    const std::wstring section = p < 1 ? L"GROUP" : L"GROUP" + std::to_wstring(p);
    PlatformSaveInt(file, section.c_str(), L"DPI", c.Profiles[p].DPI);
    for (int b = 0; b < kButtonCount; ++b) {
      PlatformSaveBlob(file, section.c_str(), L"ButtonAssigned" + std::to_wstring(b + 1),
                       &c.Profiles[p].ButtonAssigned[b], sizeof(ButtonAssignment));
    }
  }
}

// Reads into a record the caller has reset; a blob that fails to read leaves
// its field alone (the platform may have scribbled on the scratch buffer).
inline void PlatformLoadConfig(DeviceConfig& c, const wchar_t* file) {
  const wchar_t* s = L"Setting";
  const auto readInt = [&](const wchar_t* section, const wchar_t* key, std::int32_t fallback) {
    return static_cast<std::int32_t>(::GetPrivateProfileIntW(section, key, fallback, file));
  };
  const auto readBlob = [&](const wchar_t* section, const std::wstring& key, void* field, UINT size) {
    unsigned char scratch[sizeof(ButtonAssignment)];
    if (::GetPrivateProfileStructW(section, key.c_str(), scratch, size, file)) std::memcpy(field, scratch, size);
  };
  const std::int32_t active = readInt(s, L"Profile", -1);
  c.Profile = active == -1 ? 0 : active;
  c.TrayEnabled = readInt(s, L"TrayEnabled", -1);
  c.MouseButtons = readInt(s, L"MouseButtons", -1);
  c.PollingRate = readInt(s, L"PollingRate", -1);
  c.LeftCount = readInt(s, L"LeftCount", 0);
  c.RightCount = readInt(s, L"RightCount", 0);
  c.WheelScrollLines = readInt(s, L"WheelScrollLines", -1);
  c.MouseSensitivity = readInt(s, L"MouseSensitivity", -1);
  c.DoubleClickSpeed = readInt(s, L"DoubleClickSpeed", -1);
  c.UniversalScrollEnabled = readInt(s, L"UniversalScrollEnabled", -1);
  c.AccelerationEnabled = readInt(s, L"AccelerationEnabled", -1);
  c.Acceleration = readInt(s, L"Acceleration", -1);
  for (int i = 0; i < kDpiStageCount; ++i) {
    readBlob(s, L"DPI_INFO" + std::to_wstring(i + 1), &c.DpiStages[i], sizeof(DpiStage));
  }
  for (int i = 0; i < kLedModeSettingCount; ++i) {
    readBlob(s, L"LED_MODE_INFO" + std::to_wstring(i + 1), &c.LedModeSettings[i], sizeof(LedModeSetting));
  }
  c.LedStateOn = readInt(s, L"LedStateOn", -1);
  c.LedColor = static_cast<std::uint32_t>(readInt(s, L"LedColor", -1));
  c.DPI = readInt(s, L"DPI", -1);
  c.LedMode = readInt(s, L"LedMode", -1);
  for (int p = 0; p < kProfileCount; ++p) {
    const std::wstring section = p < 1 ? L"GROUP" : L"GROUP" + std::to_wstring(p);
    ProfileConfig& profile = c.Profiles[p];
    wchar_t text[4096];
    ::GetPrivateProfileStringW(section.c_str(), L"Name", L"", text, 4096, file);
    CopyToFixed(profile.Name, std::u16string_view(reinterpret_cast<const char16_t*>(text)));
    ::GetPrivateProfileStringW(section.c_str(), L"Exe", L"", text, 4096, file);
    CopyToFixed(profile.Exe, std::u16string_view(reinterpret_cast<const char16_t*>(text)));
    profile.DPI = readInt(section.c_str(), L"DPI", -1);
    for (int b = 0; b < kButtonCount; ++b) {
      readBlob(section.c_str(), L"ButtonAssigned" + std::to_wstring(b + 1), &profile.ButtonAssigned[b],
               sizeof(ButtonAssignment));
    }
  }
}

}  // namespace perix::wine
