#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/FileSystem.h"
#include "skin/StringTable.h"
#include "text/Utf16.h"

namespace perix {
namespace {

// Files in memory, with stamps the test controls and a count of reads.
class MemoryFiles final : public FileSystem {
 public:
  std::map<std::u16string, std::string> files;
  std::map<std::u16string, FileStamp> stamps;  // a file without one cannot be examined
  int reads = 0;

  FileRead ReadAll(std::u16string_view path) override {
    ++reads;
    FileRead result;
    const auto it = files.find(std::u16string(path));
    if (it == files.end()) {
      result.status = FileStatus::NotFound;
    } else {
      result.status = FileStatus::Ok;
      result.bytes = it->second;
    }
    return result;
  }
  std::optional<FileStamp> Stamp(std::u16string_view path) override {
    const auto it = stamps.find(std::u16string(path));
    if (it == stamps.end() || !files.contains(it->first)) return std::nullopt;
    return it->second;
  }
  FileStatus WriteAtomically(std::u16string_view, std::string_view) override { return FileStatus::Failed; }
  bool Exists(std::u16string_view path) override { return files.contains(std::u16string(path)); }
  bool MakeDirectories(std::u16string_view) override { return false; }
  FileStatus Remove(std::u16string_view) override { return FileStatus::Failed; }
  FileStatus Copy(std::u16string_view, std::u16string_view) override { return FileStatus::Failed; }
};

constexpr std::u16string_view kPath = u"C:\\Program\\Strings.xml";

class StringTableTest : public ::testing::Test {
 protected:
  void SetUp() override { SetStringFile(kPath, &m_files); }
  void TearDown() override { SetStringFile(u""); }

  void Write(std::string contents, std::int64_t modified = 1) {
    const std::u16string path(kPath);
    m_files.stamps[path] = FileStamp{contents.size(), modified};
    m_files.files[path] = std::move(contents);
  }

  MemoryFiles m_files;
};

TEST_F(StringTableTest, RootSectionServesItsKeysOnly) {
  Write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<BUTTONPAGE>\n  <SAVE>Save</SAVE>\n  <WARN1>Tom &amp; Jerry</WARN1>\n  <EMPTY></EMPTY>\n</BUTTONPAGE>\n");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Save");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"WARN1"), u"Tom & Jerry");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"EMPTY"), u"");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"MISSING"), u"");
  EXPECT_EQ(GetText(u"MAIN", u"FONT"), u"");       // not the root's name
  EXPECT_EQ(GetText(u"buttonpage", u"SAVE"), u"");  // names are exact
  EXPECT_EQ(GetText(u"BUTTONPAGE", u""), u"");
}

TEST_F(StringTableTest, SiblingSectionsMakeTheFileUnreadable) {
  Write("<MAIN><FONT>Tahoma</FONT></MAIN>\n<BUTTONPAGE><SAVE>Save</SAVE></BUTTONPAGE>\n");
  EXPECT_EQ(GetText(u"MAIN", u"FONT"), u"");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"");
}

TEST_F(StringTableTest, DamagedFileYieldsNothing) {
  Write("<BUTTONPAGE><SAVE>Save</SAVE><NEW>New</BUTTONPAGE>");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"");
}

TEST_F(StringTableTest, KeysInNestedElementsOfTheSameSection) {
  Write("<BUTTONPAGE>\n"
        "  <SAVE>Save</SAVE>\n"
        "  <OTHER><CUT>not this one</CUT></OTHER>\n"
        "  <BUTTONPAGE><COPY>Copy</COPY>\n"
        "    <BUTTONPAGE><CUT>Cut</CUT><SAVE>inner save</SAVE></BUTTONPAGE>\n"
        "  </BUTTONPAGE>\n"
        "  <BUTTONPAGE><PASTE>second nest is never searched</PASTE></BUTTONPAGE>\n"
        "</BUTTONPAGE>\n");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Save");  // the outer level comes first
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"COPY"), u"Copy");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"CUT"), u"Cut");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"PASTE"), u"");
}

TEST_F(StringTableTest, MissingFileYieldsNothing) {
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"");
  SetStringFile(u"");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"");
}

TEST_F(StringTableTest, ParsedFileIsReusedWhileUnchangedAndReadAgainWhenChanged) {
  Write("<BUTTONPAGE><SAVE>Save</SAVE></BUTTONPAGE>", 100);
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Save");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Save");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"NEW"), u"");
  EXPECT_EQ(m_files.reads, 1);

  // Edited: same size, later time.
  Write("<BUTTONPAGE><SAVE>Sav2</SAVE></BUTTONPAGE>", 101);
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Sav2");
  // Edited: same time, other size.
  Write("<BUTTONPAGE><SAVE>Saved</SAVE></BUTTONPAGE>", 101);
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Saved");
  EXPECT_EQ(m_files.reads, 3);

  // Broken, then mended.
  Write("<BUTTONPAGE><SAVE>Save</SAVE>", 102);
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"");
  Write("<BUTTONPAGE><SAVE>Fixed</SAVE></BUTTONPAGE>", 103);
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Fixed");

  // Removed.
  m_files.files.clear();
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"");
}

TEST_F(StringTableTest, FileWithoutStampIsReadEveryTime) {
  Write("<BUTTONPAGE><SAVE>Save</SAVE></BUTTONPAGE>");
  m_files.stamps.clear();
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Save");
  m_files.files[std::u16string(kPath)] = "<BUTTONPAGE><SAVE>Other</SAVE></BUTTONPAGE>";
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Other");
  EXPECT_EQ(m_files.reads, 2);
}

TEST(StringTable, ShippedLayoutFromARealFile) {
  // UTF-16 with a mark, keys nested in a repeated section, read from disk.
  SetStringFile(Utf8ToUtf16(PERIX_TEST_DATA_DIR "/markup/Strings.xml"));
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"CLICK"), u"Left click");
  EXPECT_EQ(GetText(u"BUTTONPAGE", u"SAVE"), u"Sauvegarder é");
  EXPECT_EQ(GetText(u"MAIN", u"FONT"), u"");
  SetStringFile(u"");
}

}  // namespace
}  // namespace perix
