#pragma once
// The items of the skinned popup menu. There is one list for the whole
// program, which is why only one popup menu is open at a time: the opener
// fills the list, the menu shows it, and the menu empties it when it goes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace perix {

inline constexpr int kMenuTextLength = 260;  // code units, the terminating zero included
inline constexpr int kMaxMenuItems = 20;     // a menu or sub-menu shows at most this many

struct BmpSubMenuItem {
  std::u16string text;
  std::uint32_t value = 0;
};

struct tagBMPMENUINFO {
  char16_t text[kMenuTextLength] = {};  // cut to fit, always zero-terminated
  std::uint8_t hasSubMenu = 0;
  std::uint8_t subMenuOpen = 0;
  std::uint32_t command = 0;
  std::vector<BmpSubMenuItem> subItems;  // present when hasSubMenu is set
};

std::vector<tagBMPMENUINFO>& BmpMenuItemList();

// Appends an item and returns its index.
int AddBmpMenuItem(std::u16string_view text, std::uint32_t command);
// Appends a sub-item to an item, which then has a sub-menu. False (and nothing
// changes) when there is no item at that index.
bool AddBmpMenuSubItem(int itemIndex, std::u16string_view text, std::uint32_t value);
void ClearBmpMenuItems();

// The item's text up to its terminating zero.
std::u16string_view MenuItemText(const tagBMPMENUINFO& item);

}  // namespace perix
