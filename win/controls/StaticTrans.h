#pragma once
// CStaticTrans: a static text in the skin font. With the background colour
// -1 (the default) it is transparent: the parent's image shows around the
// letters. Changing the text repaints the parent under the control first, so
// the old letters go.
//
// The parent must not clip its children (WS_CLIPCHILDREN), or it could never
// repaint what lies under a transparent text.

#include <string_view>

#include "controls/SkinFont.h"
#include "framework/Window.h"

namespace perix::win {

inline constexpr UINT kStaticTransDefaultId = 0xFFFF;

class CStaticTrans : public CWindowBase {
 public:
  // `style` adds the static styles (SS_CENTER, SS_RIGHT...) and WS_VISIBLE.
  bool Create(std::wstring_view text, DWORD style, const RECT& rect, HWND parent, UINT id = kStaticTransDefaultId);

  // Sets the text; any way of setting it repaints the parent under the
  // control first.
  void SetCaption(std::wstring_view text);
  void SetTextColor(COLORREF color);
  // -1 for a transparent background.
  void SetBackColor(long long color);
  void SetFontHeight(int height);
  void SetFontWeight(int weight);
  void SetItalic(bool italic);

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnControlColor(WPARAM, LPARAM);
  LRESULT OnSetText(WPARAM, LPARAM);

  SkinFontRequest FontRequest() const;
  void ApplyFont();

  COLORREF m_textColor = RGB(255, 255, 255);
  long long m_backColor = -1;
  int m_fontHeight = 13;
  int m_fontWeight = FW_NORMAL;
  bool m_italic = false;
  CachedSkinFont m_font;
  BrushHandle m_backBrush;  // owned; made again only when the colour changes
  COLORREF m_brushColor = 0;
};

}  // namespace perix::win
