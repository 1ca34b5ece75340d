#pragma once
// CKeyExDlg: the key dialog. The user presses the key a mouse button should
// send; the display shows its name; OK keeps it (the caller stores it).

#include "buttons/KeyCapture.h"
#include "dialogs/BaseKeyPressDlg.h"

namespace perix::win {

inline constexpr wchar_t kKeyDialogTitle[] = L"Assign a key";

class CKeyExDlg : public CBaseKeyPressDlg {
 public:
  // `capture` holds the button's key on opening and the key pressed after.
  CKeyExDlg(SingleKeyCapture& capture, TextSource& texts);

 private:
  void OnOpen() override;
  void ShowCapturedKeys() override;

  SingleKeyCapture& m_capture;  // not owned
  std::u16string m_shown;
};

}  // namespace perix::win
