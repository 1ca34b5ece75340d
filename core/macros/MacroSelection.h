#pragma once
// The macro selection dialog's rules (CMacroSelDlg): a macro of the library
// and how the button plays it.

#include <cstdint>
#include <string>
#include <vector>

#include "config/DeviceConfig.h"

namespace perix {

// How a macro button plays its macro: 0 the set number of times, 1 for as
// long as the button is held, 2 started and stopped by presses.
enum class MacroPlayMode : int { Times = 0, WhileHeld = 1, Toggle = 2 };
inline constexpr int kMacroPlayModeCount = 3;

class MacroSelection {
 public:
  // `names`: the library, in order (not empty). A macro button opens with its
  // macro and play mode; any other with the first macro, played the set
  // number of times, so that OK always stores the macro the dialog shows.
  MacroSelection(std::vector<std::u16string> names, const ButtonAssignment& button);

  const std::vector<std::u16string>& Names() const { return m_names; }
  const std::u16string& ChosenName() const { return m_chosenName; }
  int ChosenIndex() const { return m_chosenIndex; }
  MacroPlayMode PlayMode() const { return m_mode; }

  // A name chosen in the macro name menu (its library index); an index the
  // library does not have changes nothing.
  void Choose(int index);
  void SetPlayMode(MacroPlayMode mode) { m_mode = mode; }

 private:
  std::vector<std::u16string> m_names;
  std::u16string m_chosenName;
  int m_chosenIndex = 0;
  MacroPlayMode m_mode = MacroPlayMode::Times;
};

// The play mode a macro button's bytes describe.
MacroPlayMode PlayModeOf(const ButtonAssignment& button);

}  // namespace perix
