#pragma once
// The configuration record: everything the utility configures on the mouse, in
// one fixed-layout value. Several parts are stored byte for byte as binary
// blobs in "Mouse.ini", which the device service reads too, so the layout is a
// file format: packed, no padding, little-endian. The fields are ordered so
// that natural alignment leaves no padding; the asserts below hold that.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>

namespace perix {

inline constexpr int kProfileCount = 5;
inline constexpr int kButtonCount = 8;
inline constexpr int kDpiStageCount = 4;
inline constexpr int kLedModeSettingCount = 6;
inline constexpr int kTextCapacity = 260;        // UTF-16 code units, terminator included
inline constexpr int kButtonDataSize = 120;
inline constexpr std::int32_t kNotLoaded = -1;  // an int field that no load has filled
inline constexpr std::uint8_t kCodeNotLoaded = 0xFF;

struct ButtonAssignment {
  std::uint8_t ButtonNumber;   // 1-based owner; 0xFF for a macro played in mode 1
  std::uint8_t FunctionCode;   // see FunctionCatalogue.h
  std::uint8_t Param1;
  std::uint8_t Param2;
  std::uint8_t Data[kButtonDataSize];
  char16_t MacroName[kTextCapacity];
};

struct DpiStage {
  std::int32_t SeparateXY;  // 0: Level applies to both axes
  std::int32_t Level;       // 1..12
  std::int32_t LevelX;
  std::int32_t LevelY;
};

struct LedModeSetting {
  std::int32_t Value1;  // direction
  std::int32_t Value2;  // brightness step
  std::int32_t Value3;  // speed
};

struct ProfileConfig {
  char16_t Name[kTextCapacity];
  char16_t Exe[kTextCapacity];
  ButtonAssignment ButtonAssigned[kButtonCount];
  std::int32_t DPI;  // index into DeviceConfig::DpiStages, not range-checked by validation
};

struct DeviceConfig {
  std::int32_t Reserved0;
  std::int32_t LeftCount;
  std::int32_t RightCount;
  std::int32_t MouseButtons;
  std::int32_t Profile;  // index of the active profile
  std::int32_t TrayEnabled;
  ProfileConfig Profiles[kProfileCount];
  std::int32_t Reserved1;
  std::int32_t UniversalScrollEnabled;
  std::int32_t MouseSensitivity;
  std::int32_t AccelerationEnabled;
  std::int32_t LedStateOn;
  std::uint32_t LedColor;  // 0x00BBGGRR
  std::int32_t DPI;        // index of the active stage, not range-checked by validation
  DpiStage DpiStages[kDpiStageCount];
  std::int32_t PollingRate;  // milliseconds between reports
  std::int32_t DoubleClickSpeed;
  std::int32_t WheelScrollLines;
  std::int32_t LedMode;
  LedModeSetting LedModeSettings[kLedModeSettingCount];
  std::int32_t Acceleration;
};

// Blobs are the records' bytes as they lie in memory.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(ButtonAssignment) == 644);
static_assert(sizeof(DpiStage) == 16);
static_assert(sizeof(LedModeSetting) == 12);
static_assert(sizeof(ProfileConfig) == 2 * 520 + 8 * 644 + 4);
static_assert(offsetof(ButtonAssignment, MacroName) == 124);
static_assert(offsetof(DeviceConfig, Profiles) == 24);
static_assert(offsetof(ProfileConfig, ButtonAssigned) == 1040);
static_assert(offsetof(DeviceConfig, DpiStages) == 31032);
static_assert(std::is_trivially_copyable_v<DeviceConfig> && std::is_standard_layout_v<DeviceConfig>);
static_assert(sizeof(DeviceConfig) == 24 + 5 * sizeof(ProfileConfig) + 7 * 4 + 4 * 16 + 4 * 4 + 6 * 12 + 4);

// Stage indexes come from the file unchecked. Every use of one as an index
// goes through this: nothing when it is outside 0..3.
inline std::optional<int> StageIndex(std::int32_t index) {
  if (index < 0 || index >= kDpiStageCount) return std::nullopt;
  return index;
}

// The active profile; `Profile` is kept within 0..4 by validation, and an
// unvalidated record falls back to profile 0 rather than reading past the array.
inline ProfileConfig& ActiveProfile(DeviceConfig& config) {
  const auto index = static_cast<std::uint32_t>(config.Profile);
  return config.Profiles[index < kProfileCount ? index : 0];
}
inline const ProfileConfig& ActiveProfile(const DeviceConfig& config) {
  const auto index = static_cast<std::uint32_t>(config.Profile);
  return config.Profiles[index < kProfileCount ? index : 0];
}

}  // namespace perix
