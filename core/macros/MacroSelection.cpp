#include "macros/MacroSelection.h"

#include <utility>

#include "config/FunctionCatalogue.h"

namespace perix {

MacroPlayMode PlayModeOf(const ButtonAssignment& button) {
  if (button.ButtonNumber == 0xFF) return MacroPlayMode::WhileHeld;
  if ((button.Param2 & 0x80) != 0) return MacroPlayMode::Toggle;
  return MacroPlayMode::Times;
}

MacroSelection::MacroSelection(std::vector<std::u16string> names, const ButtonAssignment& button)
    : m_names(std::move(names)) {
  int index = 0;
  if (button.FunctionCode == FunctionCode::Macro && (button.Param2 & 0x3F) < static_cast<int>(m_names.size())) {
    index = button.Param2 & 0x3F;
    m_mode = PlayModeOf(button);
  }
  Choose(index);
}

void MacroSelection::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(m_names.size())) return;
  m_chosenIndex = index;
  m_chosenName = m_names[static_cast<std::size_t>(index)];
}

}  // namespace perix
