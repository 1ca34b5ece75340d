#include <gtest/gtest.h>

#include <string>

#include "buttons/KeyNames.h"
#include "skin/StringTable.h"
#include "text/Utf16.h"

namespace perix {
namespace {

TEST(KeyNames, CaptionTableAndItsLabelVariant) {
  EXPECT_EQ(KeyCaptionOf(0xA5), u"RAlt");
  EXPECT_EQ(KeyCaptionOf(0x6C), u"Enter");  // the keypad Enter
  EXPECT_EQ(KeyCaptionOf(0x0D), u"Enter");
  EXPECT_EQ(KeyCaptionOf(0x10), u"Shift");
  EXPECT_EQ(KeyCaptionOf(0x2C), u"Snapshot");
  EXPECT_EQ(KeyCaptionOf(0x7B), u"F12");
  EXPECT_EQ(KeyCaptionOf(0x90), u"Numl");
  EXPECT_EQ(KeyLabelOf(0x90), u"Numlock");
  EXPECT_EQ(KeyLabelOf(0xA2), u"LCtrl");
}

// Keys without a name of their own are named by what they type: the US
// layout in the portable build, the Wine prefix's US layout under Windows.
TEST(KeyNames, OtherKeysAreNamedByTheirCharacter) {
  EXPECT_EQ(KeyCaptionOf('A'), u"A");
  EXPECT_EQ(KeyCaptionOf('Q'), u"Q");
  EXPECT_EQ(KeyCaptionOf('Z'), u"Z");
  EXPECT_EQ(KeyCaptionOf('0'), u"0");
  EXPECT_EQ(KeyCaptionOf('7'), u"7");
  EXPECT_EQ(KeyLabelOf('M'), u"M");
  EXPECT_EQ(KeyCaptionOf(0xBA), u";");
  EXPECT_EQ(KeyCaptionOf(0xBF), u"/");
  EXPECT_EQ(KeyCaptionOf(0xDC), u"\\");
  EXPECT_EQ(KeyCaptionOf(0xDE), u"'");
  // Keys that type nothing have no name.
  EXPECT_EQ(KeyCaptionOf(0x5B), u"");
  EXPECT_EQ(KeyCaptionOf(0xAD), u"");
  EXPECT_EQ(KeyCaptionOf(0), u"");
  EXPECT_EQ(KeyCaptionOf(0x1234), u"");
}

TEST(KeyNames, KeyLocations) {
  EXPECT_EQ(KeyLocationOf(0x5B), 156u);
  EXPECT_EQ(KeyLocationOf(0x5C), 156u);
  EXPECT_EQ(KeyLocationOf(0xB1), 148u);  // listed under 147 and 148: the higher wins
  EXPECT_EQ(KeyLocationOf(0), 0u);
  EXPECT_EQ(KeyLocationOf(0x10), 0u);
  EXPECT_EQ(KeyLocationOf(0x1FF), 0u);
  EXPECT_EQ(KeyLocationOf('A'), 20u);
  EXPECT_EQ(KeyLocationOf(0xFB), 159u);

  EXPECT_EQ(MacroKeyName(0), u"");
  EXPECT_EQ(MacroKeyName(29), u"");   // a gap in the numbering
  EXPECT_EQ(MacroKeyName(246), u"");
  EXPECT_EQ(MacroKeyName(100000), u"");
  EXPECT_EQ(MacroKeyName(63), u"`(Dos/v)");
  EXPECT_EQ(MacroKeyName(84), u"\\");
  EXPECT_EQ(MacroKeyName(156), u"Win");
  EXPECT_EQ(MacroKeyName(148), u"");
  EXPECT_EQ(MacroKeyName(244), u"Left Windows");
  EXPECT_EQ(MacroKeyName(245), u"Right Windows");
  EXPECT_EQ(MacroKeyName(KeyLocationOf(0x6C)), u"Num Enter");
}

TEST(KeyNames, MouseButtonNumbersComeFromTheStringFile) {
  SetStringFile(Utf8ToUtf16(PERIX_TEST_DATA_DIR "/markup/Strings.xml"));
  EXPECT_EQ(MacroKeyName(1), u"Left click");
  EXPECT_EQ(MacroKeyName(2), u"Right click");
  EXPECT_EQ(MacroKeyName(4), u"Middle click");
  EXPECT_EQ(MacroKeyName(3), u"");
  SetStringFile(u"");
  EXPECT_EQ(MacroKeyName(1), u"");
}

TEST(KeyNames, MacroKeysStoredAsUsages) {
  EXPECT_EQ(MacroKeyNameOfUsage(0x04), u"A");
  EXPECT_EQ(MacroKeyNameOfUsage(0x58), u"Num Enter");
  EXPECT_EQ(MacroKeyNameOfUsage(0xE3), u"Win");
  EXPECT_EQ(MacroKeyNameOfUsage(0xE6), u"Right Alt");
  EXPECT_EQ(MacroKeyNameOfUsage(0x00), u"");  // no virtual key
  EXPECT_EQ(MacroKeyNameOfUsage(0x32), u"");
  EXPECT_EQ(MacroKeyNameOfUsage(0x1FF), u"");
}

}  // namespace
}  // namespace perix
