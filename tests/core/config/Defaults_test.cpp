#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "config/Defaults.h"
#include "config/FunctionCatalogue.h"

namespace perix {
namespace {

TEST(Validate, RecordFullOfMinusOneGetsRangeCheckedFieldsAndDefaultButtons) {
  DeviceConfig loaded;
  std::memset(&loaded, 0xFF, sizeof loaded);
  DeviceConfig live{};
  ValidateConfig(live, loaded);
  EXPECT_EQ(live.Profile, 0);
  EXPECT_EQ(live.MouseButtons, 8);
  EXPECT_EQ(live.TrayEnabled, 1);
  EXPECT_EQ(live.PollingRate, 2);
  for (const ProfileConfig& profile : live.Profiles) {
    EXPECT_EQ(profile.ButtonAssigned[0].FunctionCode, 1);
    EXPECT_EQ(profile.ButtonAssigned[5].FunctionCode, 14);
    EXPECT_EQ(profile.ButtonAssigned[7].FunctionCode, 0);
    EXPECT_EQ(profile.ButtonAssigned[3].Param1, 1);
  }
  EXPECT_EQ(live.LedMode, -1);
  EXPECT_EQ(live.DPI, -1);
  EXPECT_EQ(live.DpiStages[2].Level, -1);
}

}  // namespace
}  // namespace perix

namespace perix {
namespace {

DeviceConfig Filled(unsigned char byte) {
  DeviceConfig config;
  std::memset(&config, byte, sizeof config);
  return config;
}

TEST(Reset, ToUnsetKeepsCountersAndLedModeAndNumbersTheButtons) {
  DeviceConfig config = Filled(0x11);
  config.LeftCount = 7;
  config.LedMode = 4;
  ResetToUnset(config);
  EXPECT_EQ(config.LeftCount, 7);
  EXPECT_EQ(config.LedMode, 4);
  EXPECT_EQ(config.Reserved0, 0x11111111);
  EXPECT_EQ(config.Profile, -1);
  EXPECT_EQ(config.LedColor, 0xFFFFFFFFu);
  EXPECT_EQ(config.LedModeSettings[5].Value3, -1);
  for (const ProfileConfig& profile : config.Profiles) {
    EXPECT_EQ(profile.Name[0], u'\0');
    EXPECT_EQ(profile.DPI, -1);
    for (int b = 0; b < kButtonCount; ++b) {
      EXPECT_EQ(profile.ButtonAssigned[b].ButtonNumber, b + 1);
      EXPECT_EQ(profile.ButtonAssigned[b].FunctionCode, 0xFF);
      EXPECT_EQ(profile.ButtonAssigned[b].Param1, 1);
      EXPECT_EQ(profile.ButtonAssigned[b].Data[119], 0);
    }
  }
}

TEST(Reset, ProfileToDefaultsTouchesOnlyGlobalsAndThatProfile) {
  DeviceConfig config = Filled(0x22);
  config.Profiles[3].Name[0] = u'Z';
  ResetProfileToDefaults(config, 3);
  EXPECT_EQ(config.PollingRate, kFactoryPollingRate);
  EXPECT_EQ(config.LedMode, kFactoryLedMode);
  EXPECT_EQ(config.LedColor, 0xFFu);
  EXPECT_EQ(config.DpiStages[0].Level, 3);
  EXPECT_EQ(config.DpiStages[3].LevelY, 8);
  EXPECT_EQ(config.LedModeSettings[1].Value1, 12);
  EXPECT_EQ(config.Profile, 0x22222222) << "the active profile is not the reset's business";
  EXPECT_EQ(config.Profiles[3].DPI, 1);
  EXPECT_EQ(config.Profiles[3].Name[0], u'Z');
  EXPECT_EQ(config.Profiles[3].ButtonAssigned[5].FunctionCode, 14);
  EXPECT_EQ(config.Profiles[3].ButtonAssigned[5].ButtonNumber, 0x22) << "ButtonNumber is left alone";
  EXPECT_EQ(config.Profiles[2].DPI, 0x22222222);
  EXPECT_EQ(config.Profiles[2].ButtonAssigned[0].FunctionCode, 0x22);
}

TEST(Validate, RepairsOnlyUnknownCodesAndReportsEachChange) {
  DeviceConfig loaded = Filled(0);
  ResetProfileToDefaults(loaded, 1);
  loaded.Profile = 7;
  loaded.MouseButtons = 3;
  loaded.TrayEnabled = 0;
  loaded.PollingRate = 5;
  ProfileConfig& profile = loaded.Profiles[1];
  profile.ButtonAssigned[1] = {2, 8, 9, 9, {1, 2, 3}, u"Combo"};
  profile.ButtonAssigned[2].FunctionCode = 96;
  profile.ButtonAssigned[3].FunctionCode = 25;
  std::vector<Repair> repairs;
  DeviceConfig live;
  ValidateConfig(live, loaded, &repairs);
  EXPECT_EQ(live.Profile, 0);
  EXPECT_EQ(live.MouseButtons, 3);
  EXPECT_EQ(live.TrayEnabled, 0);
  EXPECT_EQ(live.PollingRate, 5);
  const ButtonAssignment& repaired = live.Profiles[1].ButtonAssigned[1];
  EXPECT_EQ(repaired.FunctionCode, 2);
  EXPECT_EQ(repaired.Param1, 1);
  EXPECT_EQ(repaired.Param2, 0);
  EXPECT_EQ(repaired.Data[0], 0);
  EXPECT_EQ(repaired.ButtonNumber, 2);
  EXPECT_EQ(repaired.MacroName[0], u'C');
  EXPECT_EQ(live.Profiles[1].ButtonAssigned[2].FunctionCode, 3);
  EXPECT_EQ(live.Profiles[1].ButtonAssigned[3].FunctionCode, 25);

  std::vector<std::string> fields;
  for (const Repair& r : repairs) fields.push_back(r.field);
  // Profile 7, two buttons of profile 1, and buttons 1..6 of the four profiles
  // that hold code 0 (buttons 7 and 8 keep code 0 and are not reported).
  EXPECT_EQ(repairs.size(), 1u + 2u + 4u * 6u);
  EXPECT_EQ(fields[0], "Profile");
  EXPECT_EQ(fields[1], "Profiles[0].ButtonAssigned[0].FunctionCode");
  EXPECT_NE(std::find(fields.begin(), fields.end(), "Profiles[1].ButtonAssigned[1].FunctionCode"), fields.end());
}

}  // namespace
}  // namespace perix
