#include "skin/MenuChoice.h"

namespace perix {
namespace {

std::uint32_t High(std::uint32_t v) { return (v & 0xFFFFu) << 16; }

}  // namespace

MenuMessageParams EncodeItemChoice(int itemIndex, std::uint32_t command) {
  return {High(static_cast<std::uint32_t>(itemIndex)), High(command)};
}

MenuMessageParams EncodeSubItemToMenu(int parentIndex, int subIndex, std::uint32_t value) {
  return {High(static_cast<std::uint32_t>(parentIndex)) | (static_cast<std::uint32_t>(subIndex) & 0xFFFFu), value};
}

MenuMessageParams EncodeSubItemChoice(const MenuMessageParams& fromSubMenu, std::uint32_t parentCommand) {
  return {fromSubMenu.wParam, High(parentCommand) | (fromSubMenu.lParam & 0xFFFFu)};
}

MenuChoice DecodeMenuChoice(std::uint64_t wParam, std::uint64_t lParam) {
  MenuChoice c;
  c.itemIndex = static_cast<int>((wParam >> 16) & 0xFFFFu);
  c.subItemIndex = static_cast<int>(wParam & 0xFFFFu);
  c.command = static_cast<std::uint16_t>((lParam >> 16) & 0xFFFFu);
  c.value = static_cast<std::uint16_t>(lParam & 0xFFFFu);
  return c;
}

int SubMenuParentIndex(std::uint64_t wParam) { return static_cast<int>((wParam >> 16) & 0xFFFFu); }
int SubMenuItemIndex(std::uint64_t wParam) { return static_cast<int>(wParam & 0xFFFFu); }

}  // namespace perix
