#pragma once
// CListBoxEx: the owner-drawn list of the macro page's actions (and of the
// macro names). Lines are 20 pixels high; a line whose item data is a bitmap
// resource of the program (148 release arrow, 149 press arrow) shows that
// picture before its text; 0 and 160 mean no picture.
//
// Notifications, posted (wParam = line index):
//   0x3400 right button released, 0x3402 left button pressed: to the owner
//     window with lParam = the line's item data (nothing when that is -1),
//     or, without an owner, to the parent with lParam 0;
//   0x3403 / 0x3404 double-click on a pause line (any data but 148, 149 and
//     160) / on a movement line (data 160): to the parent, lParam 0. Key and
//     button lines report no double-click.
// Keys are swallowed: the list has no keyboard navigation.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "macros/MacroListing.h"

#include "controls/SkinFont.h"
#include "framework/Gdi.h"
#include "framework/Window.h"

namespace perix::win {

inline constexpr UINT kListRightReleaseMessage = 0x3400;
inline constexpr UINT kListLeftPressMessage = 0x3402;
inline constexpr UINT kListPauseDoubleClickMessage = 0x3403;
inline constexpr UINT kListMovementDoubleClickMessage = 0x3404;

inline constexpr LPARAM kListNoPicture = 0;
inline constexpr LPARAM kListMovementLine = 160;
inline constexpr LPARAM kListReleaseArrow = 148;
inline constexpr LPARAM kListPressArrow = 149;

class CListBoxEx : public CWindowBase {
 public:
  // A visible owner-drawn list with a vertical scroll bar.
  bool Create(const RECT& rect, HWND parent, UINT id);

  // Appends a line; its data is set only when the append worked. Returns the
  // index, or -1.
  int AddLine(std::wstring_view text, LPARAM data);
  int InsertLine(int index, std::wstring_view text, LPARAM data);
  void Clear();
  int Count() const;
  // Replaces every line at once (one repaint), each with its marker as data.
  void SetLines(const std::vector<ActionLine>& lines);
  // Selects a line and scrolls it into view; -1 selects none.
  void Select(int index);
  int Selected() const;

  void SetTextColors(COLORREF text, COLORREF selectedText);
  // The fill of the highlighted line and of everything else; repaints.
  void SetHighlight(COLORREF highlight, COLORREF background);
  void SetSelectionHighlight(bool on) { m_selectionHighlight = on; }
  void SetNoIndent(bool on) { m_noIndent = on; }
  void SetRightButtonNotification(bool on) { m_rightNotifyOff = !on; }
  void SetLocked(bool locked) { m_locked = locked; }
  void SetOwner(HWND owner) { m_owner = owner; }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnDrawItem(WPARAM, LPARAM);
  LRESULT OnMeasureItem(WPARAM, LPARAM);
  LRESULT OnControlColor(WPARAM, LPARAM);
  LRESULT OnLeftButtonDown(WPARAM, LPARAM);
  LRESULT OnLeftDoubleClick(WPARAM, LPARAM);
  LRESULT OnRightButtonUp(WPARAM, LPARAM);
  LRESULT OnMiddleButton(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnMouseLeave(WPARAM, LPARAM);
  LRESULT OnKey(WPARAM, LPARAM);

  int LineAt(LPARAM pointLParam) const;
  LPARAM DataOf(int index) const;
  void Notify(UINT message, int index);
  void RedrawLine(int index);
  HBITMAP Picture(LPARAM data);

  COLORREF m_textColor = RGB(255, 255, 255);
  COLORREF m_selectedTextColor = RGB(255, 255, 255);
  COLORREF m_highlightColor = RGB(0x96, 0x32, 0xFF);
  COLORREF m_backColor = RGB(0, 0, 0);
  BrushHandle m_backBrush;       // owned
  BrushHandle m_disabledBrush;   // owned
  CachedSkinFont m_font;
  bool m_selectionHighlight = false;
  bool m_noIndent = false;
  bool m_rightNotifyOff = true;
  bool m_locked = false;
  bool m_tracking = false;
  HWND m_owner = nullptr;  // not owned
  int m_hovered = -1;
  std::array<BitmapHandle, 2> m_pictures;  // owned: 148 and 149, loaded on first use
};

}  // namespace perix::win
