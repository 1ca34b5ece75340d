#pragma once
// The DPI-shift dialog's rules (CDPIShift): one of four levels, 250 to 1000
// DPI, stored as 1..4 in Param1 of a DPI-shift button.

#include <cstdint>
#include <string>
#include <vector>

#include "app/PopupMenu.h"
#include "config/DeviceConfig.h"

namespace perix {

class DpiShiftEditor {
 public:
  static constexpr int kLevelCount = 4;

  // A DPI-shift button (code 15) opens at its stored level, so that OK
  // without a new choice keeps it; anything else at level 1.
  explicit DpiShiftEditor(const ButtonAssignment& button);

  // The level popup's entries: "250" 1, "500" 2, "750" 3, "1000" 4.
  static std::vector<PopupMenuItem> LevelMenuItems();

  int Level() const { return m_level; }
  // The level button's caption: the level's DPI.
  std::u16string LevelText() const;
  // A choice in the popup; other values change nothing.
  void OnChoice(int level);

  // OK: FunctionCode 15 and Param1 the level; nothing else changes.
  void Store(ButtonAssignment& button) const;

 private:
  int m_level = 1;
};

}  // namespace perix
