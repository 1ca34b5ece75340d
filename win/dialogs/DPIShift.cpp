#include "dialogs/DPIShift.h"

namespace perix::win {

CDPIShift::CDPIShift(DpiShiftEditor& editor, TextSource& texts)
    : CSkinnedDialog(Dialog::DpiShift, texts, kDpiShiftDialogTitle), m_editor(editor) {}

void CDPIShift::OnOpen() { SetControlText(DpiShiftControl::LevelButton, m_editor.LevelText()); }

void CDPIShift::OnClick(int control) {
  if (control != static_cast<int>(DpiShiftControl::LevelButton)) return;
  const RECT button = ControlScreenRect(DpiShiftControl::LevelButton);
  OpenMenu(Menu::DpiShiftLevel, DpiShiftEditor::LevelMenuItems(), POINT{button.left - 1, button.bottom});
}

void CDPIShift::OnMenuChoice(const MenuChoice& choice) {
  m_editor.OnChoice(choice.command);
  SetControlText(DpiShiftControl::LevelButton, m_editor.LevelText());
}

}  // namespace perix::win
