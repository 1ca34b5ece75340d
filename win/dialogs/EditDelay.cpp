#include "dialogs/EditDelay.h"

namespace perix::win {

CEditDelay::CEditDelay(NumberEntry& entry, TextSource& texts)
    : CSkinnedDialog(Dialog::NumberEntry, texts, kNumberEntryTitle), m_entry(entry) {}

void CEditDelay::OnOpen() {
  SetControlText(NumberEntryControl::Prompt, m_entry.Prompt());
  SetControlText(NumberEntryControl::NumberBox, m_entry.Text());
  if (CWindowBase* box = ControlWindow(NumberEntryControl::NumberBox); box && box->Handle()) {
    SetFocus(box->Handle());
    SendMessageW(box->Handle(), EM_SETSEL, 0, -1);
  }
}

void CEditDelay::OnEditChanged(int control) {
  if (control != static_cast<int>(NumberEntryControl::NumberBox)) return;
  const auto replacement = m_entry.OnTextChanged(ControlText(control));
  if (replacement) ReplaceEditText(control, *replacement);
}

}  // namespace perix::win
