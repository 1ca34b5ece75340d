#include "Device.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "config/Defaults.h"

namespace standin {
namespace {

using perix::DeviceConfig;

constexpr int kMissing = INT_MIN;  // GetPrivateProfileIntW's answer for an absent key
constexpr wchar_t kSetting[] = L"Setting";

using IntRef = std::int32_t& (*)(DeviceConfig&);

struct IntField {
  const wchar_t* key;
  unsigned scope;
  IntRef ref;
  int minimum;  // the device takes only values it can hold
  int maximum;
};

// Section "Setting". The colour is a 24-bit value stored as a signed integer.
const IntField kInts[] = {
    {L"Profile", Scope::Profile, [](DeviceConfig& c) -> std::int32_t& { return c.Profile; }, 0, 4},
    {L"DPI", Scope::Profile | Scope::Stage, [](DeviceConfig& c) -> std::int32_t& { return c.DPI; }, 0, 3},
    {L"LedStateOn", Scope::Light, [](DeviceConfig& c) -> std::int32_t& { return c.LedStateOn; }, 0, 1},
    {L"LedColor", Scope::Light,
     [](DeviceConfig& c) -> std::int32_t& { return reinterpret_cast<std::int32_t&>(c.LedColor); }, 0, 0xFFFFFF},
    {L"LedMode", Scope::Light, [](DeviceConfig& c) -> std::int32_t& { return c.LedMode; }, 1, 6},
    {L"PollingRate", Scope::Rate, [](DeviceConfig& c) -> std::int32_t& { return c.PollingRate; }, 1, 8},
    {L"DoubleClickSpeed", Scope::Pointer, [](DeviceConfig& c) -> std::int32_t& { return c.DoubleClickSpeed; }, 1,
     INT_MAX},
    {L"WheelScrollLines", Scope::Pointer, [](DeviceConfig& c) -> std::int32_t& { return c.WheelScrollLines; }, 1,
     INT_MAX},
    {L"AccelerationEnabled", Scope::Pointer, [](DeviceConfig& c) -> std::int32_t& { return c.AccelerationEnabled; },
     0, 1},
    {L"Acceleration", Scope::Pointer, [](DeviceConfig& c) -> std::int32_t& { return c.Acceleration; }, 1, 13},
    {L"MouseSensitivity", Scope::Pointer, [](DeviceConfig& c) -> std::int32_t& { return c.MouseSensitivity; }, 0,
     INT_MAX},
    {L"UniversalScrollEnabled", Scope::Pointer,
     [](DeviceConfig& c) -> std::int32_t& { return c.UniversalScrollEnabled; }, 0, 1},
};

std::wstring ProfileSection(int index) { return index == 0 ? L"GROUP" : L"GROUP" + std::to_wstring(index); }

int ReadInt(const std::wstring& ini, const wchar_t* section, const wchar_t* key) {
  return static_cast<int>(::GetPrivateProfileIntW(section, key, kMissing, ini.c_str()));
}

bool WriteInt(const std::wstring& ini, const wchar_t* section, const wchar_t* key, int value) {
  return ::WritePrivateProfileStringW(section, key, std::to_wstring(value).c_str(), ini.c_str()) != FALSE;
}

bool Unset(int value) { return value == kMissing || value == -1; }

// A blob of int32 fields, unset when it cannot be read or every field is -1.
template <typename Record>
bool ReadBlob(const std::wstring& ini, const std::wstring& key, Record& record) {
  Record read{};
  if (!::GetPrivateProfileStructW(kSetting, key.c_str(), &read, sizeof read, ini.c_str())) return false;
  const auto* fields = reinterpret_cast<const std::int32_t*>(&read);
  bool anySet = false;
  for (std::size_t i = 0; i < sizeof read / sizeof(std::int32_t); ++i) anySet = anySet || fields[i] != -1;
  if (!anySet) return false;
  record = read;
  return true;
}

template <typename Record>
bool WriteBlob(const std::wstring& ini, const std::wstring& key, const Record& record) {
  Record copy = record;
  return ::WritePrivateProfileStructW(kSetting, key.c_str(), &copy, sizeof copy, ini.c_str()) != FALSE;
}

std::wstring StageKey(int index) { return L"DPI_INFO" + std::to_wstring(index + 1); }
std::wstring LightKey(int index) { return L"LED_MODE_INFO" + std::to_wstring(index + 1); }

bool UsableStage(const perix::DpiStage& stage) {
  const auto level = [](std::int32_t l) { return l >= 1 && l <= 12; };
  return level(stage.Level) && level(stage.LevelX) && level(stage.LevelY);
}

}  // namespace

unsigned ScopeOf(UINT message, WPARAM wParam) {
  switch (message) {
    case 1227: return Scope::Light;
    case 1277: return Scope::Rate;
    case 1279: return Scope::All;
    case 1295:
    case 1296: return Scope::Pointer;
    case 1297: return wParam == 0xFF ? Scope::Pointer : Scope::Stage;
    case 1298: return Scope::Profile;
    case 1302: return Scope::Levels | Scope::Stage;
    default: return 0;
  }
}

Device::Device() {
  perix::ResetToUnset(m_settings);
  for (int profile = perix::kProfileCount - 1; profile >= 0; --profile) {
    perix::ResetProfileToDefaults(m_settings, profile);
  }
  m_settings.Profile = 0;
  // The factory record holds 12 for the brightness and the speed of the first
  // lighting set, beyond the 6 brightness steps and 9 speeds a device has: it
  // runs them at their tops and reports them so.
  perix::LedModeSetting& light = m_settings.LedModeSettings[0];
  light.Value2 = std::min(light.Value2, 6);
  light.Value3 = std::min(light.Value3, 9);
}

void Device::Take(const std::wstring& ini, unsigned scope) {
  for (const IntField& field : kInts) {
    if ((field.scope & scope) == 0) continue;
    const int value = ReadInt(ini, kSetting, field.key);
    if (!Unset(value) && value >= field.minimum && value <= field.maximum) field.ref(m_settings) = value;
  }
  if ((scope & (Scope::Profile | Scope::Stage)) != 0) {
    for (int profile = 0; profile < perix::kProfileCount; ++profile) {
      const int value = ReadInt(ini, ProfileSection(profile).c_str(), L"DPI");
      if (value >= 0 && value < perix::kDpiStageCount) m_settings.Profiles[profile].DPI = value;
    }
  }
  if ((scope & Scope::Levels) != 0) {
    for (int stage = 0; stage < perix::kDpiStageCount; ++stage) {
      perix::DpiStage read{};
      if (ReadBlob(ini, StageKey(stage), read) && UsableStage(read)) m_settings.DpiStages[stage] = read;
    }
  }
  if ((scope & Scope::Light) != 0) {
    for (int set = 0; set < perix::kLedModeSettingCount; ++set) {
      ReadBlob(ini, LightKey(set), m_settings.LedModeSettings[set]);
    }
  }
}

Device::Fill Device::FillUnset(const std::wstring& ini) const {
  Fill fill;
  DeviceConfig own = m_settings;
  const auto note = [&fill](const std::wstring& section, const std::wstring& key, bool written) {
    fill.keys.push_back(section + L"/" + key);
    fill.failed = fill.failed || !written;
  };
  for (const IntField& field : kInts) {
    if (!Unset(ReadInt(ini, kSetting, field.key))) continue;
    note(kSetting, field.key, WriteInt(ini, kSetting, field.key, field.ref(own)));
    if (std::wstring(field.key) == L"LedMode") fill.modeUnset = true;
  }
  for (int profile = 0; profile < perix::kProfileCount; ++profile) {
    const std::wstring section = ProfileSection(profile);
    if (!Unset(ReadInt(ini, section.c_str(), L"DPI"))) continue;
    note(section, L"DPI", WriteInt(ini, section.c_str(), L"DPI", own.Profiles[profile].DPI));
  }
  for (int stage = 0; stage < perix::kDpiStageCount; ++stage) {
    perix::DpiStage read{};
    if (ReadBlob(ini, StageKey(stage), read)) continue;
    note(kSetting, StageKey(stage), WriteBlob(ini, StageKey(stage), own.DpiStages[stage]));
  }
  for (int set = 0; set < perix::kLedModeSettingCount; ++set) {
    perix::LedModeSetting read{};
    if (ReadBlob(ini, LightKey(set), read)) continue;
    note(kSetting, LightKey(set), WriteBlob(ini, LightKey(set), own.LedModeSettings[set]));
  }
  return fill;
}

int Device::ModeBit(int mode) {
  switch (mode) {
    case 3: return 1;
    case 4: return 2;
    case 2: return 4;
    case 6: return 16;
    case 1: return 8;  // any bit the utility does not know reads as mode 1
    default: return 0;
  }
}

}  // namespace standin
