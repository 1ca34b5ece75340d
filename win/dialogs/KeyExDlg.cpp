#include "dialogs/KeyExDlg.h"

namespace perix::win {

CKeyExDlg::CKeyExDlg(SingleKeyCapture& capture, TextSource& texts)
    : CBaseKeyPressDlg(Dialog::Key, texts, kKeyDialogTitle, capture), m_capture(capture) {}

void CKeyExDlg::OnOpen() {
  m_shown = m_capture.DisplayText();
  SetControlText(KeyDialogControl::Display, m_shown);
  // The keys go to the dialog itself, not to a button that Space would press.
  SetFocus(Handle());
}

void CKeyExDlg::ShowCapturedKeys() {
  if (m_capture.DisplayText() == m_shown) return;
  m_shown = m_capture.DisplayText();
  SetControlText(KeyDialogControl::Display, m_shown);
}

}  // namespace perix::win
