#pragma once
// CBaseKeyPressDlg: a skinned dialog that takes the keyboard. Every key
// pressed or released while it (or one of its controls) has the focus goes
// to its KeyCapture (core/buttons/KeyCapture.h), which decides what is
// captured and what goes on; Enter and Esc never close it.

#include "buttons/KeyCapture.h"
#include "dialogs/SkinnedDialog.h"

namespace perix::win {

class CBaseKeyPressDlg : public CSkinnedDialog {
 public:
  // `capture` must outlive the dialog.
  CBaseKeyPressDlg(Dialog dialog, TextSource& texts, std::wstring_view title, KeyCapture& capture);

 protected:
  // A keyboard message went to the capture: show what it holds now.
  virtual void ShowCapturedKeys() = 0;
  bool PreTranslateMessage(MSG& message) override;

 private:
  KeyCapture& m_capture;  // not owned
};

}  // namespace perix::win
