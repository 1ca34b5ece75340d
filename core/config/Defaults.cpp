#include "config/Defaults.h"

#include <cstring>

#include "config/FunctionCatalogue.h"

namespace perix {
namespace {

constexpr std::uint8_t kDefaultCodes[kButtonCount] = {1, 2, 3, 10, 11, 14, 0, 0};

constexpr DpiStage kFactoryStages[kDpiStageCount] = {
    {0, 3, 3, 3}, {0, 5, 5, 5}, {0, 7, 7, 7}, {0, 8, 8, 8}};

constexpr LedModeSetting kFactoryLedModes[kLedModeSettingCount] = {
    {0, 12, 12}, {12, 4, 9}, {0, 4, 9}, {0, 4, 9}, {3, 4, 9}, {0, 4, 9}};

std::string ButtonField(int profileIndex, int buttonIndex) {
  return "Profiles[" + std::to_string(profileIndex) + "].ButtonAssigned[" + std::to_string(buttonIndex) +
         "].FunctionCode";
}

// Repairs one int field whose value, taken as unsigned, must lie in
// [low, high]; anything else becomes `fallback`.
void RepairRange(std::int32_t& field, std::uint32_t low, std::uint32_t high, std::int32_t fallback,
                 const char* name, std::vector<Repair>* repairs) {
  const auto value = static_cast<std::uint32_t>(field);
  if (value >= low && value <= high) return;
  if (repairs != nullptr) repairs->push_back({name, field, fallback});
  field = fallback;
}

}  // namespace

std::uint8_t DefaultFunctionCode(int buttonNumber) {
  if (buttonNumber < 1 || buttonNumber > kButtonCount) return FunctionCode::None;
  return kDefaultCodes[buttonNumber - 1];
}

void SetDefaultAssignment(ButtonAssignment& button, int buttonNumber) {
  button.FunctionCode = DefaultFunctionCode(buttonNumber);
  button.Param1 = 1;
  button.Param2 = 0;
  std::memset(button.Data, 0, sizeof button.Data);
}

void ResetToUnset(DeviceConfig& config) {
  std::memset(config.Profiles, 0, sizeof config.Profiles);
  for (std::int32_t* field : {&config.MouseSensitivity, &config.DoubleClickSpeed, &config.WheelScrollLines,
                              &config.UniversalScrollEnabled, &config.LedStateOn, &config.DPI,
                              &config.PollingRate, &config.AccelerationEnabled, &config.Acceleration,
                              &config.TrayEnabled, &config.Profile}) {
    *field = kNotLoaded;
  }
  config.LedColor = static_cast<std::uint32_t>(kNotLoaded);
  for (DpiStage& stage : config.DpiStages) stage = {kNotLoaded, kNotLoaded, kNotLoaded, kNotLoaded};
  for (LedModeSetting& setting : config.LedModeSettings) setting = {kNotLoaded, kNotLoaded, kNotLoaded};
  for (ProfileConfig& profile : config.Profiles) {
    for (int n = 1; n <= kButtonCount; ++n) {
      ButtonAssignment& button = profile.ButtonAssigned[n - 1];
      button.ButtonNumber = static_cast<std::uint8_t>(n);
      button.FunctionCode = kCodeNotLoaded;
      button.Param1 = 1;
      button.Param2 = 0;
    }
    profile.DPI = kNotLoaded;
  }
}

void ResetProfileToDefaults(DeviceConfig& config, int profileIndex) {
  config.DPI = 1;
  config.LedStateOn = 1;
  config.LedColor = 0xFF;
  for (int i = 0; i < kDpiStageCount; ++i) config.DpiStages[i] = kFactoryStages[i];
  for (int i = 0; i < kLedModeSettingCount; ++i) config.LedModeSettings[i] = kFactoryLedModes[i];
  config.DoubleClickSpeed = 12;
  config.WheelScrollLines = 1;
  config.MouseSensitivity = 5;
  config.AccelerationEnabled = 0;
  config.UniversalScrollEnabled = 0;
  config.Acceleration = 1;
  config.PollingRate = kFactoryPollingRate;
  config.LedMode = kFactoryLedMode;
  if (profileIndex < 0 || profileIndex >= kProfileCount) return;
  ProfileConfig& profile = config.Profiles[profileIndex];
  profile.DPI = 1;
  for (int n = 1; n <= kButtonCount; ++n) SetDefaultAssignment(profile.ButtonAssigned[n - 1], n);
}

int RepairButtonCodes(ProfileConfig& profile, std::vector<Repair>* repairs, int profileIndex) {
  for (int n = 1; n <= kButtonCount; ++n) {
    ButtonAssignment& button = profile.ButtonAssigned[n - 1];
    if (IsRepairable(button.FunctionCode)) continue;
    const std::uint8_t old = button.FunctionCode;
    SetDefaultAssignment(button, n);
    // Buttons 7 and 8 default to code 0, which is itself not accepted: only
    // a real change is worth reporting.
    if (repairs != nullptr && (old != button.FunctionCode || old != 0)) {
      repairs->push_back({ButtonField(profileIndex, n - 1), old, button.FunctionCode});
    }
  }
  return 0;
}

int ValidateConfig(DeviceConfig& destination, const DeviceConfig& source, std::vector<Repair>* repairs) {
  if (&destination != &source) std::memcpy(&destination, &source, sizeof destination);
  RepairRange(destination.Profile, 0, 4, 0, "Profile", repairs);
  RepairRange(destination.MouseButtons, 1, 8, 8, "MouseButtons", repairs);
  RepairRange(destination.TrayEnabled, 0, 1, 1, "TrayEnabled", repairs);
  RepairRange(destination.PollingRate, 1, 8, 2, "PollingRate", repairs);
  for (int i = 0; i < kProfileCount; ++i) RepairButtonCodes(destination.Profiles[i], repairs, i);
  return 0;
}

}  // namespace perix
