#include "controls/StaticTrans.h"

#include <string>

namespace perix::win {

PERIX_BEGIN_MESSAGE_TABLE(CStaticTrans, CWindowBase)
  OnReflected<&CStaticTrans::OnControlColor>(WM_CTLCOLORSTATIC),
  OnMessage<&CStaticTrans::OnSetText>(WM_SETTEXT),
PERIX_END_MESSAGE_TABLE(CStaticTrans, CWindowBase)

bool CStaticTrans::Create(std::wstring_view text, DWORD style, const RECT& rect, HWND parent, UINT id) {
  const DWORD staticStyle = (style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD;
  if (!CreateControl(L"STATIC", text, staticStyle, 0, rect, parent, id)) return false;
  ApplyFont();
  return true;
}

SkinFontRequest CStaticTrans::FontRequest() const {
  SkinFontRequest request;
  request.height = m_fontHeight;
  request.weight = m_fontWeight;
  request.italic = m_italic;
  request.quality = 6;  // ClearType, natural widths
  request.pitchAndFamily = 14;
  return request;
}

void CStaticTrans::ApplyFont() {
  if (Handle()) SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get(FontRequest())), TRUE);
}

void CStaticTrans::SetCaption(std::wstring_view text) { SetText(text); }

LRESULT CStaticTrans::OnSetText(WPARAM, LPARAM) {
  if (HWND parent = Parent()) {
    // Paint the parent's image under the control first, so nothing of the
    // old letters is left behind the new ones.
    RECT r = RectInParent();
    RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  const LRESULT result = Default();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return result;
}

void CStaticTrans::SetTextColor(COLORREF color) {
  m_textColor = color;
  Invalidate();
}

void CStaticTrans::SetBackColor(long long color) {
  m_backColor = color;
  Invalidate(true);
}

void CStaticTrans::SetFontHeight(int height) {
  m_fontHeight = height;
  ApplyFont();
}

void CStaticTrans::SetFontWeight(int weight) {
  m_fontWeight = weight;
  ApplyFont();
}

void CStaticTrans::SetItalic(bool italic) {
  m_italic = italic;
  ApplyFont();
}

LRESULT CStaticTrans::OnControlColor(WPARAM wParam, LPARAM) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  ::SetTextColor(dc, m_textColor);
  // The font stays selected: the control draws its text with it next.
  SelectObject(dc, m_font.Get(FontRequest()));
  if (m_backColor == -1) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
  }
  const COLORREF back = static_cast<COLORREF>(m_backColor) & 0xFFFFFF;
  if (!m_backBrush || back != m_brushColor) {
    m_backBrush.reset(CreateSolidBrush(back));
    m_brushColor = back;
  }
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(m_backBrush.get());
}

}  // namespace perix::win
