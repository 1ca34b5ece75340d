#pragma once
// CClrEdit: an edit box with its own colours and a skin font (height 13,
// weight 500). Every key release is reported to the parent as message 0x1402
// (wParam = the key, lParam = the box's control ID); typing still goes into
// the box.

#include <string_view>

#include "controls/SkinFont.h"
#include "framework/Window.h"

namespace perix::win {

class CClrEdit : public CWindowBase {
 public:
  // `style` adds the edit styles (ES_CENTER, ES_NUMBER...) and WS_VISIBLE.
  bool Create(std::wstring_view text, DWORD style, const RECT& rect, HWND parent, UINT id);

  void SetTextColor(COLORREF color);
  void SetBackColor(COLORREF color);

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnKeyUp(WPARAM, LPARAM);
  LRESULT OnControlColor(WPARAM, LPARAM);

  COLORREF m_textColor = RGB(255, 255, 255);
  COLORREF m_backColor = RGB(0, 0, 0);
  FontHandle m_font;        // owned
  BrushHandle m_backBrush;  // owned; made again only when the colour changes
  COLORREF m_brushColor = 0;
};

}  // namespace perix::win
