#include "controls/PngHSlider.h"

#include <algorithm>

#include "controls/SkinImage.h"
#include "controls/WindowShape.h"
#include "framework/Gdi.h"
#include "skin/ControlMessages.h"

namespace perix::win {
namespace {

constexpr wchar_t kBarClass[] = L"PerixSliderBar";
constexpr wchar_t kThumbClass[] = L"PerixSliderThumb";

}  // namespace

// The thumb.

PERIX_BEGIN_MESSAGE_TABLE(CPngHSlider, CWindowBase)
  OnMessage<&CPngHSlider::OnPaint>(WM_PAINT),
  OnMessage<&CPngHSlider::OnEraseBackground>(WM_ERASEBKGND),
  OnMessage<&CPngHSlider::OnLeftButtonDown>(WM_LBUTTONDOWN),
  OnMessage<&CPngHSlider::OnMouseMove>(WM_MOUSEMOVE),
  OnMessage<&CPngHSlider::OnLeftButtonUp>(WM_LBUTTONUP),
  OnMessage<&CPngHSlider::OnCaptureChanged>(WM_CAPTURECHANGED),
PERIX_END_MESSAGE_TABLE(CPngHSlider, CWindowBase)

bool CPngHSlider::Create(CPngHSliderBar& bar, std::wstring_view imageFile, std::wstring_view disabledImageFile,
                         bool referenceFromBottom) {
  m_bar = &bar;
  ImagePtr image = LoadImageFile(imageFile);
  m_size = ImageSize(image.get());
  RefreshTrack();
  m_left = ThumbLeftForValue(m_track, m_track.minimum, m_size.cx);
  m_position = m_track.minimum;
  const RECT rect{m_left, m_top, m_left + m_size.cx, m_top + m_size.cy};
  const bool created = CreateWindowObject(kThumbClass, 0, 0, L"", WS_CHILD | WS_VISIBLE, rect, bar.Handle(), 0);
  if (created) ApplyImageShape(Handle(), image.get(), referenceFromBottom);
  m_image = SkinBitmap::FromImage(std::move(image));
  m_disabledImage = SkinBitmap::FromImage(LoadImageFile(disabledImageFile));
  return created;
}

void CPngHSlider::RefreshTrack() {
  RECT client{};
  if (m_bar && m_bar->Handle()) GetClientRect(m_bar->Handle(), &client);
  m_track.left = client.left;
  m_track.right = client.right;
  m_top = client.top;
}

void CPngHSlider::SetRange(int minimum, int maximum) {
  m_track.minimum = minimum;
  m_track.maximum = maximum;
}

void CPngHSlider::SetPosition(int value) {
  RefreshTrack();
  m_position = SettledSliderValue(m_track, value);
  PlaceAt(ThumbLeftForValue(m_track, value, m_size.cx));
}

void CPngHSlider::PlaceAt(int left) {
  m_left = left;
  if (!Handle()) return;
  SetWindowPos(Handle(), nullptr, m_left, m_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The filled part of the bar follows the thumb.
  if (m_bar && m_bar->Handle()) InvalidateRect(m_bar->Handle(), nullptr, FALSE);
  Invalidate();
}

void CPngHSlider::SetDragEnabled(bool enabled) {
  m_dragEnabled = enabled;
  if (!enabled && m_dragging) EndDrag();
  Enable(enabled);
  Invalidate();
}

LRESULT CPngHSlider::OnPaint(WPARAM, LPARAM) {
  PaintDc paint(Handle());
  const SkinBitmap& image = !m_dragEnabled && m_disabledImage ? m_disabledImage : m_image;
  image.Draw(paint.Get(), RECT{0, 0, m_size.cx, m_size.cy});
  return 0;
}

LRESULT CPngHSlider::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CPngHSlider::OnLeftButtonDown(WPARAM, LPARAM lParam) {
  if (!m_dragEnabled) return Default();
  POINT screen = PointFromLParam(lParam);
  ClientToScreen(Handle(), &screen);
  m_dragStartX = screen.x;
  m_dragStartLeft = m_left;
  m_dragging = true;
  SetCapture(Handle());
  return 0;
}

LRESULT CPngHSlider::OnMouseMove(WPARAM, LPARAM lParam) {
  if (!m_dragging) return Default();
  POINT screen = PointFromLParam(lParam);
  ClientToScreen(Handle(), &screen);
  RefreshTrack();
  const int left = ClampDraggedThumbLeft(m_track, m_dragStartLeft + (screen.x - m_dragStartX), m_size.cx);
  if (left != m_left) PlaceAt(left);
  return 0;
}

LRESULT CPngHSlider::OnLeftButtonUp(WPARAM, LPARAM) {
  if (!m_dragging) return Default();
  EndDrag();
  return 0;
}

LRESULT CPngHSlider::OnCaptureChanged(WPARAM, LPARAM lParam) {
  // A drag cut short (another window took the mouse) ends where the thumb is,
  // and says so, like a release.
  if (m_dragging && reinterpret_cast<HWND>(lParam) != Handle()) EndDrag();
  return Default();
}

void CPngHSlider::EndDrag() {
  m_dragging = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  RefreshTrack();
  m_position = SliderPositionFromX(m_track, m_left, m_size.cx);
  if (m_bar && m_bar->Handle()) {
    PostMessageW(m_bar->Handle(), kSliderPositionMessage, static_cast<WPARAM>(m_position),
                 static_cast<LPARAM>(m_bar->Id()));
  }
}

// The bar.

PERIX_BEGIN_MESSAGE_TABLE(CPngHSliderBar, CWindowBase)
  OnMessage<&CPngHSliderBar::OnCreate>(WM_CREATE),
  OnMessage<&CPngHSliderBar::OnPaint>(WM_PAINT),
  OnMessage<&CPngHSliderBar::OnEraseBackground>(WM_ERASEBKGND),
  OnMessage<&CPngHSliderBar::OnLeftButton>(WM_LBUTTONDOWN),
  OnMessage<&CPngHSliderBar::OnLeftButton>(WM_LBUTTONUP),
  OnMessage<&CPngHSliderBar::OnEnable>(WM_ENABLE),
  OnMessage<&CPngHSliderBar::OnThumbPosition>(kSliderPositionMessage),
PERIX_END_MESSAGE_TABLE(CPngHSliderBar, CWindowBase)

CPngHSliderBar::~CPngHSliderBar() { DestroyWindow(); }

bool CPngHSliderBar::Create(std::wstring_view thumbImageFile, std::wstring_view disabledThumbImageFile,
                            const RECT& rect, HWND parent, UINT id, bool thumbReferenceFromBottom) {
  m_id = id;
  m_thumbImageFile = std::wstring(thumbImageFile);
  m_disabledThumbImageFile = std::wstring(disabledThumbImageFile);
  m_thumbReferenceFromBottom = thumbReferenceFromBottom;
  return CreateWindowObject(kBarClass, 0, 0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id);
}

LRESULT CPngHSliderBar::OnCreate(WPARAM, LPARAM) {
  m_thumb.Create(*this, m_thumbImageFile, m_disabledThumbImageFile, m_thumbReferenceFromBottom);
  return 0;
}

void CPngHSliderBar::SetBackground(const RECT& rect, Gdiplus::Bitmap* page) { SetBackground(rect, page, nullptr); }

void CPngHSliderBar::SetBackground(const RECT& rect, Gdiplus::Bitmap* page, Gdiplus::Bitmap* filledPage) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  m_background = SkinBitmap::Cut(page, rect.left, rect.top, width, height);
  m_filled = SkinBitmap::Cut(filledPage, rect.left, rect.top, width, height);
  Invalidate();
}

void CPngHSliderBar::SetRange(int minimum, int maximum) { m_thumb.SetRange(minimum, maximum); }

void CPngHSliderBar::SetPos(int value) { m_thumb.SetPosition(value); }

LRESULT CPngHSliderBar::OnPaint(WPARAM, LPARAM) {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  const int filledWidth = std::min<int>(m_thumb.Left() + 1, client.right);
  if (m_background) {
    OffscreenBuffer buffer(paint.Get(), client.right, client.bottom);
    if (buffer.Valid()) {
      m_background.Draw(buffer.Get(), client);
      m_filled.DrawPart(buffer.Get(), 0, 0, 0, 0, filledWidth, client.bottom);
      buffer.Present();
      return 0;
    }
  }
  // Without a background nothing is drawn under the filled part.
  m_background.Draw(paint.Get(), client);
  m_filled.DrawPart(paint.Get(), 0, 0, 0, 0, filledWidth, client.bottom);
  return 0;
}

LRESULT CPngHSliderBar::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CPngHSliderBar::OnLeftButton(WPARAM, LPARAM lParam) {
  const RECT bar = RectInParent();
  const SliderTrack track{bar.left, bar.right, m_thumb.Minimum(), m_thumb.Maximum()};
  // The bar works in its parent's coordinates.
  const int x = PointFromLParam(lParam).x + bar.left;
  const int position = SliderPositionFromX(track, x, 0);
  SetPos(position);
  if (HWND parent = Parent()) {
    PostMessageW(parent, kSliderPositionMessage, static_cast<WPARAM>(position), static_cast<LPARAM>(m_id));
  }
  return Default();
}

LRESULT CPngHSliderBar::OnEnable(WPARAM wParam, LPARAM) {
  m_thumb.SetDragEnabled(wParam != 0);
  Invalidate();
  return 0;
}

LRESULT CPngHSliderBar::OnThumbPosition(WPARAM wParam, LPARAM lParam) {
  if (HWND parent = Parent()) PostMessageW(parent, kSliderPositionMessage, wParam, lParam);
  return 0;
}

}  // namespace perix::win
