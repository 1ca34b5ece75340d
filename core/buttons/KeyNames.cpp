#include "buttons/KeyNames.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "config/KeyUsageTable.h"
#include "platform/KeyboardLayout.h"
#include "skin/StringTable.h"

namespace perix {
namespace {

struct KeyCaption {
  std::uint8_t virtualKey;
  std::u16string_view caption;
};

constexpr KeyCaption kCaptions[] = {
    {0x08, u"Backspace"}, {0x09, u"Tab"},      {0x0C, u"Clear"},    {0x0D, u"Enter"},   {0x10, u"Shift"},
    {0x11, u"Ctrl"},      {0x12, u"Alt"},      {0x13, u"Pause"},    {0x14, u"CapsLock"}, {0x1B, u"Esc"},
    {0x20, u"Space"},     {0x21, u"PageUp"},   {0x22, u"PageDown"}, {0x23, u"End"},     {0x24, u"Home"},
    {0x25, u"Left"},      {0x26, u"Up"},       {0x27, u"Right"},    {0x28, u"Down"},    {0x29, u"Select"},
    {0x2A, u"Print"},     {0x2B, u"Exe"},      {0x2C, u"Snapshot"}, {0x2D, u"Ins"},     {0x2E, u"Del"},
    {0x2F, u"Help"},      {0x60, u"Num0"},     {0x61, u"Num1"},     {0x62, u"Num2"},    {0x63, u"Num3"},
    {0x64, u"Num4"},      {0x65, u"Num5"},     {0x66, u"Num6"},     {0x67, u"Num7"},    {0x68, u"Num8"},
    {0x69, u"Num9"},      {0x6A, u"Num*"},     {0x6B, u"Num+"},     {0x6C, u"Enter"},   {0x6D, u"Num-"},
    {0x6E, u"Num."},      {0x6F, u"Num/"},     {0x70, u"F1"},       {0x71, u"F2"},      {0x72, u"F3"},
    {0x73, u"F4"},        {0x74, u"F5"},       {0x75, u"F6"},       {0x76, u"F7"},      {0x77, u"F8"},
    {0x78, u"F9"},        {0x79, u"F10"},      {0x7A, u"F11"},      {0x7B, u"F12"},     {0x90, u"Numl"},
    {0x91, u"Scrl"},      {0xA0, u"LShift"},   {0xA1, u"RShift"},   {0xA2, u"LCtrl"},   {0xA3, u"RCtrl"},
    {0xA4, u"LAlt"},      {0xA5, u"RAlt"},
};

// Key-location numbers with their captions and the virtual keys that map to
// them (0 = none). Numbers 1, 2 and 4 are mouse buttons named by the string
// file; "" marks a known number whose caption is empty.
struct KeyLocation {
  std::uint8_t number;
  std::u16string_view caption;
  std::uint8_t virtualKey;
  std::uint8_t otherVirtualKey = 0;
};

constexpr KeyLocation kLocations[] = {
    {16, u"~", 0xC0},  {17, u"1", 0x31},  {18, u"Q", 0x51},  {19, u"TAB", 0x09}, {20, u"A", 0x41},
    {21, u"ESC", 0x1B}, {22, u"Z", 0x5A}, {23, u"(MuHenkan)", 0}, {24, u"F1", 0x70}, {25, u"2", 0x32},
    {26, u"W", 0x57},  {27, u"Caps Lock", 0x14}, {28, u"S", 0x53}, {30, u"X", 0x58}, {32, u"F2", 0x71},
    {33, u"3", 0x33},  {34, u"E", 0x45},  {35, u"F3", 0x72}, {36, u"D", 0x44},  {37, u"F4", 0x73},
    {38, u"C", 0x43},  {39, u"Hanguel(Korean)", 0}, {40, u"5", 0x35}, {41, u"4", 0x34}, {42, u"R", 0x52},
    {43, u"T", 0x54},  {44, u"F", 0x46},  {45, u"G", 0x47},  {46, u"V", 0x56},  {47, u"B", 0x42},
    {48, u"6", 0x36},  {49, u"7", 0x37},  {50, u"U", 0x55},  {51, u"Y", 0x59},  {52, u"J", 0x4A},
    {53, u"H", 0x48},  {54, u"M", 0x4D},  {55, u"N", 0x4E},  {56, u"=", 0xBB},  {57, u"8", 0x38},
    {58, u"I", 0x49},  {59, u"]", 0xDD},  {60, u"K", 0x4B},  {61, u"F6", 0x75}, {62, u",", 0xBC},
    {63, u"`(Dos/v)", 0}, {64, u"F8", 0x77}, {65, u"9", 0x39}, {66, u"O", 0x4F}, {67, u"F7", 0x76},
    {68, u"L", 0x4C},  {69, u"Henkan(Dos/v)", 0}, {70, u".", 0xBE}, {71, u"Katakana(Dos/v)", 0},
    {72, u"-", 0xBD},  {73, u"0", 0x30},  {74, u"P", 0x50},  {75, u"[", 0xDB},  {76, u";", 0xBA},
    {77, u"'", 0xDE},  {78, u"$/}(102W)", 0}, {79, u"/", 0xBF}, {80, u"F9", 0x78}, {81, u"F10", 0x79},
    {82, u"V-(Dos/v)", 0}, {83, u"Backspace", 0x08}, {84, u"\\", 0xDC}, {85, u"F5", 0x74},
    {86, u"Enter", 0x0D}, {87, u"Space Bar", 0x20}, {88, u"Insert", 0x2D}, {89, u"F12", 0x7B},
    {90, u"Num 8", 0x68}, {91, u"Num 5", 0x65}, {92, u"Num 2", 0x62}, {93, u"Num 0", 0x60},
    {94, u"Num /", 0x6F}, {95, u"Right", 0x27}, {96, u"Delete", 0x2E}, {97, u"F11", 0x7A},
    {98, u"Num 7", 0x67}, {99, u"Num 4", 0x64}, {100, u"Num 1", 0x61}, {101, u"NA", 0},
    {102, u"Num Lock", 0x90}, {103, u"Down", 0x28}, {104, u"Pageup", 0x21}, {105, u"Pagedown", 0x22},
    {106, u"Num 9", 0x69}, {107, u"Num 6", 0x66}, {108, u"Num 3", 0x63}, {109, u"Num del", 0x6E},
    {110, u"Num *", 0x6A}, {111, u"Num -", 0x6D}, {112, u"Home", 0x24}, {113, u"End", 0x23},
    {114, u"Num +", 0x6B}, {115, u"NA", 0}, {116, u"Num Enter", 0x6C}, {117, u"Up", 0x26},
    {118, u"Pause/Break", 0x13}, {119, u"Left", 0x25}, {120, u"NA", 0}, {121, u"Scroll Lock", 0x91},
    {122, u"PrtScr", 0x2C}, {123, u"NA", 0}, {124, u"NA", 0}, {125, u"Alt", 0xA4},
    {127, u"Right Alt", 0xA5}, {131, u"Shift", 0xA0}, {134, u"Right Shift", 0xA1}, {135, u"Profile", 0},
    {136, u"Ctrl", 0xA2}, {142, u"Right Ctrl", 0xA3}, {143, u"Mute", 0xAD}, {144, u"", 0xB5},
    {145, u"", 0xB3}, {146, u"", 0xB2}, {147, u"", 0xB1}, {148, u"", 0xB1}, {150, u"", 0xAF},
    {151, u"", 0xAE}, {153, u"", 0xAC}, {154, u"Application", 0x5D}, {155, u"DPad NE", 0},
    {156, u"Win", 0x5B, 0x5C}, {157, u"DPad SE", 0}, {158, u"DPad SW", 0}, {159, u"DPad NW", 0xFB},
    {244, u"Left Windows", 0}, {245, u"Right Windows", 0},
};

constexpr unsigned kLastLocation = 245;

struct Lookups {
  std::array<std::int16_t, 256> captionOfKey{};       // index into kCaptions, -1 = none
  std::array<std::int16_t, 256> locationEntry{};      // index into kLocations by number, -1 = none
  std::array<std::uint8_t, 256> locationOfKey{};      // number by virtual key, 0 = none
};

constexpr Lookups BuildLookups() {
  Lookups lookups;
  lookups.captionOfKey.fill(-1);
  lookups.locationEntry.fill(-1);
  for (std::size_t i = 0; i < std::size(kCaptions); ++i) {
    lookups.captionOfKey[kCaptions[i].virtualKey] = static_cast<std::int16_t>(i);
  }
  for (std::size_t i = 0; i < std::size(kLocations); ++i) {
    const KeyLocation& location = kLocations[i];
    lookups.locationEntry[location.number] = static_cast<std::int16_t>(i);
    for (std::uint8_t key : {location.virtualKey, location.otherVirtualKey}) {
      if (key != 0 && location.number > lookups.locationOfKey[key]) lookups.locationOfKey[key] = location.number;
    }
  }
  return lookups;
}
constexpr Lookups kLookups = BuildLookups();

std::u16string CaptionOf(unsigned virtualKey, bool label) {
  if (virtualKey <= 0xFF) {
    if (label && virtualKey == 0x90) return u"Numlock";
    const std::int16_t index = kLookups.captionOfKey[virtualKey];
    if (index >= 0) return std::u16string(kCaptions[index].caption);
  }
  // Named by its character, the way "%c" prints it: a zero byte prints nothing.
  unsigned char character = UnshiftedCharacterOf(virtualKey);
  if (character == 0) return {};
  if (character >= 'a' && character <= 'z') character = static_cast<unsigned char>(character - 'a' + 'A');
  return std::u16string(1, static_cast<char16_t>(character));
}

}  // namespace

std::u16string KeyCaptionOf(unsigned virtualKey) { return CaptionOf(virtualKey, false); }

std::u16string KeyLabelOf(unsigned virtualKey) { return CaptionOf(virtualKey, true); }

unsigned KeyLocationOf(unsigned virtualKey) {
  return virtualKey <= 0xFF ? kLookups.locationOfKey[virtualKey] : 0;
}

std::u16string MacroKeyName(unsigned location) {
  switch (location) {
    case 1: return GetText(u"BUTTONPAGE", u"CLICK");
    case 2: return GetText(u"BUTTONPAGE", u"MENU");
    case 4: return GetText(u"BUTTONPAGE", u"MIDDLE");
    default: break;
  }
  if (location == 0 || location > kLastLocation) return {};
  const std::int16_t index = kLookups.locationEntry[location];
  return index >= 0 ? std::u16string(kLocations[index].caption) : std::u16string();
}

std::u16string MacroKeyNameOfUsage(unsigned usage) {
  std::uint8_t virtualKey = 0;
  if (!VirtualKeyFromUsage(usage, virtualKey)) return {};
  return MacroKeyName(KeyLocationOf(virtualKey));
}

}  // namespace perix
