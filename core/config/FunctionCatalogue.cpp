#include "config/FunctionCatalogue.h"

#include <array>

namespace perix {
namespace {

struct CodeInfo {
  std::uint8_t code;
  std::string_view captionKey;
  std::string_view description;  // English, for tools and logs; the program shows the caption
  bool repairable;
};

// Every code with a caption or that survives a load. Codes absent here have
// neither.
constexpr CodeInfo kCodes[] = {
    {1, "CLICK", "left click", true},
    {2, "MENU", "right click (context menu)", true},
    {3, "MIDDLE", "middle click", true},
    {4, "DBCLICK", "double click", true},
    {5, "ASSIGNKEY", "keyboard key", true},
    {6, "MACROCOMMAND", "play a macro", true},
    {7, "OFFBUTTON", "button disabled", true},
    {9, "XSHOOT", "X-shoot", true},
    {10, "BUTTON4", "fourth mouse button", true},
    {11, "BUTTON5", "fifth mouse button", true},
    {12, "DPIUP", "next DPI stage", true},
    {13, "DPIDOWN", "previous DPI stage", true},
    {14, "DPISWITCH", "DPI stage switch", true},
    {15, "DPISHIFT", "temporary DPI level", true},
    {21, "GAMEKEY", "game key", true},
    {23, "PROFILEUP", "next profile", true},
    {24, "PROFILEDOWN", "previous profile", true},
    {25, "", "", true},
    {32, "PLAYPAUSE", "media play/pause", true},
    {33, "STOP", "media stop", true},
    {34, "PREVIOUS", "media previous track", true},
    {35, "NEXT", "media next track", true},
    {36, "", "", true},
    {37, "VOLUMEUP", "volume up", true},
    {38, "VOLUMEDOWN", "volume down", true},
    {39, "MUTE", "mute", true},
    {48, "SCROLLUP", "wheel up", true},
    {49, "SCROLLDOWN", "wheel down", true},
    {50, "SCROLLLEFT", "wheel left", true},
    {51, "SCROLLRIGHT", "wheel right", true},
    {64, "CUT", "cut", true},
    {65, "COPY", "copy", true},
    {66, "PASTE", "paste", true},
    {67, "UNDO", "undo", true},
    {68, "SELECTALL", "select all", true},
    {69, "FIND", "find", true},
    {70, "NEW", "new", true},
    {71, "PRINT", "print", true},
    {72, "SAVE", "save", true},
    {80, "SWAP_WINDOWS", "switch windows", true},
    {81, "CLOSE_WINDOWS", "close window", true},
    {82, "LOCK_PC", "lock the computer", true},
    {83, "OPEN_EXPLORER", "open the file explorer", true},
    {84, "RUN", "run command", true},
    {85, "SHOW_DESKTOP", "show the desktop", true},
    {96, "DPIFUN", "DPI function", false},
    {99, "HANDSWITCH", "hand switch", true},
    {100, "LEDSWITCH", "lighting on/off", true},
    {101, "GUNFIREKEY", "fire key", true},
    {113, "SHIFT1", "shift to profile 1", true},
    {114, "SHIFT2", "shift to profile 2", true},
    {115, "SHIFT3", "shift to profile 3", true},
    {116, "SHIFT4", "shift to profile 4", true},
    {117, "SHIFT5", "shift to profile 5", true},
};

constexpr std::array<const CodeInfo*, 256> BuildIndex() {
  std::array<const CodeInfo*, 256> index{};
  for (const CodeInfo& info : kCodes) index[info.code] = &info;
  return index;
}
constexpr std::array<const CodeInfo*, 256> kIndex = BuildIndex();

constexpr MenuItem kTopLevel[] = {
    {"CLICK", 1},
    {"MENU", 2},
    {"MIDDLE", 3},
    {"DBCLICK", 4},
    {"BUTTON4", 10},
    {"BUTTON5", 11},
    {"MACROCOMMAND", 6},
    {"ADVANCEDCOMMAND", MenuGroup::Advanced},
    {"BASICCOMMAND", MenuGroup::Basic},
    {"ADDITIONALCOMMAND", MenuGroup::Additional},
    {"MEDIACOMMAND", MenuGroup::Media},
    {"SHIFT", MenuGroup::Shift},
    {"OFFBUTTON", 7},
};

constexpr MenuItem kAdvanced[] = {
    {"LEDSWITCH", 100}, {"HANDSWITCH", 99}, {"DPIUP", 12},      {"DPIDOWN", 13},
    {"DPISWITCH", 14},  {"DPISHIFT", 15},   {"PROFILEUP", 23},  {"PROFILEDOWN", 24},
    {"XSHOOT", 9},      {"ASSIGNKEY", 5},   {"GUNFIREKEY", 101},
};
constexpr MenuItem kBasic[] = {
    {"CUT", 64},       {"COPY", 65}, {"PASTE", 66}, {"UNDO", 67}, {"SELECTALL", 68},
    {"FIND", 69},      {"NEW", 70},  {"PRINT", 71}, {"SAVE", 72},
};
constexpr MenuItem kAdditional[] = {
    {"SWAP_WINDOWS", 80}, {"CLOSE_WINDOWS", 81}, {"OPEN_EXPLORER", 83},
    {"RUN", 84},          {"SHOW_DESKTOP", 85},  {"LOCK_PC", 82},
};
constexpr MenuItem kMedia[] = {
    {"PLAYPAUSE", 32}, {"STOP", 33},       {"PREVIOUS", 34}, {"NEXT", 35},
    {"VOLUMEUP", 37},  {"VOLUMEDOWN", 38}, {"MUTE", 39},
};
constexpr MenuItem kShiftAll[] = {
    {"SHIFT1", 113}, {"SHIFT2", 114}, {"SHIFT3", 115}, {"SHIFT4", 116}, {"SHIFT5", 117},
};

constexpr MenuGroupInfo kGroups[] = {
    {"ADVANCEDCOMMAND", MenuGroup::Advanced, kAdvanced},
    {"BASICCOMMAND", MenuGroup::Basic, kBasic},
    {"ADDITIONALCOMMAND", MenuGroup::Additional, kAdditional},
    {"MEDIACOMMAND", MenuGroup::Media, kMedia},
    {"SHIFT", MenuGroup::Shift, {}},
};

}  // namespace

std::string_view CaptionKeyOf(std::uint8_t code) {
  const CodeInfo* info = kIndex[code];
  return info != nullptr ? info->captionKey : std::string_view{};
}

std::string_view FunctionDescriptionOf(std::uint8_t code) {
  const CodeInfo* info = kIndex[code];
  return info != nullptr ? info->description : std::string_view{};
}

bool IsRepairable(std::uint8_t code) {
  const CodeInfo* info = kIndex[code];
  return info != nullptr && info->repairable;
}

std::span<const MenuItem> TopLevelMenu() { return kTopLevel; }

std::span<const MenuGroupInfo> MenuGroups() { return kGroups; }

const MenuGroupInfo* FindMenuGroup(std::uint16_t groupValue) {
  for (const MenuGroupInfo& group : kGroups) {
    if (group.value == groupValue) return &group;
  }
  return nullptr;
}

ShiftItems ProfileShiftItems(int activeProfile) {
  ShiftItems result{};
  int count = 0;
  for (int profile = 0; profile < 5 && count < 4; ++profile) {
    if (profile != activeProfile) result.items[count++] = kShiftAll[profile];
  }
  return result;
}

}  // namespace perix
