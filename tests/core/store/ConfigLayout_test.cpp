#include "store/ConfigLayout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/Defaults.h"
#include "store/IniDocument.h"
#include "store/MemoryFileSystem.h"
#include "store/SampleConfig.h"
#include "store/SettingsStore.h"
#include "text/Utf16.h"

namespace perix {
namespace {

using namespace std::string_literals;

constexpr char16_t kPath[] = u"C:\\Data\\Mouse.ini";

DeviceConfig Unset() {
  DeviceConfig config;
  std::memset(&config, 0, sizeof config);
  ResetToUnset(config);
  return config;
}

bool SameRecord(const DeviceConfig& a, const DeviceConfig& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The lines of one section, header excluded, in file order.
std::vector<std::string> SectionLines(const std::string& file, const std::string& section) {
  std::vector<std::string> lines;
  std::size_t at = file.find("[" + section + "]\r\n");
  if (at == std::string::npos) return lines;
  at = file.find('\n', at) + 1;
  while (at < file.size() && file[at] != '[') {
    const std::size_t end = file.find("\r\n", at);
    lines.push_back(file.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

std::string KeyOf(const std::string& line) { return line.substr(0, line.find('=')); }

TEST(ConfigLayout, SaveAndLoadRoundTripEveryFieldIncludingNotLoaded) {
  for (const DeviceConfig& original : {test::SampleConfig(), Unset()}) {
    test::MemoryFileSystem files;
    ASSERT_EQ(SaveConfig(original, kPath, files), FileStatus::Ok);
    DeviceConfig loaded = Unset();
    std::memset(&loaded.Profiles, 0x5A, sizeof loaded.Profiles);  // every stored byte must come from the file
    ResetToUnset(loaded);
    LoadConfig(loaded, kPath, -1, files);
    DeviceConfig expected = original;
    if (expected.Profile == -1) expected.Profile = 0;  // "Profile" -1 loads as 0
    EXPECT_TRUE(SameRecord(loaded, expected));
  }
}

TEST(ConfigLayout, SaveWritesTheKeysInTheirOrder) {
  test::MemoryFileSystem files;
  ASSERT_EQ(FileStatus::Ok, SaveConfig(test::SampleConfig(), kPath, files));
  const std::string& file = files.files[kPath];
  std::vector<std::string> keys;
  for (const std::string& line : SectionLines(file, "Setting")) keys.push_back(KeyOf(line));
  const std::vector<std::string> expected = {
      "Profile", "TrayEnabled", "MouseButtons", "PollingRate", "LeftCount", "RightCount", "WheelScrollLines",
      "MouseSensitivity", "DoubleClickSpeed", "AccelerationEnabled", "Acceleration", "UniversalScrollEnabled",
      "DPI_INFO1", "DPI_INFO2", "DPI_INFO3", "DPI_INFO4", "LED_MODE_INFO1", "LED_MODE_INFO2", "LED_MODE_INFO3",
      "LED_MODE_INFO4", "LED_MODE_INFO5", "LED_MODE_INFO6", "DPI", "LedStateOn", "LedColor", "LedMode"};
  EXPECT_EQ(keys, expected);
  EXPECT_NE(file.find("RightCount=-1\r\n"), std::string::npos);
  EXPECT_LT(file.find("[GROUP]"), file.find("[GROUP1]"));
  EXPECT_LT(file.find("[GROUP3]"), file.find("[GROUP4]"));
  EXPECT_EQ(file.find("Name="), std::string::npos) << "Name and Exe are never written";
}

TEST(ConfigLayout, ContentTheLayoutDoesNotOwnSurvivesASave) {
  const std::string original =
      "; user notes\r\n"
      "[Setting]\r\n"
      "ProfileName=shooter\r\n"
      "PollingRate = 8\r\n"
      "\r\n"
      "[MACRO_LIST]\r\n"
      "0=Combo\r\n"
      "\r\n"
      "[GROUP2]\r\n"
      "Name=Work\r\n"
      "Exe=C:\\Tools\\app.exe\r\n"
      "\r\n"
      "[Service]\r\n"
      "Internal=1\r\n";
  test::MemoryFileSystem files;
  files.files[kPath] = original;
  ASSERT_EQ(FileStatus::Ok, SaveConfig(test::SampleConfig(), kPath, files));
  const std::string& saved = files.files[kPath];
  EXPECT_EQ(saved.rfind("; user notes\r\n[Setting]\r\nProfileName=shooter\r\nPollingRate=4\r\n", 0), 0u);
  EXPECT_NE(saved.find("\r\n\r\n[MACRO_LIST]\r\n0=Combo\r\n\r\n[GROUP2]\r\nName=Work\r\nExe=C:\\Tools\\app.exe\r\nDPI="),
            std::string::npos);
  EXPECT_NE(saved.find("[Service]\r\nInternal=1\r\n"), std::string::npos);

  DeviceConfig loaded = Unset();
  LoadConfig(loaded, kPath, -1, files);
  EXPECT_EQ(FixedToString(loaded.Profiles[2].Name), u"Work");
  EXPECT_EQ(FixedToString(loaded.Profiles[2].Exe), u"C:\\Tools\\app.exe");
}

TEST(ConfigLayout, LoadWritesBackOnceAndOnlyWhatChanged) {
  test::MemoryFileSystem files;
  DeviceConfig loaded = Unset();
  LoadConfig(loaded, kPath, -1, files);  // first start: no file yet
  EXPECT_EQ(files.reads, 1);
  EXPECT_EQ(files.writes, 1);
  const std::string& created = files.files[kPath];
  EXPECT_EQ(created.rfind("[Setting]\r\nProfile=0\r\nTrayEnabled=-1\r\nMouseButtons=-1\r\nPollingRate=-1\r\n"
                          "LeftCount=0\r\nRightCount=0\r\nWheelScrollLines=-1\r\n", 0),
            0u);
  for (const char* section : {"GROUP", "GROUP1", "GROUP2", "GROUP3", "GROUP4"}) {
    EXPECT_EQ(SectionLines(created, section).size(), 9u) << section;
  }
  DeviceConfig again = Unset();
  LoadConfig(again, kPath, -1, files);
  EXPECT_EQ(files.writes, 1) << "a normalised file is not rewritten";
  EXPECT_TRUE(SameRecord(again, loaded));

  ASSERT_EQ(FileStatus::Ok, SaveConfig(test::SampleConfig(), kPath, files));
  EXPECT_EQ(files.reads, 3);
  EXPECT_EQ(files.writes, 2) << "one replace for the whole configuration";
}

TEST(ConfigLayout, ProfileOverrideRule) {
  test::MemoryFileSystem files;
  files.files[kPath] = "[Setting]\r\nProfile=3\r\n";
  DeviceConfig config = Unset();
  LoadConfig(config, kPath, -1, files);
  EXPECT_EQ(config.Profile, 3);
  config = Unset();
  LoadConfig(config, kPath, 0, files);
  EXPECT_EQ(config.Profile, 0);
  EXPECT_EQ(SettingsStore(kPath, files).ReadInt(u"Setting", u"Profile", -5), 0) << "the write-back stores it";
  files.files[kPath] = "[Setting]\r\nProfile=-1\r\n";
  LoadConfig(config, kPath, -1, files);
  EXPECT_EQ(config.Profile, 0);
  files.files[kPath] = "[Setting]\r\nProfile=7\r\n";
  LoadConfig(config, kPath, -1, files);
  EXPECT_EQ(config.Profile, 7) << "range repair is validation's business";
}

TEST(ConfigLayout, DamagedBlobsKeepTheFieldsPreviousContent) {
  test::MemoryFileSystem files;
  ASSERT_EQ(FileStatus::Ok, SaveConfig(test::SampleConfig(), kPath, files));
  std::string& file = files.files[kPath];
  file[file.find("DPI_INFO2=") + 10] ^= 1;                      // one digit changed
  file.erase(file.find("ButtonAssigned3=") + 16, 1);           // odd length
  file.replace(file.find("LED_MODE_INFO6"), 14, "LED_MODE_INFOX");  // missing
  DeviceConfig loaded = Unset();
  loaded.DpiStages[1] = {7, 7, 7, 7};
  loaded.LedModeSettings[5] = {8, 8, 8};
  loaded.Profiles[0].ButtonAssigned[2].FunctionCode = 0xFF;
  const ButtonAssignment before = loaded.Profiles[0].ButtonAssigned[2];
  LoadConfig(loaded, kPath, -1, files);
  EXPECT_EQ(loaded.DpiStages[1].Level, 7);
  EXPECT_EQ(loaded.LedModeSettings[5].Value3, 8);
  EXPECT_EQ(std::memcmp(&loaded.Profiles[0].ButtonAssigned[2], &before, sizeof before), 0);
  EXPECT_EQ(loaded.DpiStages[0].Level, test::SampleConfig().DpiStages[0].Level);
}

TEST(ConfigLayout, LongNamesAreCutTo259Units) {
  test::MemoryFileSystem files;
  const std::u16string name = std::u16string(258, u'n') + u"\U0001F600tail";
  files.files[kPath] = "\xEF\xBB\xBF[GROUP]\r\nName=" + Utf16ToUtf8(name) + "\r\nExe=" + std::string(300, 'e') + "\r\n";
  ProfileConfig profile{};
  LoadProfile(profile, 0, kPath, files);
  EXPECT_EQ(FixedToString(profile.Name), std::u16string(258, u'n')) << "no half of a pair left at the end";
  EXPECT_EQ(FixedToString(profile.Exe), std::u16string(259, u'e'));
}

TEST(ConfigLayout, SaveProfileWritesOneSectionAndNothingElse) {
  EXPECT_EQ(ProfileSectionName(0), u"GROUP");
  EXPECT_EQ(ProfileSectionName(-3), u"GROUP");
  EXPECT_EQ(ProfileSectionName(3), u"GROUP3");
  test::MemoryFileSystem files;
  const DeviceConfig config = test::SampleConfig();
  SaveProfile(config.Profiles[3], 3, kPath, files);
  SaveProfile(config.Profiles[0], 0, kPath, files);
  const std::string& file = files.files[kPath];
  EXPECT_EQ(file.rfind("[GROUP3]\r\nDPI=3\r\nButtonAssigned1=", 0), 0u);
  std::vector<std::string> keys;
  for (const std::string& line : SectionLines(file, "GROUP")) keys.push_back(KeyOf(line));
  EXPECT_EQ(keys, (std::vector<std::string>{"DPI", "ButtonAssigned1", "ButtonAssigned2", "ButtonAssigned3",
                                            "ButtonAssigned4", "ButtonAssigned5", "ButtonAssigned6",
                                            "ButtonAssigned7", "ButtonAssigned8"}));
  ProfileConfig back{};
  LoadProfile(back, 3, kPath, files);
  EXPECT_EQ(std::memcmp(&back.ButtonAssigned, &config.Profiles[3].ButtonAssigned, sizeof back.ButtonAssigned), 0);
  EXPECT_EQ(back.DPI, 3);
}

TEST(ConfigLayout, PartialLoadsAndSavesTouchOnlyTheirKeys) {
  test::MemoryFileSystem files;
  const DeviceConfig saved = test::SampleConfig();
  ASSERT_EQ(FileStatus::Ok, SaveConfig(saved, kPath, files));
  DeviceConfig config = Unset();
  LoadDpiStages(config, kPath, files);
  EXPECT_EQ(std::memcmp(config.DpiStages, saved.DpiStages, sizeof saved.DpiStages), 0);
  EXPECT_EQ(config.LedModeSettings[0].Value1, -1);
  EXPECT_EQ(config.DPI, -1);

  const std::string before = files.files[kPath];
  ASSERT_EQ(FileStatus::Ok, SavePollingRate(1, kPath, files));
  std::string expected = before;
  expected.replace(expected.find("PollingRate=4"), 13, "PollingRate=1");
  EXPECT_EQ(files.files[kPath], expected);
}

TEST(ConfigLayout, UnicodeFilesStayInTheirEncoding) {
  test::MemoryFileSystem files;
  files.files[kPath] = "\xFF\xFE[\0S\0]\0\r\0\n\0"s;
  ASSERT_EQ(FileStatus::Ok, SaveConfig(test::SampleConfig(), kPath, files));
  EXPECT_EQ(files.files[kPath].substr(0, 12), "\xFF\xFE[\0S\0]\0\r\0\n\0"s);
  DeviceConfig loaded = Unset();
  LoadConfig(loaded, kPath, -1, files);
  EXPECT_TRUE(SameRecord(loaded, test::SampleConfig()));
}

TEST(ConfigLayout, AnUnreadableFileIsNeitherReplacedNorTakenForEmpty) {
  test::MemoryFileSystem files;
  files.files[kPath] = "[Setting]\r\nPollingRate=8\r\n";
  files.readFailure = FileStatus::AccessDenied;
  EXPECT_EQ(SaveConfig(test::SampleConfig(), kPath, files), FileStatus::AccessDenied);
  DeviceConfig config = Unset();
  LoadConfig(config, kPath, -1, files);
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(config.PollingRate, -1);
}

}  // namespace
}  // namespace perix
