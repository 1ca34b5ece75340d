#pragma once
// CVantorMacroDisplay: a white strip that shows a key sequence. Characters
// are laid out one by one from x = 2 and wrap onto a new row at the right
// edge; "^" is drawn as the program's bitmap 138 (a join) and "|" as bitmap
// 137 (a separator), anything else as black text in the variable-pitch
// system font. With the highlight flag the occupied part of each of the first
// six rows is filled green behind the keys.
//
// CVantorCustomControl is the plain child window it is built on.

#include <string>
#include <string_view>

#include "framework/Gdi.h"
#include "framework/Window.h"

namespace perix::win {

class CVantorCustomControl : public CWindowBase {
 public:
  bool Create(const RECT& rect, HWND parent, UINT id, DWORD style = WS_VISIBLE);
};

class CVantorMacroDisplay : public CVantorCustomControl {
 public:
  CVantorMacroDisplay();
  ~CVantorMacroDisplay() override;

  // Both repaint at once. The text is also the window's text, so tools
  // outside the program can read what the display shows.
  void SetDisplayText(std::wstring_view text);
  void SetHighlight(bool on);
  const std::wstring& DisplayText() const { return m_text; }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);

  void Draw(HDC dc, const RECT& client);

  std::wstring m_text;
  bool m_highlight = false;
  BitmapHandle m_join;       // owned; resource 138, null when the program has none
  BitmapHandle m_separator;  // owned; resource 137
};

}  // namespace perix::win
