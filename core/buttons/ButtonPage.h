#pragma once
// The button page: one label per mouse button (1..6) with the caption of the
// function the active profile assigns to it.

#include <string>
#include <vector>

#include "app/PageContext.h"
#include "macros/MacroLibrary.h"

namespace perix {

class ButtonPage {
 public:
  ButtonPage(PageContext& context, MacroLibrary& macros) : m_context(context), m_macros(macros) {}

  // Recomputes the six label captions from the active profile. A macro
  // button whose library entry no longer exists becomes a disabled button
  // (code 7) here; the change reaches the file with the next save.
  void ShowButtonAssignments();

  // The caption of one assignment, as its label shows it.
  std::u16string CaptionOf(ButtonAssignment& button);

  // Distinct macro names of the active profile's macro buttons, rebuilt by
  // every refresh of the labels.
  const std::vector<std::u16string>& AssignedMacroNames() const { return m_assignedMacroNames; }

  static Control Label(int index) { return static_cast<Control>(static_cast<int>(Control::ButtonLabel1) + index); }
  static constexpr int kLabelCount = 6;

 private:
  PageContext& m_context;
  MacroLibrary& m_macros;
  std::vector<std::u16string> m_assignedMacroNames;
};

}  // namespace perix
