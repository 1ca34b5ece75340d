#include <gtest/gtest.h>

#include <string>

#include "skin/BmpMenuItems.h"
#include "skin/MenuChoice.h"
#include "skin/MenuGeometry.h"

namespace perix {
namespace {

TEST(MenuChoice, ItemWithoutSubMenuReportsIndexAndCommandInHighWords) {
  const MenuMessageParams p = EncodeItemChoice(12, 7);
  EXPECT_EQ(p.wParam, 0x000C0000u);
  EXPECT_EQ(p.lParam, 0x00070000u);
  // Only the command's low 16 bits fit.
  EXPECT_EQ(EncodeItemChoice(1, 0x12345).lParam, 0x23450000u);
  const MenuChoice c = DecodeMenuChoice(p.wParam, p.lParam);
  EXPECT_EQ(c.itemIndex, 12);
  EXPECT_EQ(c.command, 7);
  EXPECT_EQ(c.value, 0);
}

TEST(MenuChoice, SubItemReachesTheOpenerWithParentCommandAndValue) {
  // "PLAYPAUSE" (32), third sub-item of the media group (19) at position 10.
  const MenuMessageParams toMenu = EncodeSubItemToMenu(10, 2, 32);
  EXPECT_EQ(toMenu.wParam, 0x000A0002u);
  EXPECT_EQ(toMenu.lParam, 32u);
  EXPECT_EQ(SubMenuParentIndex(toMenu.wParam), 10);
  EXPECT_EQ(SubMenuItemIndex(toMenu.wParam), 2);
  const MenuMessageParams toOpener = EncodeSubItemChoice(toMenu, 19);
  EXPECT_EQ(toOpener.wParam, toMenu.wParam);
  EXPECT_EQ(toOpener.lParam, 0x00130020u);
  const MenuChoice c = DecodeMenuChoice(toOpener.wParam, toOpener.lParam);
  EXPECT_EQ(c.itemIndex, 10);
  EXPECT_EQ(c.subItemIndex, 2);
  EXPECT_EQ(c.command, 19);
  EXPECT_EQ(c.value, 32);
  EXPECT_EQ(EncodeSubItemChoice(EncodeSubItemToMenu(0, 0, 0x1FFFF), 1).lParam, 0x0001FFFFu);
}

class MenuItemList : public ::testing::Test {
 protected:
  void SetUp() override { ClearBmpMenuItems(); }
  void TearDown() override { ClearBmpMenuItems(); }
};

TEST_F(MenuItemList, LongTextIsCutAndStaysTerminated) {
  const std::u16string longText(400, u'x');
  const int i = AddBmpMenuItem(longText, 3);
  const tagBMPMENUINFO& item = BmpMenuItemList()[static_cast<std::size_t>(i)];
  EXPECT_EQ(MenuItemText(item).size(), 259u);
  EXPECT_EQ(item.text[259], u'\0');
  EXPECT_EQ(item.hasSubMenu, 0);
}

TEST_F(MenuItemList, SubItemsAttachToTheirItemOnly) {
  AddBmpMenuItem(u"CLICK", 1);
  const int media = AddBmpMenuItem(u"MEDIACOMMAND", 19);
  EXPECT_TRUE(AddBmpMenuSubItem(media, u"PLAYPAUSE", 32));
  EXPECT_TRUE(AddBmpMenuSubItem(media, u"STOP", 33));
  EXPECT_FALSE(AddBmpMenuSubItem(5, u"nowhere", 1));
  EXPECT_FALSE(AddBmpMenuSubItem(-1, u"nowhere", 1));
  const auto& items = BmpMenuItemList();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].hasSubMenu, 0);
  EXPECT_EQ(items[1].hasSubMenu, 1);
  ASSERT_EQ(items[1].subItems.size(), 2u);
  EXPECT_EQ(items[1].subItems[1].text, u"STOP");
  ClearBmpMenuItems();
  EXPECT_TRUE(BmpMenuItemList().empty());
}

TEST(MenuGeometry, ItemStylesAndTheImageBottom) {
  const auto tall = MenuItemRects(3, {157, 60}, kMenuItemsTall);
  ASSERT_EQ(tall.size(), 3u);
  EXPECT_EQ(tall[0], (Rect{0, 0, 157, 24}));
  EXPECT_EQ(tall[1], (Rect{0, 24, 157, 48}));
  EXPECT_EQ(tall[2], (Rect{0, 48, 157, 60}));  // cut at the image's bottom
  const auto shortItems = MenuItemRects(2, {100, 200}, kMenuItemsShort);
  EXPECT_EQ(shortItems[0], (Rect{0, 1, 100, 19}));
  EXPECT_EQ(shortItems[1], (Rect{0, 20, 100, 38}));
  // Items below the image shrink to nothing; no more than twenty are laid out.
  EXPECT_TRUE(MenuItemRects(4, {100, 30}, kMenuItemsTall)[3].IsEmpty());
  EXPECT_EQ(MenuItemRects(25, {100, 1000}, kMenuItemsTall).size(), 20u);
  // Without a background image the menu has no size and neither have its items.
  for (const Rect& r : MenuItemRects(3, {0, 0}, kMenuItemsTall)) EXPECT_TRUE(r.IsEmpty());
}

TEST(MenuGeometry, SubMenuSitsRightOfTheMenuLevelWithItsItem) {
  EXPECT_EQ(SubMenuWindowRect({300, 200}, 157, 3, 120, 7), (Rect{457, 272, 577, 441}));
  const auto sub = SubMenuItemRects(7, 120);
  ASSERT_EQ(sub.size(), 7u);
  EXPECT_EQ(sub[6], (Rect{0, 144, 120, 168}));
}

TEST(MenuGeometry, SubMenuOpensOnHoverAndSurvivesTheWayIntoIt) {
  MenuItemHit items[3] = {
      {{0, 0, 100, 24}, false, false},
      {{0, 24, 100, 48}, true, false},
      {{0, 48, 100, 72}, true, false},
  };
  EXPECT_EQ(DecideSubMenu({50, 30}, items, std::nullopt), (SubMenuChange{-1, 1}));
  items[1].subMenuOpen = true;
  const Rect subMenu{100, 24, 200, 97};
  // Still over the item, then on the way into the sub-menu, then inside it.
  EXPECT_EQ(DecideSubMenu({60, 30}, items, subMenu), (SubMenuChange{}));
  EXPECT_EQ(DecideSubMenu({150, 60}, items, subMenu), (SubMenuChange{}));
  // Another plain item closes it; another item with a sub-menu swaps it.
  EXPECT_EQ(DecideSubMenu({50, 5}, items, subMenu), (SubMenuChange{1, -1}));
  EXPECT_EQ(DecideSubMenu({50, 60}, items, subMenu), (SubMenuChange{1, 2}));
  // Off the menu and off the sub-menu.
  EXPECT_EQ(DecideSubMenu({400, 400}, items, subMenu), (SubMenuChange{1, -1}));
}

}  // namespace
}  // namespace perix
