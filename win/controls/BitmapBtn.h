#pragma once
// CBitmapBtn: an owner-drawn push button that shows one of four images cut
// from page images (normal, highlighted, pressed, disabled) and a caption in
// the skin font.
//
// A click reaches the parent as WM_COMMAND (BN_CLICKED) with the button's
// handle; the page builders give buttons ID 0 and tell them apart by handle.
// In toggle mode a click flips the check state and the button sends that one
// command itself. Mouse moves over the button go on to the parent as
// WM_MOUSEMOVE with the point in screen coordinates (the popup menus open
// their sub-menus from them). BM_GETCHECK reports the check state.

#include <array>
#include <string>
#include <string_view>

#include "controls/SkinFont.h"
#include "controls/SkinImage.h"
#include "framework/GdiPlus.h"
#include "framework/Window.h"
#include "skin/ButtonLook.h"
#include "skin/CaptionPlacement.h"

namespace perix::win {

class CBitmapBtn : public CWindowBase {
 public:
  CBitmapBtn() = default;

  // `style` may add WS_VISIBLE, WS_DISABLED and the like; the button is always
  // an owner-drawn child without tab stop or border.
  bool Create(std::wstring_view caption, DWORD style, const RECT& rect, HWND parent, UINT id);

  // Cuts the four state images: the rectangle (x, y, width, height) of each
  // page image. A missing page image leaves that look undrawn.
  void SetImages(int x, int y, int width, int height, Gdiplus::Bitmap* normal, Gdiplus::Bitmap* highlighted,
                 Gdiplus::Bitmap* pressed, Gdiplus::Bitmap* disabled);

  void SetCaption(std::wstring_view text, int xOffset = 0, int orientation = 1);
  const std::wstring& Caption() const { return m_caption; }
  // 0 or 1; redraws only when the state changes.
  void SetCheck(int check);
  int GetCheck() const { return m_checked ? 1 : 0; }
  void SetToggleMode(bool toggle) { m_toggleMode = toggle; }
  void SetFontHeight(int height);
  void SetTextBox(const RECT& box, TextBoxLayout layout);
  void SetTextColors(COLORREF normal, COLORREF highlighted, COLORREF pressed);
  bool IsHover() const { return m_hover; }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnDrawItem(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnMouseLeave(WPARAM, LPARAM);
  LRESULT OnCaptureChanged(WPARAM, LPARAM);
  LRESULT OnKillFocus(WPARAM, LPARAM);
  LRESULT OnLeftButtonDown(WPARAM, LPARAM);
  LRESULT OnLeftButtonUp(WPARAM, LPARAM);
  LRESULT OnGetCheck(WPARAM, LPARAM);
  LRESULT OnPrintClient(WPARAM, LPARAM);

  void Redraw(bool now);
  // The look for the state, and the caption over it, over the client area.
  void Draw(HDC dc, bool pushed, bool enabled);
  void DrawCaption(HDC dc, const RECT& client, COLORREF color);
  bool PointerOverSelf() const;

  std::array<SkinBitmap, 4> m_images;  // cut images
  // The image of each look (by ButtonLook): an index into m_images.
  std::array<std::size_t, 4> m_lookImage{0, 1, 2, 3};
  bool m_checked = false;
  bool m_toggleMode = false;
  bool m_hover = false;
  bool m_pressStarted = false;  // the left button went down on this button
  std::wstring m_caption;
  int m_xOffset = 0;
  int m_orientation = 1;
  RECT m_textBox{};
  TextBoxLayout m_textLayout = TextBoxLayout::None;
  int m_fontHeight = 13;
  ButtonTextColors m_colors;
  CachedSkinFont m_font;
};

}  // namespace perix::win
