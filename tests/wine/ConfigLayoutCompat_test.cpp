// The whole settings layout against the platform: SaveConfig writes what
// kernel32 writes key by key, and each side loads what the other saved.

#include <gtest/gtest.h>

#include <cstring>

#include "PlatformLayout.h"
#include "WineProfile.h"
#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/SampleConfig.h"
#include "store/SettingsStore.h"

namespace perix::wine {
namespace {

DeviceConfig Unset() {
  DeviceConfig config;
  std::memset(&config, 0, sizeof config);
  ResetToUnset(config);
  return config;
}

bool SameRecord(const DeviceConfig& a, const DeviceConfig& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(ConfigLayoutCompat, SaveConfigWritesTheFileThePlatformWritesKeyByKey) {
  TempFolder folder;
  const std::u16string mine = folder.File(L"mine.ini");
  const std::u16string theirs = folder.File(L"theirs.ini");
  const DeviceConfig config = test::SampleConfig();
  ASSERT_EQ(SaveConfig(config, mine), FileStatus::Ok);
  PlatformSaveConfig(config, W(theirs).c_str());
  EXPECT_EQ(ReadBytes(mine), ReadBytes(theirs));

  // A second save of other values over the same files, in place.
  const DeviceConfig other = test::SampleConfig(7);
  ASSERT_EQ(SaveConfig(other, mine), FileStatus::Ok);
  PlatformSaveConfig(other, W(theirs).c_str());
  EXPECT_EQ(ReadBytes(mine), ReadBytes(theirs));
}

TEST(ConfigLayoutCompat, EachSideLoadsWhatTheOtherSaved) {
  TempFolder folder;
  const std::u16string mine = folder.File(L"mine.ini");
  const std::u16string theirs = folder.File(L"theirs.ini");
  DeviceConfig config = test::SampleConfig(3);
  // Names are read, never written: the files carry them from elsewhere.
  const std::string names = "[GROUP1]\r\nName=Shooter\r\nExe=C:\\Games\\shoot.exe\r\n";
  WriteBytes(mine, names);
  WriteBytes(theirs, names);
  ASSERT_EQ(SaveConfig(config, mine), FileStatus::Ok);
  PlatformSaveConfig(config, W(theirs).c_str());
  CopyToFixed(config.Profiles[1].Name, u"Shooter");
  CopyToFixed(config.Profiles[1].Exe, u"C:\\Games\\shoot.exe");

  DeviceConfig platformRead = Unset();
  PlatformLoadConfig(platformRead, W(mine).c_str());
  EXPECT_TRUE(SameRecord(platformRead, config));

  DeviceConfig storeRead = Unset();
  const std::optional<std::string> before = ReadBytes(theirs);
  ASSERT_TRUE(LoadConfig(storeRead, theirs, -1).ok());
  EXPECT_TRUE(SameRecord(storeRead, config));
  // The write-back of unchanged values leaves the platform's file alone.
  EXPECT_EQ(ReadBytes(theirs), before);
}

TEST(ConfigLayoutCompat, LoadingADamagedFileReadsWhatThePlatformReads) {
  TempFolder folder;
  const std::u16string path = folder.File(L"damaged.ini");
  const DeviceConfig config = test::SampleConfig(5);
  ASSERT_EQ(SaveConfig(config, path), FileStatus::Ok);
  std::string bytes = *ReadBytes(path);
  // One changed digit in a blob, a blob cut short, an integer with garbage.
  bytes[bytes.find("DPI_INFO2=") + 12] ^= 1;
  bytes.erase(bytes.find("ButtonAssigned3=") + 40, 10);
  bytes.replace(bytes.find("LedMode=") + 8, 1, "0x1F garbage");
  WriteBytes(path, bytes);

  DeviceConfig platformRead = Unset();
  PlatformLoadConfig(platformRead, W(path).c_str());
  DeviceConfig storeRead = Unset();
  ASSERT_TRUE(LoadConfig(storeRead, path, -1).ok());
  EXPECT_TRUE(SameRecord(platformRead, storeRead));
  EXPECT_EQ(storeRead.LedMode, 0x1F);
  EXPECT_EQ(storeRead.DpiStages[1].Level, -1) << "a damaged blob keeps the field's previous content";
}

}  // namespace
}  // namespace perix::wine
