#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "RecordingServiceLink.h"
#include "TestFolder.h"
#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/ConfigSession.h"
#include "store/IniDocument.h"
#include "store/MemoryFileSystem.h"
#include "store/ProfileFile.h"

namespace perix {
namespace {

using test::RecordingServiceLink;
using test::TestFolder;

class ProfileFileTest : public testing::Test {
 protected:
  ProfileFileTest() : paths(DataPathsUnder(folder.Path() + u"appdata")), session(paths, service) {
    DefaultFileSystem().MakeDirectories(paths.macroFolder);
  }

  IniDocument Settings() const {
    return IniDocument::Parse(DefaultFileSystem().ReadAll(paths.settingsFile).bytes);
  }

  TestFolder folder;
  RecordingServiceLink service;
  DataPaths paths;
  ConfigSession session;
};

TEST_F(ProfileFileTest, FirstStartCreatesSettingsWithUnsetValues) {
  ASSERT_TRUE(session.LoadConfiguration().ok());
  const IniDocument settings = Settings();
  EXPECT_EQ(settings.Value(u"Setting", u"PollingRate"), u"-1");
  EXPECT_EQ(settings.Value(u"Setting", u"LeftCount"), u"0");
  EXPECT_EQ(settings.Value(u"GROUP4", u"DPI"), u"-1");
  EXPECT_TRUE(settings.Value(u"GROUP", u"ButtonAssigned8").has_value());
  // The live copy is validated; the file keeps what was loaded until the next save.
  EXPECT_EQ(session.Live().PollingRate, 2);
  EXPECT_EQ(session.Live().Profiles[0].ButtonAssigned[0].FunctionCode, 1);
  EXPECT_EQ(session.Live().DPI, -1);
  EXPECT_TRUE(service.posts.empty()) << "loading announces nothing";
}

TEST_F(ProfileFileTest, ExportThenImportRoundTripsAndMakesTheFirstProfileActive) {
  ASSERT_TRUE(session.LoadConfiguration().ok());
  for (int p = 0; p < kProfileCount; ++p) ResetProfileToDefaults(session.Live(), p);
  session.Live().Profile = 3;
  session.Live().Profiles[2].ButtonAssigned[4].FunctionCode = 37;
  ASSERT_EQ(session.SaveConfiguration(), FileStatus::Ok);
  const std::u16string exported = folder.File("My Setup.prof");
  ASSERT_EQ(ExportProfile(session.Live(), exported), FileStatus::Ok);
  const std::string exportedBytes = folder.Read("My Setup.prof");

  session.Live().Profiles[2].ButtonAssigned[4].FunctionCode = 7;
  ASSERT_EQ(session.SaveConfiguration(), FileStatus::Ok);
  ASSERT_TRUE(ImportProfile(session, exported).ok());

  EXPECT_EQ(session.Live().Profile, 0);
  EXPECT_EQ(session.Live().Profiles[2].ButtonAssigned[4].FunctionCode, 37);
  const IniDocument settings = Settings();
  EXPECT_EQ(settings.Value(u"Setting", u"Profile"), u"0");
  EXPECT_EQ(settings.Value(u"Setting", u"ProfileName"), u"My Setup");
  EXPECT_EQ(service.posts, (std::vector<RecordingServiceLink::Posted>{{1279, 0, 0}}));
  EXPECT_EQ(folder.Read("My Setup.prof"), exportedBytes) << "an import never writes the chosen file";
}

TEST_F(ProfileFileTest, ImportRepairsUnknownCodesAndReadsReadOnlyFiles) {
  const std::u16string source = folder.File("old.prof");
  auto config = std::make_unique<DeviceConfig>();
  ResetToUnset(*config);
  for (int p = 0; p < kProfileCount; ++p) ResetProfileToDefaults(*config, p);
  config->Profiles[2].ButtonAssigned[4].FunctionCode = 200;
  ASSERT_EQ(ExportProfile(*config, source), FileStatus::Ok);
  std::filesystem::permissions(folder.Native() / "old.prof", std::filesystem::perms::owner_read,
                               std::filesystem::perm_options::replace);

  ASSERT_TRUE(ImportProfile(session, source).ok());
  EXPECT_EQ(session.Live().Profiles[2].ButtonAssigned[4].FunctionCode, 11);
}

TEST_F(ProfileFileTest, FilesThatAreNotProfilesChangeNothing) {
  ASSERT_TRUE(session.LoadConfiguration().ok());
  session.Live().LedColor = 0x123456;
  ASSERT_EQ(session.SaveConfiguration(), FileStatus::Ok);
  const std::string before = DefaultFileSystem().ReadAll(paths.settingsFile).bytes;
  auto liveBefore = std::make_unique<DeviceConfig>(session.Live());

  folder.Write("notes.prof", "[Other]\r\nkey=value\r\n");
  folder.Write("image.prof", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR[Setting]", 24));
  folder.Write("empty.prof", "");
  for (const char* name : {"notes.prof", "image.prof", "empty.prof"}) {
    const FileOutcome outcome = ImportProfile(session, folder.File(name));
    EXPECT_EQ(outcome.status, FileStatus::NotUnderstood) << name;
    EXPECT_EQ(outcome.action, FileAction::Read) << name;
    EXPECT_EQ(outcome.path, folder.File(name));
  }
  EXPECT_EQ(ImportProfile(session, folder.File("missing.prof")).status, FileStatus::NotFound);

  EXPECT_EQ(DefaultFileSystem().ReadAll(paths.settingsFile).bytes, before);
  EXPECT_EQ(std::memcmp(liveBefore.get(), &session.Live(), sizeof(DeviceConfig)), 0);
  EXPECT_TRUE(service.posts.empty());
}

TEST_F(ProfileFileTest, SavesHappenEvenWithoutTheService) {
  service.running = false;
  ASSERT_TRUE(session.LoadConfiguration().ok());
  session.Live().Profile = 4;
  EXPECT_FALSE(session.SaveAndNotify(1298));
  EXPECT_EQ(Settings().Value(u"Setting", u"Profile"), u"4");
}

// A kill between two writes must not leave the import without its name: the
// configuration and "ProfileName" reach the file in one replace, or neither.
TEST(ProfileImport, WritesTheConfigurationAndItsNameInOneReplace) {
  test::MemoryFileSystem files;
  RecordingServiceLink service;
  const DataPaths paths = DataPathsUnder(u"C:\\Users\\u\\data");
  ConfigSession session(paths, service, files);
  auto config = std::make_unique<DeviceConfig>();
  ResetToUnset(*config);
  for (int p = 0; p < kProfileCount; ++p) ResetProfileToDefaults(*config, p);
  config->LedColor = 0x123456;
  ASSERT_EQ(ExportProfile(*config, u"C:\\shared\\Game.prof", files), FileStatus::Ok);
  const int writesBefore = files.writes;

  ASSERT_TRUE(ImportProfile(session, u"C:\\shared\\Game.prof").ok());
  EXPECT_EQ(files.writes, writesBefore + 1);
  const IniDocument settings = IniDocument::Parse(files.files[paths.settingsFile]);
  EXPECT_EQ(settings.Value(u"Setting", u"ProfileName"), u"Game");
  EXPECT_EQ(settings.Value(u"Setting", u"LedColor"), u"1193046");

  // A failed write leaves neither half behind.
  config->LedColor = 0x654321;
  ASSERT_EQ(ExportProfile(*config, u"C:\\shared\\Other.prof", files), FileStatus::Ok);
  files.writeFailure = FileStatus::DiskFull;
  const FileOutcome failed = ImportProfile(session, u"C:\\shared\\Other.prof");
  EXPECT_EQ(failed.status, FileStatus::DiskFull);
  EXPECT_EQ(failed.action, FileAction::Save);
  EXPECT_EQ(failed.path, paths.settingsFile);
  EXPECT_EQ(IniDocument::Parse(files.files[paths.settingsFile]).Value(u"Setting", u"ProfileName"), u"Game");
}

TEST(DataFolder, PathsEndWithSeparatorsAndNameTheFiles) {
  const DataPaths paths = DataPathsUnder(u"C:\\Users\\Ann\\AppData\\Roaming\\");
  EXPECT_EQ(paths.folder, u"C:\\Users\\Ann\\AppData\\Roaming\\ZELT-7700 PERIX\\GamingMouse\\");
  EXPECT_EQ(paths.settingsFile, paths.folder + u"Mouse.ini");
  EXPECT_EQ(paths.macroFolder, paths.folder + u"Macro\\");
}

}  // namespace
}  // namespace perix
