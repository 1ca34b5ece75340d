#include "store/SetAside.h"

#include <gtest/gtest.h>

#include "TestFolder.h"
#include "store/MemoryFileSystem.h"

namespace perix {
namespace {

constexpr char16_t kPath[] = u"C:\\Data\\Mouse.ini";
constexpr LocalTime kWhen{2024, 3, 7, 9, 5, 1};

TEST(SetAside, RenamesTheFileUntouchedAndNeverOverAnEarlierOne) {
  EXPECT_EQ(SetAsidePath(kPath, kWhen), u"C:\\Data\\Mouse.ini.damaged-20240307-090501");

  test::MemoryFileSystem files;
  files.files[kPath] = std::string("\xFF\x00junk", 6);
  const SetAsideResult first = MoveFileAside(kPath, files, kWhen);
  ASSERT_EQ(first.status, FileStatus::Ok);
  EXPECT_EQ(first.path, u"C:\\Data\\Mouse.ini.damaged-20240307-090501");
  EXPECT_FALSE(files.Exists(kPath));
  EXPECT_EQ(files.files[first.path], std::string("\xFF\x00junk", 6));
  EXPECT_EQ(files.writes, 0);

  // A second damaged file within the same second keeps the first one.
  files.files[kPath] = "second";
  const SetAsideResult second = MoveFileAside(kPath, files, kWhen);
  ASSERT_EQ(second.status, FileStatus::Ok);
  EXPECT_EQ(second.path, first.path + u"-2");
  EXPECT_EQ(files.files[first.path], std::string("\xFF\x00junk", 6));
  EXPECT_EQ(files.files[second.path], "second");

  files.files[kPath] = "third";
  files.renameFailure = FileStatus::AccessDenied;
  const SetAsideResult refused = MoveFileAside(kPath, files, kWhen);
  EXPECT_EQ(refused.status, FileStatus::AccessDenied);
  EXPECT_TRUE(refused.path.empty());
  EXPECT_EQ(files.files[kPath], "third") << "a file that could not be moved stays where it was";
}

TEST(SetAside, TellsTheUserWhereTheFileWent) {
  SetAsideResult moved{FileStatus::Ok, u"C:\\Data\\Mouse.ini.damaged-20240307-090501"};
  FileProblem notice = SetAsideNotice(kPath, moved, u"The program starts with factory settings.");
  notice.detail = u"it looks like UTF-16 text without a byte-order mark";
  EXPECT_EQ(FileProblemText(notice),
            u"Could not read \"C:\\Data\\Mouse.ini\": it looks like UTF-16 text without a byte-order mark. The file "
            u"was kept unchanged as \"C:\\Data\\Mouse.ini.damaged-20240307-090501\". The program starts with factory "
            u"settings.");
  const FileProblem stuck = SetAsideNotice(kPath, {FileStatus::AccessDenied, {}});
  EXPECT_EQ(FileProblemText(stuck),
            u"Could not read \"C:\\Data\\Mouse.ini\": its contents could not be understood. It could not be set aside "
            u"either (access denied), so it was left as it is.");
}

TEST(SetAside, WorksOnRealFiles) {
  test::TestFolder folder;
  const std::string junk("\x00\x01\x02\xFE\xFF binary", 12);
  folder.Write("Mouse.ini", junk);
  const SetAsideResult result = MoveFileAside(folder.File("Mouse.ini"), DefaultFileSystem(), kWhen);
  ASSERT_EQ(result.status, FileStatus::Ok);
  EXPECT_FALSE(folder.Exists("Mouse.ini"));
  EXPECT_EQ(folder.Read("Mouse.ini.damaged-20240307-090501"), junk);
  folder.Write("Mouse.ini", "again");
  ASSERT_EQ(MoveFileAside(folder.File("Mouse.ini"), DefaultFileSystem(), kWhen).status, FileStatus::Ok);
  EXPECT_EQ(folder.Read("Mouse.ini.damaged-20240307-090501"), junk) << "never renamed over an earlier one";
  EXPECT_EQ(folder.Read("Mouse.ini.damaged-20240307-090501-2"), "again");
  EXPECT_NE(MoveFileAside(folder.File("missing.ini"), DefaultFileSystem(), kWhen).status, FileStatus::Ok);
}

}  // namespace
}  // namespace perix
