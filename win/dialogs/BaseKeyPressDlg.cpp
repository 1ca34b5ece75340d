#include "dialogs/BaseKeyPressDlg.h"

namespace perix::win {

CBaseKeyPressDlg::CBaseKeyPressDlg(Dialog dialog, TextSource& texts, std::wstring_view title, KeyCapture& capture)
    : CSkinnedDialog(dialog, texts, title), m_capture(capture) {}

bool CBaseKeyPressDlg::PreTranslateMessage(MSG& message) {
  KeyMessage kind;
  switch (message.message) {
    case WM_KEYDOWN: kind = KeyMessage::KeyDown; break;
    case WM_KEYUP: kind = KeyMessage::KeyUp; break;
    case WM_SYSKEYDOWN: kind = KeyMessage::SysKeyDown; break;
    case WM_SYSKEYUP: kind = KeyMessage::SysKeyUp; break;
    default: return CSkinnedDialog::PreTranslateMessage(message);
  }
  const auto key = static_cast<unsigned>(message.wParam & 0xFF);
  const auto flags = static_cast<unsigned>(HIWORD(message.lParam));
  const bool consumed = m_capture.OnKeyMessage(kind, key, flags);
  ShowCapturedKeys();
  return consumed || CSkinnedDialog::PreTranslateMessage(message);
}

}  // namespace perix::win
