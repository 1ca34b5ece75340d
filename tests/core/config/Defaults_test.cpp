#include <gtest/gtest.h>

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
