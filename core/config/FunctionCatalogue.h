#pragma once
// The vocabulary of button function codes: what each code is called (its
// caption key in section "BUTTONPAGE" of the string table), whether a stored
// code survives a load, and where the assignment menu offers it.

#include <cstdint>
#include <span>
#include <string_view>

namespace perix {

namespace FunctionCode {
inline constexpr std::uint8_t None = 0;
inline constexpr std::uint8_t Click = 1;
inline constexpr std::uint8_t Menu = 2;
inline constexpr std::uint8_t Middle = 3;
inline constexpr std::uint8_t DoubleClick = 4;
inline constexpr std::uint8_t Key = 5;
inline constexpr std::uint8_t Macro = 6;
inline constexpr std::uint8_t Off = 7;
inline constexpr std::uint8_t XShoot = 9;
inline constexpr std::uint8_t Button4 = 10;
inline constexpr std::uint8_t Button5 = 11;
inline constexpr std::uint8_t DpiUp = 12;
inline constexpr std::uint8_t DpiDown = 13;
inline constexpr std::uint8_t DpiSwitch = 14;
inline constexpr std::uint8_t DpiShift = 15;
inline constexpr std::uint8_t GameKey = 21;
inline constexpr std::uint8_t ProfileUp = 23;
inline constexpr std::uint8_t ProfileDown = 24;
inline constexpr std::uint8_t DpiFunction = 96;
inline constexpr std::uint8_t HandSwitch = 99;
inline constexpr std::uint8_t LedSwitch = 100;
inline constexpr std::uint8_t FireKey = 101;
inline constexpr std::uint8_t ShiftProfile1 = 113;  // 112 + n shifts to profile n (1..5)
}  // namespace FunctionCode

// Values of the assignment menu's groups; they are never stored.
namespace MenuGroup {
inline constexpr std::uint16_t Advanced = 8;
inline constexpr std::uint16_t Shift = 15;
inline constexpr std::uint16_t Basic = 18;
inline constexpr std::uint16_t Media = 19;
inline constexpr std::uint16_t Additional = 20;
}  // namespace MenuGroup

// X-shoot targets (byte 1 of Data for code 9) naming a mouse button: the
// button's bit with bit 7 set. Any other value is a HID keyboard usage.
namespace ShootTarget {
inline constexpr std::uint8_t Left = 0x81;
inline constexpr std::uint8_t Right = 0x82;
inline constexpr std::uint8_t Middle = 0x84;
}  // namespace ShootTarget

// The caption key of a code, or empty for codes without one (0, 25, 36 and
// every value that is not a function code). Codes 5 and 6 have a menu caption;
// their button labels show the key or macro name instead.
std::string_view CaptionKeyOf(std::uint8_t code);

// What a code does, in plain English ("left click"), for tools and logs; empty
// for codes that are not function codes or have no meaning defined here.
std::string_view FunctionDescriptionOf(std::uint8_t code);

// Whether a stored code survives a load; anything else is replaced by the
// button's default assignment.
bool IsRepairable(std::uint8_t code);

struct MenuItem {
  std::string_view captionKey;
  std::uint16_t value;  // the function code, or a group value for a group entry
};

struct MenuGroupInfo {
  std::string_view captionKey;
  std::uint16_t value;
  std::span<const MenuItem> items;  // in menu order; empty for the profile-shift group
};

// Top-level entries of the assignment menu, in order. Entries whose value is
// one of the group values open that group.
std::span<const MenuItem> TopLevelMenu();

// The four groups with fixed items, in menu order, and the profile-shift group.
std::span<const MenuGroupInfo> MenuGroups();
const MenuGroupInfo* FindMenuGroup(std::uint16_t groupValue);

struct ShiftItems {
  MenuItem items[4];
};
// The profile-shift group's items: the four profiles other than the active
// one (0-based `activeProfile`), in ascending order.
ShiftItems ProfileShiftItems(int activeProfile);

// The code that shifts to profile n (1..5).
constexpr std::uint8_t ProfileShiftCode(int profileNumber) {
  return static_cast<std::uint8_t>(112 + profileNumber);
}

}  // namespace perix
