#include "dialogs/RenameProfileDlg.h"

#include <utility>

namespace perix::win {

CRenameProfileDlg::CRenameProfileDlg(std::u16string current, TextSource& texts)
    : CSkinnedDialog(Dialog::Rename, texts, kRenameTitle), m_name(std::move(current)) {}

void CRenameProfileDlg::OnOpen() {
  SetControlText(RenameControl::NameBox, m_name);
  if (CWindowBase* box = ControlWindow(RenameControl::NameBox); box && box->Handle()) {
    SetFocus(box->Handle());
    SendMessageW(box->Handle(), EM_SETSEL, 0, -1);
  }
}

bool CRenameProfileDlg::OnAccept() {
  m_name = ControlText(RenameControl::NameBox);
  return true;
}

}  // namespace perix::win
