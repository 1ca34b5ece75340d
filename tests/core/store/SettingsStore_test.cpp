#include "store/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "store/MemoryFileSystem.h"
#include "text/Utf16.h"

namespace perix {
namespace {

constexpr char16_t kPath[] = u"C:\\Data\\Mouse.ini";

TEST(SettingsStore, ReadsFollowThePlatformsReaders) {
  test::MemoryFileSystem files;
  files.files[kPath] = "[S]\r\nlong=" + std::string(5000, 'x') + "\r\nn= -7 \r\nblob=0102ABFFAD\r\n";
  const SettingsStore store(kPath, files);
  EXPECT_EQ(store.ReadString(u"S", u"long").size(), 4095u);
  EXPECT_EQ(store.ReadString(u"S", u"missing", u"fallback"), u"fallback");
  EXPECT_EQ(store.ReadInt(u"S", u"n", 3), -7);
  EXPECT_EQ(store.ReadInt(u"S", u"missing", 3), 3);
  unsigned char buffer[4] = {9, 9, 9, 9};
  EXPECT_FALSE(store.ReadStruct(u"S", u"blob", buffer, 3));
  EXPECT_EQ(buffer[0], 9) << "written only on success";
  EXPECT_TRUE(store.ReadStruct(u"S", u"blob", buffer, 4));
  EXPECT_EQ(buffer[2], 0xAB);
  EXPECT_EQ(SettingsStore(u"C:\\none.ini", files).ReadInt(u"S", u"n", 3), 3);
}

TEST(SettingsStore, EachWriteReplacesTheFileOnceAndAnEqualValueNotAtAll) {
  test::MemoryFileSystem files;
  SettingsStore store(kPath, files);
  ASSERT_EQ(store.WriteInt(u"Setting", u"PollingRate", -1), FileStatus::Ok);
  ASSERT_EQ(store.WriteString(u"Setting", u"ProfileName", u"game"), FileStatus::Ok);
  EXPECT_EQ(files.writes, 2);
  ASSERT_EQ(store.WriteInt(u"Setting", u"PollingRate", -1), FileStatus::Ok);
  EXPECT_EQ(files.writes, 2);
  EXPECT_EQ(files.files[kPath], "[Setting]\r\nPollingRate=-1\r\nProfileName=game\r\n");
}

TEST(SettingsStore, AFileThatCannotBeReadIsNotReplaced) {
  test::MemoryFileSystem files;
  files.files[kPath] = "[Setting]\r\nPollingRate=8\r\nOther=keep\r\n";
  files.readFailure = FileStatus::AccessDenied;
  SettingsStore store(kPath, files);
  EXPECT_EQ(store.WriteInt(u"Setting", u"PollingRate", 1), FileStatus::AccessDenied) << "the reason travels";
  EXPECT_EQ(files.writes, 0);
  files.readFailure = FileStatus::Ok;
  files.writeFailure = FileStatus::DiskFull;
  EXPECT_EQ(store.WriteInt(u"Setting", u"PollingRate", 1), FileStatus::DiskFull);
  EXPECT_EQ(store.WriteString(u"Setting", u"Name", u"a\nb"), FileStatus::Failed);
  files.writeFailure = FileStatus::Ok;
  files.files[kPath] = std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 10);
  const int writes = files.writes;
  EXPECT_EQ(store.WriteInt(u"Setting", u"PollingRate", 1), FileStatus::NotUnderstood);
  EXPECT_EQ(files.writes, writes) << "not INI text: never written into";
}

TEST(SettingsStore, WorksOnRealFiles) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("perix-store-" + std::to_string(std::random_device{}()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::u16string path = Utf8ToUtf16((folder / "Mouse.ini").string());
  SettingsStore store(path);
  ASSERT_EQ(store.WriteString(u"MACRO_LIST", u"0", u"Combo \u00E9\u4E2D"), FileStatus::Ok);
  ASSERT_EQ(store.WriteInt(u"Setting", u"Profile", 3), FileStatus::Ok);
  EXPECT_EQ(SettingsStore(path).ReadString(u"MACRO_LIST", u"0"), u"Combo \u00E9\u4E2D");
  EXPECT_EQ(SettingsStore(path).ReadInt(u"Setting", u"Profile", -1), 3);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++entries;
  EXPECT_EQ(entries, 1u) << "no temporary file left behind";
  EXPECT_NE(SettingsStore(Utf8ToUtf16((folder / "missing" / "x.ini").string())).WriteInt(u"S", u"k", 1), FileStatus::Ok);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace perix
