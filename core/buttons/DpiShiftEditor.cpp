#include "buttons/DpiShiftEditor.h"

#include "config/FunctionCatalogue.h"
#include "text/Utf16.h"

namespace perix {
namespace {

int DpiOfLevel(int level) { return level * 250; }
bool ValidLevel(int level) { return level >= 1 && level <= DpiShiftEditor::kLevelCount; }

}  // namespace

DpiShiftEditor::DpiShiftEditor(const ButtonAssignment& button) {
  if (button.FunctionCode == FunctionCode::DpiShift && ValidLevel(button.Param1)) m_level = button.Param1;
}

std::vector<PopupMenuItem> DpiShiftEditor::LevelMenuItems() {
  std::vector<PopupMenuItem> items;
  for (int level = 1; level <= kLevelCount; ++level) {
    items.push_back({DecimalText(DpiOfLevel(level)), static_cast<std::uint32_t>(level), {}});
  }
  return items;
}

std::u16string DpiShiftEditor::LevelText() const { return DecimalText(DpiOfLevel(m_level)); }

void DpiShiftEditor::OnChoice(int level) {
  if (ValidLevel(level)) m_level = level;
}

void DpiShiftEditor::Store(ButtonAssignment& button) const {
  button.FunctionCode = FunctionCode::DpiShift;
  button.Param1 = static_cast<std::uint8_t>(m_level);
}

}  // namespace perix
