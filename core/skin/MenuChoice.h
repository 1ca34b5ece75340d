#pragma once
// The parameters of the popup menu's reports (messages 0x500 and 0x501).
//
// An item without a sub-menu reports to the window that opened the menu:
//   wParam = item index << 16, lParam = command << 16.
// A sub-item reports to its menu first (0x500):
//   wParam = (parent item index << 16) | sub-item index, lParam = value,
// and the menu passes it on (0x501) with the same wParam and
//   lParam = (parent item command << 16) | (value & 0xFFFF).
// Only the low 16 bits of a command are reported.

#include <cstdint>

namespace perix {

struct MenuMessageParams {
  std::uint32_t wParam = 0;
  std::uint32_t lParam = 0;
  friend bool operator==(const MenuMessageParams&, const MenuMessageParams&) = default;
};

MenuMessageParams EncodeItemChoice(int itemIndex, std::uint32_t command);
MenuMessageParams EncodeSubItemToMenu(int parentIndex, int subIndex, std::uint32_t value);
MenuMessageParams EncodeSubItemChoice(const MenuMessageParams& fromSubMenu, std::uint32_t parentCommand);

// A 0x501 report read back: the item's position and the sub-item's (0 for an
// item without a sub-menu), the item's command and the sub-item's value (0).
struct MenuChoice {
  int itemIndex = 0;
  int subItemIndex = 0;
  std::uint16_t command = 0;
  std::uint16_t value = 0;
};

MenuChoice DecodeMenuChoice(std::uint64_t wParam, std::uint64_t lParam);

// The parent item index and sub-item index of a 0x500 report.
int SubMenuParentIndex(std::uint64_t wParam);
int SubMenuItemIndex(std::uint64_t wParam);

}  // namespace perix
