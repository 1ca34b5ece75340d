// The operating system's files as the core meets them: what a save leaves
// behind when it fails or is killed, and files that are not what they seem.
// The cases need POSIX objects (pipes, symbolic links, byte file names,
// resource limits); the Windows side is tested under Wine (tests/wine).

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "text/Utf16.h"

namespace perix {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The number of a process that has just ended.
pid_t EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST(PosixFiles, ASaveThroughASymbolicLinkReplacesTheFileItPointsTo) {
  test::TestFolder folder;
  folder.Write("real.ini", "old");
  fs::create_directories(folder.Native() / "sub");
  fs::create_symlink("../real.ini", folder.Native() / "sub" / "relative.ini");
  fs::create_symlink(folder.Native() / "sub" / "relative.ini", folder.Native() / "chain.ini");
  fs::create_symlink("missing.ini", folder.Native() / "dangling.ini");
  FileSystem& files = DefaultFileSystem();

  ASSERT_EQ(files.WriteAtomically(folder.File("chain.ini"), "new"), FileStatus::Ok);
  EXPECT_EQ(folder.Read("real.ini"), "new");
  EXPECT_TRUE(fs::is_symlink(folder.Native() / "chain.ini"));
  EXPECT_TRUE(fs::is_symlink(folder.Native() / "sub" / "relative.ini"));

  ASSERT_EQ(files.WriteAtomically(folder.File("dangling.ini"), "made"), FileStatus::Ok);
  EXPECT_TRUE(fs::is_symlink(folder.Native() / "dangling.ini"));
  EXPECT_EQ(folder.Read("missing.ini"), "made");

  fs::create_symlink("loop.ini", folder.Native() / "loop.ini");
  EXPECT_NE(files.WriteAtomically(folder.File("loop.ini"), "x"), FileStatus::Ok);
}

TEST(PosixFiles, PipesAndFoldersAreRefusedWithoutWaiting) {
  test::TestFolder folder;
  const fs::path pipe = folder.Native() / "Mouse.ini";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  FileSystem& files = DefaultFileSystem();
  // Opening a pipe for reading waits for a writer; this must return at once.
  EXPECT_EQ(files.ReadAll(folder.File("Mouse.ini")).status, FileStatus::NotAFile);
  EXPECT_EQ(files.WriteAtomically(folder.File("Mouse.ini"), "x"), FileStatus::NotAFile);
  fs::create_directories(folder.Native() / "folder.ini");
  EXPECT_EQ(files.ReadAll(folder.File("folder.ini")).status, FileStatus::NotAFile);
  EXPECT_EQ(files.WriteAtomically(folder.File("folder.ini"), "x"), FileStatus::NotAFile);
  EXPECT_EQ(files.ReadAll(u"/dev/null").status, FileStatus::NotAFile);
}

TEST(PosixFiles, AFullDiskLeavesTheOldFileWhole) {
  test::TestFolder folder;
  const std::string old(5000, 'o');
  folder.Write("Mouse.ini", old);
  // A file size limit makes writes past it fail as a full disk would.
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &previous);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 8192;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const FileStatus status = DefaultFileSystem().WriteAtomically(folder.File("Mouse.ini"), std::string(20000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_EQ(status, FileStatus::DiskFull);
  EXPECT_EQ(folder.Read("Mouse.ini"), old);
  EXPECT_EQ(Entries(folder.Native()), std::vector<std::string>{"Mouse.ini"}) << "no temporary file left";
}

TEST(PosixFiles, TemporaryFilesOfKilledSavesAreRemovedAndNoOtherFile) {
  test::TestFolder folder;
  const std::string ended = std::to_string(EndedProcess());
  const std::string own = std::to_string(::getpid());
  const std::vector<std::string> kept = {
      ".Mouse.ini.perix-" + own + "-a1b2c3",     // a save of this process
      ".Mouse.ini.perix-1-a1b2c3",               // a process that runs
      ".Mouse.ini.perix-" + ended + "-locked",   // its writer's lock is held
      ".Mouse.ini.a1b2c3",                       // another program's name
      ".Other.ini.perix-" + ended + "-a1b2c3",   // another file's
      ".Mouse.ini.perix-" + ended + "-toolong1", // not the pattern
  };
  for (const std::string& name : kept) folder.Write(name, "partial");
  folder.Write(".Mouse.ini.perix-" + ended + "-x9y8z7", "partial");
  const int held = ::open((folder.Native() / kept[2]).c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  ASSERT_EQ(DefaultFileSystem().WriteAtomically(folder.File("Mouse.ini"), "saved"), FileStatus::Ok);
  ::close(held);
  std::vector<std::string> expected = kept;
  expected.push_back("Mouse.ini");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(folder.Native()), expected);
}

TEST(PosixFiles, FileNamesThatAreNotUtf8KeepTheirBytes) {
  test::TestFolder folder;
  const std::string name("o\xff\xe2\x82.prof", 8);
  const std::u16string path = Utf16FromNativeName(folder.Native().string() + "/" + name);
  ASSERT_EQ(DefaultFileSystem().WriteAtomically(path, "data"), FileStatus::Ok);
  EXPECT_EQ(Entries(folder.Native()), std::vector<std::string>{name});
  EXPECT_EQ(DefaultFileSystem().ReadAll(path).bytes, "data");
}

}  // namespace
}  // namespace perix

#endif
