#include "dialogs/XShoot.h"

namespace perix::win {
namespace {

constexpr int Index(XShootControl control) { return static_cast<int>(control); }
// The choice popup opens left of the button, under the target box.
constexpr int kChoiceMenuLeft = 68;

}  // namespace

CXShoot::CXShoot(XShootEditor& editor, TextSource& texts)
    : CSkinnedDialog(Dialog::XShoot, texts, kXShootDialogTitle), m_editor(editor) {}

void CXShoot::OnOpen() {
  ShowTarget();
  SetControlText(XShootControl::FirstBox, m_editor.FirstText());
  SetControlText(XShootControl::SecondBox, m_editor.SecondText());
}

void CXShoot::ShowTarget() {
  SetControlText(XShootControl::TargetBox, m_editor.TargetText());
  if (CWindowBase* box = ControlWindow(XShootControl::TargetBox)) box->Enable(m_editor.TargetEnabled());
}

void CXShoot::OnClick(int control) {
  if (control != Index(XShootControl::ChoiceButton)) return;
  const RECT button = ControlScreenRect(XShootControl::ChoiceButton);
  OpenMenu(Menu::ShootChoice, XShootEditor::ChoiceMenuItems(), POINT{button.left - kChoiceMenuLeft, button.bottom});
}

void CXShoot::OnMenuChoice(const MenuChoice& choice) {
  m_editor.OnChoice(choice.command);
  ShowTarget();
  if (m_editor.TargetEnabled()) {
    if (CWindowBase* box = ControlWindow(XShootControl::TargetBox)) SetFocus(box->Handle());
  }
}

void CXShoot::OnEditChanged(int control) {
  if (control == Index(XShootControl::TargetBox)) {
    m_editor.OnTargetText(ControlText(control));
    return;
  }
  std::optional<std::u16string> replacement;
  if (control == Index(XShootControl::FirstBox)) {
    replacement = m_editor.OnFirstText(ControlText(control));
  } else if (control == Index(XShootControl::SecondBox)) {
    replacement = m_editor.OnSecondText(ControlText(control));
  }
  if (replacement) ReplaceEditText(control, *replacement);
}

}  // namespace perix::win
