#include "skin/MenuGeometry.h"

#include <algorithm>

#include "skin/BmpMenuItems.h"

namespace perix {

int MenuItemHeight(int itemStyle) { return itemStyle == kMenuItemsShort ? 19 : 24; }

std::vector<Rect> MenuItemRects(int itemCount, Size background, int itemStyle) {
  const int height = MenuItemHeight(itemStyle);
  const int shift = itemStyle == kMenuItemsShort ? 1 : 0;
  const int count = std::clamp(itemCount, 0, kMaxMenuItems);
  std::vector<Rect> rects;
  rects.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    Rect r{0, i * height + shift, background.width, (i + 1) * height};
    r.bottom = std::max(r.top, std::min(r.bottom, background.height));
    rects.push_back(r);
  }
  return rects;
}

std::vector<Rect> SubMenuItemRects(int subItemCount, int backgroundWidth) {
  const int count = std::clamp(subItemCount, 0, kMaxMenuItems);
  std::vector<Rect> rects;
  rects.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    rects.push_back({0, i * kSubMenuItemHeight, backgroundWidth, (i + 1) * kSubMenuItemHeight});
  }
  return rects;
}

Rect SubMenuWindowRect(Point menuPosition, int menuImageWidth, int itemIndex, int subBackgroundWidth,
                            int subItemCount) {
  const int count = std::clamp(subItemCount, 0, kMaxMenuItems);
  const int left = menuPosition.x + menuImageWidth;
  const int top = menuPosition.y + kSubMenuItemHeight * itemIndex;
  return {left, top, left + subBackgroundWidth, top + kSubMenuItemHeight * count + 1};
}

SubMenuChange DecideSubMenu(Point pointer, std::span<const MenuItemHit> items,
                            std::optional<Rect> openSubMenu) {
  SubMenuChange change;
  int over = -1;
  int open = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (over < 0 && items[i].window.Contains(pointer)) over = static_cast<int>(i);
    if (open < 0 && items[i].subMenuOpen) open = static_cast<int>(i);
  }
  if (over >= 0) {
    if (open >= 0 && open != over) change.close = open;
    const MenuItemHit& item = items[static_cast<std::size_t>(over)];
    if (item.hasSubMenu && !item.subMenuOpen) change.open = over;
  } else if (open >= 0 && !(openSubMenu && openSubMenu->Contains(pointer))) {
    change.close = open;
  }
  return change;
}

}  // namespace perix
