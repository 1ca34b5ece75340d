#include "dialogs/GunfireDlg.h"

#include "controls/BitmapBtn.h"
#include "controls/ClrEdit.h"
#include "controls/PngHSlider.h"

namespace perix::win {
namespace {

constexpr COLORREF kBoxText = RGB(0, 0, 0);
constexpr COLORREF kBoxBack = RGB(255, 255, 255);
constexpr int Index(FireKeyControl control) { return static_cast<int>(control); }

}  // namespace

CGunfireDlg::CGunfireDlg(FireKeyEditor& editor, TextSource& texts)
    : CSkinnedDialog(Dialog::FireKey, texts, kFireKeyDialogTitle), m_editor(editor) {}

void CGunfireDlg::OnOpen() {
  for (FireKeyControl box : {FireKeyControl::CountBox, FireKeyControl::ValueBox}) {
    if (auto* edit = static_cast<CClrEdit*>(ControlWindow(box))) {
      edit->SetBackColor(kBoxBack);
      edit->SetTextColor(kBoxText);
    }
  }
  if (auto* slider = static_cast<CPngHSliderBar*>(ControlWindow(FireKeyControl::Slider))) {
    slider->SetPos(m_editor.Slider());
  }
  SetControlText(FireKeyControl::SpeedValue, m_editor.SliderText());
  SetControlText(FireKeyControl::ValueBox, m_editor.ValueText());
  ShowCount();
}

void CGunfireDlg::ShowCount() {
  SetControlText(FireKeyControl::CountBox, m_editor.CountText());
  if (CWindowBase* box = ControlWindow(FireKeyControl::CountBox)) box->Enable(!m_editor.Unlimited());
  if (auto* check = static_cast<CBitmapBtn*>(ControlWindow(FireKeyControl::Unlimited))) {
    check->SetCheck(m_editor.Unlimited() ? 1 : 0);
  }
}

bool CGunfireDlg::OnAccept() {
  m_editor.Accept(ControlText(FireKeyControl::CountBox), ControlText(FireKeyControl::ValueBox));
  return true;
}

void CGunfireDlg::OnClick(int control) {
  if (control != Index(FireKeyControl::Unlimited)) return;
  // The check button flipped its own mark before it reported the click.
  const auto* check = static_cast<CBitmapBtn*>(ControlWindow(FireKeyControl::Unlimited));
  m_editor.OnUnlimited(check && check->GetCheck() == 1);
  ShowCount();
}

void CGunfireDlg::OnEditKeyUp(int control, WPARAM) {
  std::optional<std::u16string> replacement;
  if (control == Index(FireKeyControl::CountBox)) {
    replacement = m_editor.OnCountKeyUp(ControlText(control));
  } else if (control == Index(FireKeyControl::ValueBox)) {
    replacement = m_editor.OnValueKeyUp(ControlText(control));
  }
  if (replacement) ReplaceEditText(control, *replacement);
}

void CGunfireDlg::OnSlider(int control, int position) {
  if (control != Index(FireKeyControl::Slider)) return;
  m_editor.OnSlider(position);
  SetControlText(FireKeyControl::SpeedValue, m_editor.SliderText());
}

}  // namespace perix::win
