#include <gtest/gtest.h>

#include "TestFolder.h"
#include "macros/MacroListing.h"
#include "skin/StringTable.h"

namespace perix {
namespace {

class MacroListingTest : public testing::Test {
 protected:
  MacroListingTest() {
    folder.Write("Strings.xml",
                 "<BUTTONPAGE><CLICK>Left click</CLICK><MENU>Right click</MENU><MOVEDOWN>Down</MOVEDOWN>"
                 "<MOVELEFT>Left</MOVELEFT><MOVEUP>Up</MOVEUP><MOVERIGHT>Right</MOVERIGHT></BUTTONPAGE>");
    SetStringFile(folder.File("Strings.xml"));
  }
  ~MacroListingTest() override { SetStringFile(u""); }
  test::TestFolder folder;
};

TEST_F(MacroListingTest, LinesReadAsTheMacroPageListsThem) {
  MacroRecordBuffer buffer{};
  buffer.Records[0] = KeyRecord(0x04, true);
  buffer.Records[1] = DelayRecord(1230);
  buffer.Records[3] = MouseButtonRecord(2, false);  // a gap before it
  buffer.Records[4] = {0x09, 1, 1};                  // unknown kind
  buffer.Records[5] = MouseMoveRecord(0, 10);
  buffer.Records[6] = KeyRecord(0xE3, true);
  buffer.Records[7] = KeyRecord(0xE7, false);
  buffer.Records[8] = KeyRecord(0x32, true);  // a usage without a virtual key

  const auto lines = ListMacroRecords(buffer);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].text, u"A");
  EXPECT_EQ(lines[0].marker, ActionMarker::Press);
  EXPECT_EQ(lines[1].text, u"1230 MS");
  EXPECT_EQ(lines[1].marker, ActionMarker::Pause);
  EXPECT_EQ(lines[2].text, u"Right click");
  EXPECT_EQ(lines[2].marker, ActionMarker::Release);
  EXPECT_EQ(lines[3].text, u"Down : 10");
  EXPECT_EQ(lines[3].marker, ActionMarker::Movement);
  EXPECT_EQ(lines[4].text, u"Left Windows");
  EXPECT_EQ(lines[5].text, u"Right Windows");
  EXPECT_EQ(lines[6].text, u"");
  EXPECT_EQ(TotalPauseMilliseconds(buffer), 1230);
}

TEST(MoveStep, YWinsAndHighBytesPointBack) {
  EXPECT_EQ(ReadMoveStep(MouseMoveRecord(-10, 0)).direction, MoveDirection::Left);
  EXPECT_EQ(ReadMoveStep(MouseMoveRecord(-10, 0)).distance, 10);
  EXPECT_EQ(ReadMoveStep(MouseMoveRecord(5, -3)).direction, MoveDirection::Up);
  EXPECT_EQ(ReadMoveStep({0x02, 119, 0}).direction, MoveDirection::Right);
  // A stored 120 reads as a step of 136 the other way: the byte cannot tell.
  EXPECT_EQ(ReadMoveStep({0x02, 0, 120}).direction, MoveDirection::Up);
  EXPECT_EQ(ReadMoveStep({0x02, 0, 120}).distance, 136);
  EXPECT_EQ(ReadMoveStep({0x02, 0, 0}).direction, MoveDirection::None);
}

}  // namespace
}  // namespace perix
