#include "controls/ListBoxEx.h"
#include "framework/WideText.h"

#include <string>

namespace perix::win {
namespace {

constexpr int kItemHeight = 20;
constexpr int kIconSize = 18;
constexpr int kFontHeight = 16;

bool HasPicture(LPARAM data) { return data != kListNoPicture && data != kListMovementLine; }

}  // namespace

PERIX_BEGIN_MESSAGE_TABLE(CListBoxEx, CWindowBase)
  OnReflected<&CListBoxEx::OnDrawItem>(WM_DRAWITEM),
  OnReflected<&CListBoxEx::OnMeasureItem>(WM_MEASUREITEM),
  OnReflected<&CListBoxEx::OnControlColor>(WM_CTLCOLORLISTBOX),
  OnMessage<&CListBoxEx::OnLeftButtonDown>(WM_LBUTTONDOWN),
  OnMessage<&CListBoxEx::OnLeftDoubleClick>(WM_LBUTTONDBLCLK),
  OnMessage<&CListBoxEx::OnRightButtonUp>(WM_RBUTTONUP),
  OnMessage<&CListBoxEx::OnMiddleButton>(WM_MBUTTONDOWN),
  OnMessage<&CListBoxEx::OnMiddleButton>(WM_MBUTTONUP),
  OnMessage<&CListBoxEx::OnMouseMove>(WM_MOUSEMOVE),
  OnMessage<&CListBoxEx::OnMouseLeave>(WM_MOUSELEAVE),
  OnMessage<&CListBoxEx::OnKey>(WM_KEYDOWN),
  OnMessage<&CListBoxEx::OnKey>(WM_KEYUP),
  OnMessage<&CListBoxEx::OnKey>(WM_CHAR),
PERIX_END_MESSAGE_TABLE(CListBoxEx, CWindowBase)

bool CListBoxEx::Create(const RECT& rect, HWND parent, UINT id) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY |
                      LBS_NOINTEGRALHEIGHT;
  return CreateControl(L"LISTBOX", L"", style, 0, rect, parent, id);
}

int CListBoxEx::AddLine(std::wstring_view text, LPARAM data) {
  if (!Handle()) return -1;
  const std::wstring line(text);
  const auto index = static_cast<int>(SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str())));
  if (index >= 0) SendMessageW(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), data);
  return index >= 0 ? index : -1;
}

int CListBoxEx::InsertLine(int index, std::wstring_view text, LPARAM data) {
  if (!Handle()) return -1;
  const std::wstring line(text);
  const auto at = static_cast<int>(
      SendMessageW(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line.c_str())));
  if (at >= 0) SendMessageW(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(at), data);
  return at >= 0 ? at : -1;
}

void CListBoxEx::Clear() {
  if (Handle()) SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  m_hovered = -1;
}

void CListBoxEx::SetLines(const std::vector<ActionLine>& lines) {
  if (!Handle()) return;
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  Clear();
  for (const ActionLine& line : lines) AddLine(Wide(line.text), line.marker);
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  Invalidate(true);
}

void CListBoxEx::Select(int index) {
  if (Handle()) SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int CListBoxEx::Selected() const {
  return Handle() ? static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)) : -1;
}

int CListBoxEx::Count() const {
  return Handle() ? static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)) : 0;
}

void CListBoxEx::SetTextColors(COLORREF text, COLORREF selectedText) {
  m_textColor = text;
  m_selectedTextColor = selectedText;
  Invalidate();
}

void CListBoxEx::SetHighlight(COLORREF highlight, COLORREF background) {
  m_highlightColor = highlight;
  m_backColor = background;
  m_backBrush.reset(CreateSolidBrush(background));
  Invalidate(true);
}

int CListBoxEx::LineAt(LPARAM pointLParam) const {
  const POINT p = PointFromLParam(pointLParam);
  const LRESULT hit =
      SendMessageW(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
  // The high word is set when the point lies beyond the last line.
  if (HIWORD(hit) != 0) return -1;
  const int index = LOWORD(hit);
  return index < Count() ? index : -1;
}

LPARAM CListBoxEx::DataOf(int index) const {
  return SendMessageW(Handle(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void CListBoxEx::Notify(UINT message, int index) {
  if (m_owner) {
    const LPARAM data = DataOf(index);
    if (data != -1) PostMessageW(m_owner, message, static_cast<WPARAM>(index), data);
  } else if (HWND parent = Parent()) {
    PostMessageW(parent, message, static_cast<WPARAM>(index), 0);
  }
}

void CListBoxEx::RedrawLine(int index) {
  if (index < 0 || index >= Count()) return;
  RECT r{};
  if (SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR) {
    InvalidateRect(Handle(), &r, FALSE);
  }
}

LRESULT CListBoxEx::OnLeftButtonDown(WPARAM, LPARAM lParam) {
  if (m_locked) return 0;
  const LRESULT result = Default();
  const int index = LineAt(lParam);
  if (index >= 0) {
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(kListLeftPressMessage, index);
  }
  return result;
}

LRESULT CListBoxEx::OnLeftDoubleClick(WPARAM, LPARAM lParam) {
  if (m_locked) return 0;
  const LRESULT result = Default();
  const int index = LineAt(lParam);
  if (index < 0) return result;
  SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  const LPARAM data = DataOf(index);
  HWND parent = Parent();
  if (!parent || data == kListReleaseArrow || data == kListPressArrow) return result;
  PostMessageW(parent, data == kListMovementLine ? kListMovementDoubleClickMessage : kListPauseDoubleClickMessage,
               static_cast<WPARAM>(index), 0);
  return result;
}

LRESULT CListBoxEx::OnRightButtonUp(WPARAM, LPARAM lParam) {
  if (m_rightNotifyOff || m_locked) return Default();
  const int index = LineAt(lParam);
  if (index >= 0) {
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(kListRightReleaseMessage, index);
  }
  return Default();
}

LRESULT CListBoxEx::OnMiddleButton(WPARAM, LPARAM) { return m_locked ? 0 : Default(); }

LRESULT CListBoxEx::OnMouseMove(WPARAM, LPARAM lParam) {
  if (!m_tracking) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    m_tracking = TrackMouseEvent(&track) != FALSE;
  }
  const int index = LineAt(lParam);
  if (index != m_hovered) {
    const int old = m_hovered;
    m_hovered = index;
    RedrawLine(old);
    RedrawLine(index);
  }
  return Default();
}

LRESULT CListBoxEx::OnMouseLeave(WPARAM, LPARAM) {
  m_tracking = false;
  const int old = m_hovered;
  m_hovered = -1;
  RedrawLine(old);
  return Default();
}

LRESULT CListBoxEx::OnKey(WPARAM, LPARAM) { return 0; }

LRESULT CListBoxEx::OnMeasureItem(WPARAM, LPARAM lParam) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (mis) mis->itemHeight = kItemHeight;
  return TRUE;
}

LRESULT CListBoxEx::OnControlColor(WPARAM, LPARAM) {
  if (!IsEnabled()) {
    if (!m_disabledBrush) m_disabledBrush.reset(CreateSolidBrush(GetSysColor(COLOR_INACTIVEBORDER)));
    return reinterpret_cast<LRESULT>(m_disabledBrush.get());
  }
  if (!m_backBrush) m_backBrush.reset(CreateSolidBrush(m_backColor));
  return reinterpret_cast<LRESULT>(m_backBrush.get());
}

HBITMAP CListBoxEx::Picture(LPARAM data) {
  std::size_t slot;
  if (data == kListReleaseArrow) {
    slot = 0;
  } else if (data == kListPressArrow) {
    slot = 1;
  } else {
    return nullptr;  // only the two arrows are pictures of the program
  }
  if (!m_pictures[slot]) {
    m_pictures[slot].reset(static_cast<HBITMAP>(
        LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(static_cast<WORD>(data)), IMAGE_BITMAP, 0, 0, 0)));
  }
  return m_pictures[slot].get();
}

LRESULT CListBoxEx::OnDrawItem(WPARAM, LPARAM lParam) {
  const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (!dis || !dis->hDC || dis->itemID == static_cast<UINT>(-1)) return TRUE;
  HDC dc = dis->hDC;
  const auto index = static_cast<int>(dis->itemID);
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;

  const bool highlighted = m_selectionHighlight ? selected : index == m_hovered;
  if (!m_backBrush) m_backBrush.reset(CreateSolidBrush(m_backColor));
  BrushHandle highlight(CreateSolidBrush(m_highlightColor));
  FillRect(dc, &dis->rcItem, highlighted ? highlight.get() : m_backBrush.get());

  COLORREF color = m_textColor;
  if ((dis->itemState & ODS_DISABLED) != 0) {
    color = GetSysColor(COLOR_BTNSHADOW);
  } else if (selected && (dis->itemState & ODS_FOCUS) != 0) {
    color = m_selectedTextColor;
  }

  RECT text = dis->rcItem;
  const LPARAM data = static_cast<LPARAM>(dis->itemData);
  if (HasPicture(data)) {
    if (HBITMAP picture = Picture(data)) {
      MemoryDc source(dc);
      if (source.Get()) {
        ScopedSelectObject select(source.Get(), picture);
        BITMAP info{};
        GetObjectW(picture, sizeof info, &info);
        StretchBlt(dc, dis->rcItem.left + 5, dis->rcItem.top, kIconSize, kIconSize, source.Get(), 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
      }
    }
    text.left += kIconSize + (m_noIndent ? 0 : 16);
  } else {
    text.left += m_noIndent ? 0 : 8;
  }

  const auto length = static_cast<int>(SendMessageW(Handle(), LB_GETTEXTLEN, dis->itemID, 0));
  if (length <= 0) return TRUE;
  std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(Handle(), LB_GETTEXT, dis->itemID, reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<std::size_t>(length));

  SkinFontRequest request;
  request.height = kFontHeight;
  ScopedSelectObject font(dc, m_font.Get(request));
  const int savedMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF savedColor = SetTextColor(dc, color);
  DrawTextW(dc, line.c_str(), length, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetTextColor(dc, savedColor);
  SetBkMode(dc, savedMode);
  return TRUE;
}

}  // namespace perix::win
