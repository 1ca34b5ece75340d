#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "config/FunctionCatalogue.h"
#include "config/KeyUsageTable.h"

namespace perix {
namespace {

// The accepted set is written out independently of the catalogue table, so a
// slip in either shows up here.
TEST(Catalogue, RepairAcceptsExactlyTheDocumentedCodes) {
  std::set<int> accepted = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 21, 23, 24, 25, 99, 100, 101};
  for (int c = 32; c <= 39; ++c) accepted.insert(c);
  for (int c = 48; c <= 51; ++c) accepted.insert(c);
  for (int c = 64; c <= 72; ++c) accepted.insert(c);
  for (int c = 80; c <= 85; ++c) accepted.insert(c);
  for (int c = 113; c <= 117; ++c) accepted.insert(c);
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(IsRepairable(static_cast<std::uint8_t>(code)), accepted.count(code) == 1) << "code " << code;
  }
  // 96 has a caption but does not survive a load; 25 and 36 survive without one.
  EXPECT_EQ(CaptionKeyOf(96), "DPIFUN");
  EXPECT_TRUE(CaptionKeyOf(25).empty());
  EXPECT_TRUE(CaptionKeyOf(36).empty());
  EXPECT_TRUE(CaptionKeyOf(8).empty());
}

TEST(Catalogue, EveryMenuItemIsARepairableCodeWithItsOwnCaption) {
  for (const MenuGroupInfo& group : MenuGroups()) {
    for (const MenuItem& item : group.items) {
      EXPECT_TRUE(IsRepairable(static_cast<std::uint8_t>(item.value))) << item.captionKey;
      EXPECT_EQ(CaptionKeyOf(static_cast<std::uint8_t>(item.value)), item.captionKey);
    }
  }
  std::vector<std::string_view> top;
  for (const MenuItem& item : TopLevelMenu()) top.push_back(item.captionKey);
  EXPECT_EQ(top.front(), "CLICK");
  EXPECT_EQ(top.back(), "OFFBUTTON");
  EXPECT_EQ(top.size(), 13u);
  ASSERT_NE(FindMenuGroup(MenuGroup::Media), nullptr);
  EXPECT_EQ(FindMenuGroup(MenuGroup::Media)->items[0].value, 32);
}

TEST(Catalogue, ProfileShiftMenuLeavesOutTheActiveProfile) {
  const ShiftItems items = ProfileShiftItems(2);  // profile 3 active
  std::vector<int> codes;
  for (const MenuItem& item : items.items) codes.push_back(item.value);
  EXPECT_EQ(codes, (std::vector<int>{113, 114, 116, 117}));
  EXPECT_EQ(ProfileShiftItems(0).items[0].captionKey, "SHIFT2");
}

TEST(KeyUsage, TableIsABijectionOverItsPairs) {
  std::set<int> keys, usages;
  for (const KeyUsage& pair : KeyUsageTable()) {
    EXPECT_TRUE(keys.insert(pair.virtualKey).second) << "virtual key twice: " << int(pair.virtualKey);
    EXPECT_TRUE(usages.insert(pair.usage).second) << "usage twice: " << int(pair.usage);
    std::uint8_t back = 0;
    ASSERT_TRUE(VirtualKeyFromUsage(pair.usage, back));
    EXPECT_EQ(back, pair.virtualKey);
  }
  EXPECT_EQ(KeyUsageTable().size(), 104u);
}

TEST(KeyUsage, LookupsOfNotableKeys) {
  std::uint8_t out = 0x77;
  EXPECT_FALSE(UsageFromVirtualKey(0x10, out));  // generic Shift
  EXPECT_EQ(out, 0x77) << "a failed lookup leaves the output alone";
  EXPECT_FALSE(UsageFromVirtualKey(0x1234, out));
  EXPECT_TRUE(UsageFromVirtualKey(0xA1, out));
  EXPECT_EQ(out, 0xE5);
  EXPECT_TRUE(VirtualKeyFromUsage(0x58, out));
  EXPECT_EQ(out, 0x6C);
  EXPECT_TRUE(UsageFromVirtualKey(0x2C, out));
  EXPECT_EQ(out, 0x46);
  EXPECT_TRUE(UsageFromVirtualKey('A', out));
  EXPECT_EQ(out, 0x04);
  EXPECT_TRUE(UsageFromVirtualKey('0', out));
  EXPECT_EQ(out, 0x27);
  EXPECT_FALSE(VirtualKeyFromUsage(0x32, out));  // the non-US hash key has no virtual key here
}

}  // namespace
}  // namespace perix
