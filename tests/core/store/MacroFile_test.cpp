#include <gtest/gtest.h>

#include "TestFolder.h"
#include "store/IniDocument.h"
#include "store/MacroFile.h"
#include "text/FilePath.h"

namespace perix {
namespace {

using test::TestFolder;

TEST(MacroName, UnsafeNamesNeverBecomePaths) {
  const std::u16string folder = u"C:\\Data\\Macro\\";
  for (std::u16string_view bad :
       {u"", u"..", u"..\\Mouse", u"a/b", u"sub\\name", u"C:evil", u"x..y", u"what?", u"star*", u"pipe|", u"quote\"",
        u"tab\tname", u"CON", u"con.txt", u"Com1", u"LPT9.macro", u"nul ", u"dot.", u"space ", u" lead"}) {
    EXPECT_FALSE(MacroFilePath(folder, bad).has_value()) << Utf16ToUtf8(bad);
  }
  EXPECT_EQ(CheckMacroName(u"..\\x"), MacroNameProblem::PathSeparator);
  EXPECT_EQ(CheckMacroName(u"AUX"), MacroNameProblem::ReservedDeviceName);
  EXPECT_EQ(CheckMacroName(u" Fire"), MacroNameProblem::LeadingSpace);
  EXPECT_EQ(CheckMacroName(std::u16string(250, u'a')), MacroNameProblem::TooLong);

  for (std::u16string_view good : {u"Combo", u"Macro 1", u"console", u"COM10", u"Rush B (fast)", u"\u4E2D\u6587"}) {
    const auto path = MacroFilePath(folder, good);
    ASSERT_TRUE(path.has_value()) << Utf16ToUtf8(good);
    EXPECT_EQ(*path, folder + std::u16string(good) + u".macro");
  }
  EXPECT_EQ(FileTitleOf(u"C:\\x\\My Profile.prof"), u"My Profile");
  EXPECT_EQ(FileTitleOf(u"/tmp/a.b.prof"), u"a.b");
  EXPECT_EQ(FileTitleOf(u"noext"), u"noext");
}

TEST(MacroFile, SavedFileHasTheLayoutAndLoadsBackPacked) {
  TestFolder folder;
  const std::u16string path = folder.File("Combo.macro");
  MacroRecordBuffer buffer{};
  buffer.Records[0] = KeyRecord(0x04, true);
  buffer.Records[3] = DelayRecord(250);
  buffer.Records[7] = MouseMoveRecord(0, 10);
  buffer.Records[8] = {0x05, 1, 2};  // unknown kind: neither shown nor counted
  buffer.Records[59] = KeyRecord(0x04, false);
  ASSERT_EQ(SaveMacroFile(path, buffer, 4, 3), FileStatus::Ok);

  const IniDocument document = IniDocument::Parse(folder.Read("Combo.macro"));
  EXPECT_EQ(document.ReadString(u"Setting", u"MacroFilePath", u"", 4096), path);
  EXPECT_EQ(document.ReadInt(u"Setting", u"Count", -1), 4);
  EXPECT_EQ(document.ReadInt(u"Setting", u"LoopTime", -1), 3);
  const auto blob = document.Value(u"Setting", u"MacroSetting_0");
  ASSERT_TRUE(blob.has_value());
  EXPECT_EQ(blob->size(), 180u * 2 + 2) << "the whole buffer and its checksum, nothing more";

  const MacroFileContents loaded = LoadMacroFile(path);
  EXPECT_TRUE(loaded.BlobRead);
  EXPECT_EQ(loaded.RecordCount, 4);
  EXPECT_EQ(loaded.Buffer.Records[0], KeyRecord(0x04, true));
  EXPECT_EQ(loaded.Buffer.Records[1], DelayRecord(250));
  EXPECT_EQ(loaded.Buffer.Records[2], MouseMoveRecord(0, 10));
  EXPECT_EQ(loaded.Buffer.Records[3], KeyRecord(0x04, false));
  EXPECT_TRUE(loaded.Buffer.Records[4].IsEmpty());
  EXPECT_EQ(DelayMilliseconds(loaded.Buffer.Records[1]), 250);
  EXPECT_EQ(ReadLoopTime(path, 0), 3);
}

TEST(MacroFile, MissingOrDamagedPartsReadAsDefaults) {
  TestFolder folder;
  const std::u16string missing = folder.File("none.macro");
  EXPECT_FALSE(LoadMacroFile(missing).BlobRead);
  EXPECT_EQ(LoadMacroFile(missing).RecordCount, 0);
  EXPECT_EQ(ReadLoopTime(missing, 0), 0);
  EXPECT_EQ(ReadLoopTime(missing, 1), 1) << "a button assignment takes loop count 1";

  MacroRecordBuffer buffer{};
  buffer.Records[0] = KeyRecord(0x05, true);
  ASSERT_EQ(SaveMacroFile(folder.File("bad.macro"), buffer, 1, 0), FileStatus::Ok);
  std::string text = folder.Read("bad.macro");
  const std::size_t digits = text.find("MacroSetting_0=") + 15;
  text[digits + 3] = text[digits + 3] == '5' ? '6' : '5';  // the usage byte, checksum now wrong
  folder.Write("bad.macro", text);
  const MacroFileContents damaged = LoadMacroFile(folder.File("bad.macro"));
  EXPECT_FALSE(damaged.BlobRead);
  EXPECT_EQ(damaged.RecordCount, 0) << "a damaged blob lists an empty macro";
}

TEST(MacroRecords, DelayUnitsAndClamping) {
  EXPECT_EQ(DelayRecord(1500), (MacroRecord{0x06, 150, 0}));
  EXPECT_EQ(DelayRecord(65530), (MacroRecord{0x06, 0x99, 0x19}));
  EXPECT_EQ(DelayRecord(10'000'000), (MacroRecord{0x06, 0xFF, 0xFF}));
  EXPECT_EQ(DelayRecord(-5), (MacroRecord{0x06, 0, 0}));
  EXPECT_EQ(MouseButtonRecord(4, true), (MacroRecord{0x81, 4, 0}));
  EXPECT_EQ(MouseMoveRecord(-10, 0), (MacroRecord{0x02, 0xF6, 0}));
}

}  // namespace
}  // namespace perix
