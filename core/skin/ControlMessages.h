#pragma once
// Window messages the skinned controls post to the windows that own them.

namespace perix {

// Slider bar: wParam = position, lParam = the bar's control ID.
inline constexpr unsigned kSliderPositionMessage = 0x446;
// Sub-menu to its menu: wParam = (parent item index << 16) | sub-item index,
// lParam = the sub-item's value.
inline constexpr unsigned kSubMenuChoiceMessage = 0x500;
// Popup menu to the window that opened it; see MenuChoice.h for the parameters.
inline constexpr unsigned kMenuChoiceMessage = 0x501;
// Coloured edit box: wParam = the released key, lParam = the box's control ID.
inline constexpr unsigned kEditKeyUpMessage = 0x1402;
// Macro name menu to its owner: wParam = the chosen library index, lParam 0.
inline constexpr unsigned kMacroNameChosenMessage = 0x3414;

}  // namespace perix
