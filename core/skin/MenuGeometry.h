#pragma once
// Where the popup menu's items and its sub-menu go, and when the sub-menu
// opens and closes as the pointer moves.

#include <optional>
#include <span>
#include <vector>

#include "skin/PixelGeometry.h"

namespace perix {

// Item styles: 0 gives 24-pixel items from the top; 1 gives 19-pixel items
// that start one pixel lower.
inline constexpr int kMenuItemsTall = 0;
inline constexpr int kMenuItemsShort = 1;
inline constexpr int kSubMenuItemHeight = 24;

int MenuItemHeight(int itemStyle);

// The item buttons of a menu whose background image has the given size, at
// most kMaxMenuItems of them; no item reaches below the image.
std::vector<Rect> MenuItemRects(int itemCount, Size background, int itemStyle);

// The sub-menu's item buttons: 24 pixels each from the top, as wide as its
// background image.
std::vector<Rect> SubMenuItemRects(int subItemCount, int backgroundWidth);

// The sub-menu window of item `itemIndex`, in screen coordinates: right of
// the menu image, level with the item (counted in 24-pixel rows), one pixel
// taller than its items.
Rect SubMenuWindowRect(Point menuPosition, int menuImageWidth, int itemIndex, int subBackgroundWidth,
                            int subItemCount);

struct MenuItemHit {
  Rect window;  // the item button, in screen coordinates
  bool hasSubMenu = false;
  bool subMenuOpen = false;
};

struct SubMenuChange {
  int close = -1;  // the item whose sub-menu closes, or -1
  int open = -1;   // the item whose sub-menu opens, or -1
  friend bool operator==(const SubMenuChange&, const SubMenuChange&) = default;
};

// What a mouse move at `pointer` (screen coordinates) does to the sub-menus.
// `openSubMenu` is the window of the open sub-menu, if one is open.
SubMenuChange DecideSubMenu(Point pointer, std::span<const MenuItemHit> items,
                            std::optional<Rect> openSubMenu);

}  // namespace perix
