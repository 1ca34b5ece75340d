#include "controls/BitmapBtn.h"

#include "controls/SkinImage.h"
#include "framework/Gdi.h"

namespace perix::win {
namespace {

UINT DrawTextFlags(TextBoxLayout layout) {
  const UINT common = DT_VCENTER | DT_NOCLIP | DT_END_ELLIPSIS;
  switch (layout) {
    case TextBoxLayout::LeftWrapped: return DT_LEFT | DT_WORDBREAK | common;
    case TextBoxLayout::CentredWrapped: return DT_CENTER | DT_WORDBREAK | common;
    case TextBoxLayout::CentredSingleLine: return DT_CENTER | DT_SINGLELINE | common;
    case TextBoxLayout::None: break;
  }
  return common;
}

}  // namespace

PERIX_BEGIN_MESSAGE_TABLE(CBitmapBtn, CWindowBase)
  OnReflected<&CBitmapBtn::OnDrawItem>(WM_DRAWITEM),
  OnMessage<&CBitmapBtn::OnEraseBackground>(WM_ERASEBKGND),
  OnMessage<&CBitmapBtn::OnMouseMove>(WM_MOUSEMOVE),
  OnMessage<&CBitmapBtn::OnMouseLeave>(WM_MOUSELEAVE),
  OnMessage<&CBitmapBtn::OnCaptureChanged>(WM_CAPTURECHANGED),
  OnMessage<&CBitmapBtn::OnKillFocus>(WM_KILLFOCUS),
  OnMessage<&CBitmapBtn::OnLeftButtonDown>(WM_LBUTTONDOWN),
  OnMessage<&CBitmapBtn::OnLeftButtonDown>(WM_LBUTTONDBLCLK),
  OnMessage<&CBitmapBtn::OnLeftButtonUp>(WM_LBUTTONUP),
  OnMessage<&CBitmapBtn::OnGetCheck>(BM_GETCHECK),
  OnMessage<&CBitmapBtn::OnPrintClient>(WM_PRINTCLIENT),
PERIX_END_MESSAGE_TABLE(CBitmapBtn, CWindowBase)

bool CBitmapBtn::Create(std::wstring_view caption, DWORD style, const RECT& rect, HWND parent, UINT id) {
  const DWORD buttonStyle =
      ((style & ~static_cast<DWORD>(BS_TYPEMASK | WS_TABSTOP | WS_BORDER | WS_POPUP)) | WS_CHILD | BS_OWNERDRAW);
  m_caption = std::wstring(caption);
  return CreateControl(L"BUTTON", caption, buttonStyle, 0, rect, parent, id);
}

void CBitmapBtn::SetImages(int x, int y, int width, int height, Gdiplus::Bitmap* normal, Gdiplus::Bitmap* highlighted,
                           Gdiplus::Bitmap* pressed, Gdiplus::Bitmap* disabled) {
  std::array<Gdiplus::Bitmap*, 4> pages{};
  pages[static_cast<std::size_t>(ButtonLook::Normal)] = normal;
  pages[static_cast<std::size_t>(ButtonLook::Highlighted)] = highlighted;
  pages[static_cast<std::size_t>(ButtonLook::Pressed)] = pressed;
  pages[static_cast<std::size_t>(ButtonLook::Disabled)] = disabled;
  // Looks cut from the same page image are the same pixels: cut them once.
  for (std::size_t look = 0; look < pages.size(); ++look) {
    m_lookImage[look] = look;
    m_images[look] = SkinBitmap();
    for (std::size_t earlier = 0; earlier < look; ++earlier) {
      if (pages[earlier] == pages[look]) {
        m_lookImage[look] = m_lookImage[earlier];
        break;
      }
    }
    if (m_lookImage[look] == look) m_images[look] = SkinBitmap::Cut(pages[look], x, y, width, height);
  }
  Redraw(false);
}

void CBitmapBtn::SetCaption(std::wstring_view text, int xOffset, int orientation) {
  m_caption = std::wstring(text);
  m_xOffset = xOffset;
  m_orientation = orientation;
  SetText(text);
  Redraw(false);
}

void CBitmapBtn::SetCheck(int check) {
  const bool checked = check != 0;
  if (checked == m_checked) return;
  m_checked = checked;
  Redraw(false);
}

void CBitmapBtn::SetFontHeight(int height) {
  m_fontHeight = height;
  Redraw(false);
}

void CBitmapBtn::SetTextBox(const RECT& box, TextBoxLayout layout) {
  m_textBox = box;
  m_textLayout = layout;
  Redraw(false);
}

void CBitmapBtn::SetTextColors(COLORREF normal, COLORREF highlighted, COLORREF pressed) {
  m_colors.normal = normal;
  m_colors.highlighted = highlighted;
  m_colors.pressed = pressed;
  Redraw(false);
}

void CBitmapBtn::Redraw(bool now) {
  if (!Handle()) return;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | (now ? RDW_UPDATENOW : 0));
}

bool CBitmapBtn::PointerOverSelf() const {
  POINT p{};
  return GetCursorPos(&p) && WindowFromPoint(p) == Handle();
}

LRESULT CBitmapBtn::OnDrawItem(WPARAM, LPARAM lParam) {
  const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (!dis || !dis->hDC) return TRUE;
  Draw(dis->hDC, (dis->itemState & ODS_SELECTED) != 0, (dis->itemState & ODS_DISABLED) == 0);
  return TRUE;
}

LRESULT CBitmapBtn::OnPrintClient(WPARAM wParam, LPARAM) {
  // Drawn here rather than by the platform's button, which would ask for the
  // same drawing (WM_DRAWITEM) after theme and colour queries of its own:
  // the same state, clipped to the client area as it clips.
  HDC dc = reinterpret_cast<HDC>(wParam);
  if (!dc) return 0;
  RECT client{};
  GetClientRect(Handle(), &client);
  RegionHandle previous(CreateRectRgn(0, 0, 0, 0));
  const bool hadClip = previous && GetClipRgn(dc, previous.get()) == 1;
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  const auto state = static_cast<UINT>(SendMessageW(Handle(), BM_GETSTATE, 0, 0));
  Draw(dc, (state & BST_PUSHED) != 0, IsWindowEnabled(Handle()) != FALSE);
  SelectClipRgn(dc, hadClip ? previous.get() : nullptr);
  return 0;
}

void CBitmapBtn::Draw(HDC dc, bool pushed, bool enabled) {
  ButtonLookState state;
  state.toggleMode = m_toggleMode;
  state.checked = m_checked;
  state.pushed = pushed;
  state.hover = m_hover;
  state.enabled = enabled;
  const ButtonLook look = ChooseButtonLook(state);
  RECT client{};
  GetClientRect(Handle(), &client);
  m_images[m_lookImage[static_cast<std::size_t>(look)]].Draw(dc, client);
  DrawCaption(dc, client, TextColorFor(look, m_colors));
}

void CBitmapBtn::DrawCaption(HDC dc, const RECT& client, COLORREF color) {
  if (m_caption.empty()) return;
  const int savedMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF savedColor = SetTextColor(dc, color);
  SkinFontRequest request;
  request.height = m_fontHeight;
  request.weight = 300;
  request.escapement = CaptionEscapement(m_orientation);
  request.pitchAndFamily = 32;
  {
    ScopedSelectObject font(dc, m_font.Get(request));
    const int length = static_cast<int>(m_caption.size());
    if (m_textLayout != TextBoxLayout::None) {
      RECT box = m_textBox;
      DrawTextW(dc, m_caption.c_str(), length, &box, DrawTextFlags(m_textLayout));
    } else {
      SIZE extent{};
      GetTextExtentPoint32W(dc, m_caption.c_str(), length, &extent);
      const Point origin = CaptionOrigin({extent.cx, extent.cy}, {client.right - client.left, client.bottom - client.top},
                                              m_xOffset, m_orientation);
      TextOutW(dc, origin.x, origin.y, m_caption.c_str(), length);
    }
  }
  SetTextColor(dc, savedColor);
  SetBkMode(dc, savedMode);
}

LRESULT CBitmapBtn::OnGetCheck(WPARAM, LPARAM) {
  // An owner-drawn button has no check state of its own to report; ours
  // lets accessibility tools and the end-to-end tests read the check mark.
  return m_checked ? BST_CHECKED : BST_UNCHECKED;
}

LRESULT CBitmapBtn::OnEraseBackground(WPARAM, LPARAM) {
  // The image covers the button; erasing first would only flicker.
  return 1;
}

LRESULT CBitmapBtn::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  HWND self = Handle();
  POINT screen = PointFromLParam(lParam);
  ClientToScreen(self, &screen);
  ButtonMoveInput in;
  in.leftHeld = (wParam & MK_LBUTTON) != 0;
  in.hover = m_hover;
  in.hasCapture = GetCapture() == self;
  in.pointerOverSelf = WindowFromPoint(screen) == self;
  in.appActive = GetActiveWindow() != nullptr;
  HWND parent = Parent();
  in.hasParent = parent != nullptr;
  const ButtonMoveActions act = DecideButtonMouseMove(in);
  if (act.setHover) m_hover = true;
  if (act.clearHover) m_hover = false;
  if (act.capture) SetCapture(self);
  if (act.redraw) Redraw(false);
  if (act.release && GetCapture() == self) ReleaseCapture();
  if (act.forward) {
    SendMessageW(parent, WM_MOUSEMOVE, wParam,
                 MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    if (!Handle()) return 0;
  }
  return Default();
}

LRESULT CBitmapBtn::OnCaptureChanged(WPARAM, LPARAM lParam) {
  if (m_hover && reinterpret_cast<HWND>(lParam) != Handle()) {
    // Without the capture no move tells the button that the pointer left, so
    // ask for a leave notice instead, or drop the highlight at once.
    if (PointerOverSelf()) {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
      TrackMouseEvent(&track);
    } else {
      m_hover = false;
    }
    Redraw(false);
  }
  return Default();
}

LRESULT CBitmapBtn::OnMouseLeave(WPARAM, LPARAM) {
  if (m_hover && GetCapture() != Handle()) {
    m_hover = false;
    Redraw(false);
  }
  return Default();
}

LRESULT CBitmapBtn::OnKillFocus(WPARAM, LPARAM) {
  m_hover = false;
  Redraw(false);
  return Default();
}

LRESULT CBitmapBtn::OnLeftButtonDown(WPARAM, LPARAM) {
  m_pressStarted = true;
  return Default();
}

LRESULT CBitmapBtn::OnLeftButtonUp(WPARAM, LPARAM lParam) {
  const bool pressedHere = m_pressStarted;
  m_pressStarted = false;
  if (!m_toggleMode) return Default();

  // The platform's button never sees this release: end its press through
  // the capture, which it watches.
  HWND self = Handle();
  if (GetCapture() == self) ReleaseCapture();
  RECT client{};
  GetClientRect(self, &client);
  const POINT at = PointFromLParam(lParam);
  // A click is a press and a release on the button, as for any button.
  if (!pressedHere || !PtInRect(&client, at)) return 0;
  m_checked = !m_checked;
  Redraw(true);
  SendMessageW(Parent(), WM_COMMAND, MAKEWPARAM(ControlId(), BN_CLICKED), reinterpret_cast<LPARAM>(self));
  return 0;
}

}  // namespace perix::win
