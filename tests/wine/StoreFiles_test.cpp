// How the store's writes meet other processes' handles on the same file.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "PlatformLayout.h"
#include "WineProfile.h"
#include "store/ConfigLayout.h"
#include "store/SampleConfig.h"
#include "store/SettingsStore.h"

namespace perix::wine {
namespace {

std::optional<std::string> ReadShared(const std::u16string& path) {
  HANDLE file = ::CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

std::size_t TemporaryFilesBeside(const std::u16string& path) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(W(path)).parent_path())) {
    if (entry.path().extension() == L".tmp") ++count;
  }
  return count;
}

TEST(StoreFiles, AReaderOnlyEverSeesCompleteFiles) {
  TempFolder folder;
  const std::u16string path = folder.File(L"Mouse.ini");
  const DeviceConfig first = test::SampleConfig(1);
  DeviceConfig second = test::SampleConfig(2);
  second.LeftCount = 123456789;  // the two files differ in length too
  ASSERT_EQ(SaveConfig(second, path), FileStatus::Ok);
  const std::string secondBytes = *ReadBytes(path);
  ASSERT_EQ(SaveConfig(first, path), FileStatus::Ok);
  const std::string firstBytes = *ReadBytes(path);
  ASSERT_NE(firstBytes.size(), secondBytes.size());

  std::atomic<bool> done{false};
  std::atomic<int> reads{0};
  std::atomic<int> torn{0};
  std::thread reader([&] {
    while (!done) {
      const auto bytes = ReadShared(path);
      if (!bytes || (*bytes != firstBytes && *bytes != secondBytes)) ++torn;
      ++reads;
    }
  });
  bool allWritten = true;
  for (int i = 0; i < 60 || reads < 100; ++i) {
    const FileStatus status = SaveConfig(i % 2 == 0 ? second : first, path);
    allWritten = allWritten && status == FileStatus::Ok;
  }
  done = true;
  reader.join();
  EXPECT_TRUE(allWritten);
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
  EXPECT_EQ(TemporaryFilesBeside(path), 0u);
}

// The device service reads through the platform's functions, which hold the
// file open without delete sharing while they read; the store waits for a
// gap to replace the file rather than writing into it under the reader.
TEST(StoreFiles, ThePlatformsReaderNeverSeesAFileHalfWritten) {
  TempFolder folder;
  const std::u16string path = folder.File(L"Mouse.ini");
  const DeviceConfig first = test::SampleConfig(1);
  const DeviceConfig second = test::SampleConfig(2);
  ASSERT_EQ(SaveConfig(first, path), FileStatus::Ok);
  std::atomic<bool> done{false};
  std::atomic<int> reads{0};
  std::atomic<int> failures{0};
  std::thread service([&] {
    while (!done) {
      ButtonAssignment button;
      if (!::GetPrivateProfileStructW(L"GROUP4", L"ButtonAssigned8", &button, sizeof button, W(path).c_str())) {
        ++failures;
      }
      ++reads;
      ::Sleep(1);
    }
  });
  for (int i = 0; i < 60 || reads < 50; ++i) (void)SaveConfig(i % 2 == 0 ? second : first, path);
  done = true;
  service.join();
  EXPECT_EQ(failures, 0) << "of " << reads << " reads";
  EXPECT_EQ(TemporaryFilesBeside(path), 0u);
}

TEST(StoreFiles, AFileHeldOpenWithoutDeleteSharingStillGetsTheChange) {
  TempFolder folder;
  const std::u16string path = folder.File(L"held.ini");
  WriteBytes(path, "[Setting]\r\nPollingRate=8\r\n");
  HANDLE holder = ::CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SettingsStore(path).WriteInt(u"Setting", u"PollingRate", 1), FileStatus::Ok);
  EXPECT_EQ(ReadBytes(path), std::string("[Setting]\r\nPollingRate=1\r\n"));
  ::CloseHandle(holder);
  EXPECT_EQ(TemporaryFilesBeside(path), 0u);
}

TEST(StoreFiles, AHolderThatRefusesWritingDelaysTheChangeButDoesNotDropIt) {
  TempFolder folder;
  const std::u16string path = folder.File(L"locked.ini");
  WriteBytes(path, "[Setting]\r\nPollingRate=8\r\n");
  HANDLE holder = ::CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  std::thread release([holder] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ::CloseHandle(holder);
  });
  const FileStatus status = SettingsStore(path).WriteInt(u"Setting", u"PollingRate", 2);
  release.join();
  EXPECT_EQ(status, FileStatus::Ok);
  EXPECT_EQ(PlatformInt(path, u"Setting", u"PollingRate", -1), 2);
  EXPECT_EQ(TemporaryFilesBeside(path), 0u);
}

TEST(StoreFiles, AReadOnlyFileReportsFailureAndStaysAsItWas) {
  TempFolder folder;
  const std::u16string path = folder.File(L"readonly.ini");
  const std::string original = "; mine\r\n[Setting]\r\nPollingRate=8\r\n";
  WriteBytes(path, original);
  ASSERT_TRUE(::SetFileAttributesW(W(path).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(SettingsStore(path).WriteInt(u"Setting", u"PollingRate", 1), FileStatus::ReadOnly);
  EXPECT_EQ(SaveConfig(test::SampleConfig(), path), FileStatus::ReadOnly);
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(TemporaryFilesBeside(path), 0u);
  ::SetFileAttributesW(W(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(StoreFiles, TemporaryFilesOfKilledSavesAreRemovedAndNoOtherFile) {
  TempFolder folder;
  const std::u16string path = folder.File(L"Mouse.ini");
  WriteBytes(path, "[Setting]\r\nPollingRate=8\r\n");
  const std::wstring own = std::to_wstring(::GetCurrentProcessId());
  const std::u16string gone = path + u".~4294967000-3.tmp";  // no process has this number
  const std::vector<std::u16string> kept = {
      path + u".~" + std::u16string(own.begin(), own.end()) + u"-999.tmp",  // a save of this process
      path + u".~4294967000-3x.tmp",                                         // not the pattern
      folder.File(L"Other.ini") + u".~4294967000-3.tmp",                     // another file's
  };
  WriteBytes(gone, "partial");
  for (const std::u16string& name : kept) WriteBytes(name, "partial");
  ASSERT_EQ(SettingsStore(path).WriteInt(u"Setting", u"PollingRate", 1), FileStatus::Ok);
  EXPECT_FALSE(std::filesystem::exists(W(gone))) << "a killed save's leftover is removed";
  for (const std::u16string& name : kept) EXPECT_TRUE(std::filesystem::exists(W(name))) << W(name);
}

TEST(StoreFiles, AMissingFolderReportsFailure) {
  TempFolder folder;
  const std::u16string path = folder.File(L"no such folder\\Mouse.ini");
  EXPECT_NE(SettingsStore(path).WriteInt(u"Setting", u"PollingRate", 1), FileStatus::Ok);
}

}  // namespace
}  // namespace perix::wine
