#pragma once
// A full configuration in which every stored field holds a distinct value, for
// round trips of the settings layout.

#include <cstdint>
#include <cstring>

#include "config/Defaults.h"
#include "config/DeviceConfig.h"
#include "text/Utf16.h"

namespace perix::test {

inline DeviceConfig SampleConfig(std::uint32_t seed = 1) {
  DeviceConfig config;
  std::memset(&config, 0, sizeof config);
  ResetToUnset(config);
  std::uint32_t state = seed;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  config.Profile = 2;
  config.TrayEnabled = 1;
  config.MouseButtons = 8;
  config.PollingRate = 4;
  config.LeftCount = static_cast<std::int32_t>(next() % 100000);
  config.RightCount = -1;  // not loaded survives as "-1"
  config.WheelScrollLines = 3;
  config.MouseSensitivity = 7;
  config.DoubleClickSpeed = 14;
  config.AccelerationEnabled = 1;
  config.Acceleration = 2;
  config.UniversalScrollEnabled = 0;
  config.DPI = 3;
  config.LedStateOn = 1;
  config.LedColor = 0x00FF8040u + (next() & 0xFF);
  config.LedMode = 5;
  for (int i = 0; i < kDpiStageCount; ++i) {
    config.DpiStages[i] = {i % 2, 2 + i, 3 + i, 12 - i};
  }
  for (int i = 0; i < kLedModeSettingCount; ++i) {
    config.LedModeSettings[i] = {i, 12 - i, static_cast<std::int32_t>(next() % 13)};
  }
  for (int p = 0; p < kProfileCount; ++p) {
    ProfileConfig& profile = config.Profiles[p];
    profile.DPI = p % kDpiStageCount;
    for (int b = 0; b < kButtonCount; ++b) {
      ButtonAssignment& button = profile.ButtonAssigned[b];
      button.ButtonNumber = static_cast<std::uint8_t>(b + 1);
      button.FunctionCode = static_cast<std::uint8_t>(next() % 120);
      button.Param1 = static_cast<std::uint8_t>(next());
      button.Param2 = static_cast<std::uint8_t>(next());
      for (std::uint8_t& byte : button.Data) byte = static_cast<std::uint8_t>(next());
      // The name's whole array is stored, garbage after the terminator included.
      for (char16_t& unit : button.MacroName) unit = static_cast<char16_t>(next());
      CopyToFixed(button.MacroName, u"Combo \u00E9\u4E2D");
    }
  }
  return config;
}

}  // namespace perix::test
