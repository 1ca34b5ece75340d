#include "config/FunctionCatalogue.h"

#include <array>

namespace perix {
namespace {

struct CodeInfo {
  std::uint8_t code;
  std::string_view captionKey;
  bool repairable;
};

// Every code with a caption or that survives a load. Codes absent here have
// neither.
constexpr CodeInfo kCodes[] = {
    {1, "CLICK", true},          {2, "MENU", true},           {3, "MIDDLE", true},
    {4, "DBCLICK", true},        {5, "ASSIGNKEY", true},      {6, "MACROCOMMAND", true},
    {7, "OFFBUTTON", true},      {9, "XSHOOT", true},         {10, "BUTTON4", true},
    {11, "BUTTON5", true},       {12, "DPIUP", true},         {13, "DPIDOWN", true},
    {14, "DPISWITCH", true},     {15, "DPISHIFT", true},      {21, "GAMEKEY", true},
    {23, "PROFILEUP", true},     {24, "PROFILEDOWN", true},   {25, "", true},
    {32, "PLAYPAUSE", true},     {33, "STOP", true},          {34, "PREVIOUS", true},
    {35, "NEXT", true},          {36, "", true},              {37, "VOLUMEUP", true},
    {38, "VOLUMEDOWN", true},    {39, "MUTE", true},          {48, "SCROLLUP", true},
    {49, "SCROLLDOWN", true},    {50, "SCROLLLEFT", true},    {51, "SCROLLRIGHT", true},
    {64, "CUT", true},           {65, "COPY", true},          {66, "PASTE", true},
    {67, "UNDO", true},          {68, "SELECTALL", true},     {69, "FIND", true},
    {70, "NEW", true},           {71, "PRINT", true},         {72, "SAVE", true},
    {80, "SWAP_WINDOWS", true},  {81, "CLOSE_WINDOWS", true}, {82, "LOCK_PC", true},
    {83, "OPEN_EXPLORER", true}, {84, "RUN", true},           {85, "SHOW_DESKTOP", true},
    {96, "DPIFUN", false},       {99, "HANDSWITCH", true},    {100, "LEDSWITCH", true},
    {101, "GUNFIREKEY", true},   {113, "SHIFT1", true},       {114, "SHIFT2", true},
    {115, "SHIFT3", true},       {116, "SHIFT4", true},       {117, "SHIFT5", true},
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
