#include "framework/Dialog.h"

#include <utility>

namespace perix::win {
namespace {

// The dialog manager calls this procedure from DefDlgProc; everything has
// been handled by the window procedure by then.
INT_PTR CALLBACK NoDialogProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

PERIX_BEGIN_MESSAGE_TABLE(CDialogBase, CWindowBase)
  OnMessage<&CDialogBase::HandleInitDialog>(WM_INITDIALOG),
  OnCommand<&CDialogBase::HandleOk>(IDOK),
  OnCommand<&CDialogBase::HandleCancel>(IDCANCEL),
PERIX_END_MESSAGE_TABLE(CDialogBase, CWindowBase)

CDialogBase::CDialogBase(DialogTemplate dialogTemplate) : m_template(std::move(dialogTemplate)) {}

bool CDialogBase::Create(HWND parent) {
  if (Handle()) return false;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(ModuleInstance(), kDialogClassName, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &CWindowBase::DialogProcedure;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kDialogClassName;
    if (!RegisterClassExW(&wc)) return false;
  }
  m_ended = false;
  m_result = IDCANCEL;
  PrepareBinding(Binding::Dialog);
  HWND hwnd = CreateDialogIndirectParamW(ModuleInstance(), m_template.Data(), parent, &NoDialogProcedure, 0);
  return hwnd != nullptr && Handle() == hwnd;
}

bool CDialogBase::CreateModeless(HWND parent) {
  m_modal = false;
  return Create(parent);
}

INT_PTR CDialogBase::DoModal(HWND owner) {
  m_modal = true;
  if (!Create(owner)) {
    m_modal = false;
    return -1;
  }
  const bool reenableOwner = owner && IsWindowEnabled(owner);
  if (reenableOwner) EnableWindow(owner, FALSE);
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());

  MSG msg{};
  while (!m_ended && Handle()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // WM_QUIT ends every loop: hand it on to the caller's.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    HWND dialog = Handle();
    const bool forUs = dialog && (msg.hwnd == dialog || IsChild(dialog, msg.hwnd));
    if (forUs && PreTranslateMessage(msg)) continue;
    if (forUs && Handle() && IsDialogMessageW(Handle(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }

  // The owner comes back before the dialog goes, so that it is the window
  // that gets activated.
  if (reenableOwner) EnableWindow(owner, TRUE);
  if (Handle()) {
    // Keep the owner in front when the dialog had been active.
    if (owner && GetActiveWindow() == Handle()) SetActiveWindow(owner);
    DestroyWindow();
  }
  m_modal = false;
  return m_ended ? m_result : IDCANCEL;
}

void CDialogBase::EndDialog(INT_PTR result) {
  m_result = result;
  m_ended = true;
  if (m_modal) {
    // Wake the loop in case this runs outside its dispatch.
    if (Handle()) PostMessageW(Handle(), WM_NULL, 0, 0);
  } else {
    DestroyWindow();
  }
}

void CDialogBase::OnOK() {
  if (m_modal) EndDialog(IDOK);
}

void CDialogBase::OnCancel() {
  if (m_modal) EndDialog(IDCANCEL);
}

bool CDialogBase::PreTranslateMessage(MSG&) { return false; }

LRESULT CDialogBase::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

LRESULT CDialogBase::HandleOk(WPARAM, LPARAM) {
  OnOK();
  return 0;
}

LRESULT CDialogBase::HandleCancel(WPARAM, LPARAM) {
  OnCancel();
  return 0;
}

}  // namespace perix::win
