#pragma once
// Dialogs: modeless (the popup menus) and modal (every dialog of the program
// and the main window itself).
//
// DoModal creates the dialog, disables its owner and runs the message loop
// until EndDialog is called, then destroys the dialog, re-enables the owner
// and returns the value given to EndDialog: 1 (IDOK) for OK, 2 (IDCANCEL) for
// Cancel, -1 when the dialog could not be created. A dialog destroyed by
// anyone else ends the run as cancelled. The loop offers every message meant
// for the dialog or one of its controls to PreTranslateMessage first, then to
// the dialog manager (keyboard navigation, Enter and Esc), then dispatches it.
// This loop is the program's only one while the main window runs.
//
// Handlers: WM_INITDIALOG calls OnInitDialog; the commands IDOK and IDCANCEL
// (Enter, Esc, closing the window) call OnOK and OnCancel, which end a modal
// run with 1 and 2 and do nothing for a modeless dialog. A derived table that
// binds IDOK or IDCANCEL itself takes precedence.

#include "framework/DialogTemplate.h"
#include "framework/Window.h"

namespace perix::win {

class CDialogBase : public CWindowBase {
 public:
  explicit CDialogBase(DialogTemplate dialogTemplate);

  bool CreateModeless(HWND parent);
  INT_PTR DoModal(HWND owner);
  void EndDialog(INT_PTR result);
  bool IsModal() const { return m_modal; }

 protected:
  // Return TRUE to let the dialog manager give the focus to the first control.
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK();
  virtual void OnCancel();
  // True when the message was handled and must go no further.
  virtual bool PreTranslateMessage(MSG& message);

  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT HandleInitDialog(WPARAM, LPARAM);
  LRESULT HandleOk(WPARAM, LPARAM);
  LRESULT HandleCancel(WPARAM, LPARAM);

  bool Create(HWND parent);

  DialogTemplate m_template;
  bool m_modal = false;
  bool m_ended = false;
  INT_PTR m_result = IDCANCEL;
};

}  // namespace perix::win
