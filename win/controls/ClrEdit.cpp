#include "controls/ClrEdit.h"

#include "skin/ControlMessages.h"

namespace perix::win {

PERIX_BEGIN_MESSAGE_TABLE(CClrEdit, CWindowBase)
  OnMessage<&CClrEdit::OnKeyUp>(WM_KEYUP),
  OnReflected<&CClrEdit::OnControlColor>(WM_CTLCOLOREDIT),
  // A read-only or disabled edit box asks with the static message.
  OnReflected<&CClrEdit::OnControlColor>(WM_CTLCOLORSTATIC),
PERIX_END_MESSAGE_TABLE(CClrEdit, CWindowBase)

bool CClrEdit::Create(std::wstring_view text, DWORD style, const RECT& rect, HWND parent, UINT id) {
  const DWORD editStyle = (style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD;
  if (!CreateControl(L"EDIT", text, editStyle, 0, rect, parent, id)) return false;
  SkinFontRequest request;
  request.height = 13;
  request.weight = 500;
  m_font = CreateSkinFont(request);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
  return true;
}

void CClrEdit::SetTextColor(COLORREF color) {
  m_textColor = color;
  Invalidate(true);
}

void CClrEdit::SetBackColor(COLORREF color) {
  m_backColor = color;
  Invalidate(true);
}

LRESULT CClrEdit::OnKeyUp(WPARAM wParam, LPARAM) {
  if (HWND parent = Parent()) PostMessageW(parent, kEditKeyUpMessage, wParam, static_cast<LPARAM>(ControlId()));
  return Default();
}

LRESULT CClrEdit::OnControlColor(WPARAM wParam, LPARAM) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  if (!m_backBrush || m_brushColor != m_backColor) {
    m_backBrush.reset(CreateSolidBrush(m_backColor));
    m_brushColor = m_backColor;
  }
  SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, m_textColor);
  SetBkColor(dc, m_backColor);
  if (m_font) SelectObject(dc, m_font.get());
  return reinterpret_cast<LRESULT>(m_backBrush.get());
}

}  // namespace perix::win
