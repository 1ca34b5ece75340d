#include "skin/BmpMenuItems.h"

#include <algorithm>

namespace perix {

std::vector<tagBMPMENUINFO>& BmpMenuItemList() {
  static std::vector<tagBMPMENUINFO> items;
  return items;
}

int AddBmpMenuItem(std::u16string_view text, std::uint32_t command) {
  tagBMPMENUINFO item;
  const std::size_t n = std::min<std::size_t>(text.size(), kMenuTextLength - 1);
  std::copy_n(text.data(), n, item.text);
  item.command = command;
  auto& items = BmpMenuItemList();
  items.push_back(std::move(item));
  return static_cast<int>(items.size()) - 1;
}

bool AddBmpMenuSubItem(int itemIndex, std::u16string_view text, std::uint32_t value) {
  auto& items = BmpMenuItemList();
  if (itemIndex < 0 || static_cast<std::size_t>(itemIndex) >= items.size()) return false;
  tagBMPMENUINFO& item = items[static_cast<std::size_t>(itemIndex)];
  item.hasSubMenu = 1;
  item.subItems.push_back({std::u16string(text), value});
  return true;
}

void ClearBmpMenuItems() { BmpMenuItemList().clear(); }

std::u16string_view MenuItemText(const tagBMPMENUINFO& item) {
  return std::u16string_view(item.text, std::char_traits<char16_t>::length(item.text));
}

}  // namespace perix
