#include "controls/OwnColorSelect.h"

#include <string>

#include "controls/SkinImage.h"
#include "skin/ControlMessages.h"
#include "skin/Layout.h"
#include "framework/WideText.h"

namespace perix::win {
namespace {

constexpr wchar_t kClassName[] = L"PerixColourSelect";
constexpr COLORREF kBackground = RGB(0x16, 0x16, 0x16);

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }


std::u16string Narrow16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

// A colour (0x00BBGGRR) as a pixel of a 32-bit DIB (0x00RRGGBB).
std::uint32_t DibPixel(std::uint32_t colour) {
  return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

}  // namespace

PERIX_BEGIN_MESSAGE_TABLE(COwnColorSelect, CWindowBase)
  OnMessage<&COwnColorSelect::OnPaint>(WM_PAINT),
  OnMessage<&COwnColorSelect::OnEraseBackground>(WM_ERASEBKGND),
  OnMessage<&COwnColorSelect::OnLeftButtonDown>(WM_LBUTTONDOWN),
  OnMessage<&COwnColorSelect::OnLeftButtonDown>(WM_LBUTTONDBLCLK),
  OnMessage<&COwnColorSelect::OnMouseMove>(WM_MOUSEMOVE),
  OnMessage<&COwnColorSelect::OnLeftButtonUp>(WM_LBUTTONUP),
  OnMessage<&COwnColorSelect::OnCaptureChanged>(WM_CAPTURECHANGED),
  OnMessage<&COwnColorSelect::OnChildCommand>(WM_COMMAND),
  OnMessage<&COwnColorSelect::OnBoxKeyUp>(kEditKeyUpMessage),
PERIX_END_MESSAGE_TABLE(COwnColorSelect, CWindowBase)

COwnColorSelect::~COwnColorSelect() {
  // The boxes and buttons go while this object is still whole.
  DestroyWindow();
}

bool COwnColorSelect::Create(const RECT& rect, HWND parent, UINT id) {
  m_id = id;
  m_hueBar = SkinBitmap::FromImage(LoadSkinImage(Wide(kHueBarImage)));
  m_leftMark = SkinBitmap::FromImage(LoadSkinImage(Wide(kHueMarkLeftImage)));
  m_rightMark =
      SkinBitmap::FromImage(LoadSkinImage(Wide(kHueMarkRightImage)));
  if (!CreateWindowObject(kClassName, 0, 0, L"", WS_CHILD | WS_VISIBLE, rect, parent, id)) return false;

  for (std::size_t i = 0; i < m_boxes.size(); ++i) {
    const ControlLayout& layout = ColorPickerControls()[i];
    DWORD style = WS_VISIBLE | ES_AUTOHSCROLL;
    if (layout.Has(ControlFlag::DigitsOnly)) style |= ES_NUMBER;
    if (layout.Has(ControlFlag::ReadOnly)) style |= WS_DISABLED;
    if (!m_boxes[i].Create(L"", style, ToRect(layout.rect), Handle(), static_cast<UINT>(layout.controlId))) return false;
    SendMessageW(m_boxes[i].Handle(), EM_LIMITTEXT, static_cast<WPARAM>(layout.maxChars), 0);
  }
  for (std::size_t i = 0; i < m_steps.size(); ++i) {
    const ControlLayout& layout = ColorPickerControls()[m_boxes.size() + i];
    if (!m_steps[i].Create(L"", WS_VISIBLE, ToRect(layout.rect), Handle(), 0)) return false;
  }
  FillBoxes();
  return true;
}

void COwnColorSelect::SetColour(std::uint32_t colour) {
  m_picker.SetColour(colour);
  FillBoxes();
  Redraw();
}

void COwnColorSelect::FillBoxes() {
  const auto channels = m_picker.ChannelTexts();
  for (int c = 0; c < kChannelCount; ++c) m_boxes[static_cast<std::size_t>(c)].SetText(Wide(channels[static_cast<std::size_t>(c)]));
  m_boxes[3].SetText(Wide(m_picker.Hex()));
}

void COwnColorSelect::Redraw() {
  if (!Handle()) return;
  // Only what the control paints itself; the boxes keep their own pixels.
  RECT client{};
  GetClientRect(Handle(), &client);
  RECT painted{0, 0, client.right, client.bottom - kColorPickerUnpaintedRows};
  InvalidateRect(Handle(), &painted, FALSE);
  RECT swatch = ToRect(kColorPickerSwatch);
  InvalidateRect(Handle(), &swatch, FALSE);
}

void COwnColorSelect::Apply(const PickerReaction& reaction) {
  HWND self = Handle();
  if (reaction.takeFocus) SetFocus(self);
  if (reaction.refillBoxes) {
    FillBoxes();
  } else if (reaction.refillHex) {
    m_boxes[3].SetText(Wide(m_picker.Hex()));
  }
  if (reaction.redraw) Redraw();
  if (reaction.capture) SetCapture(self);
  if (reaction.release && GetCapture() == self) ReleaseCapture();
  if (reaction.post) {
    if (HWND parent = Parent()) PostMessageW(parent, kColourChosenMessage, m_picker.Colour(), 0);
  }
}

LRESULT COwnColorSelect::OnLeftButtonDown(WPARAM, LPARAM lParam) {
  const POINT p = PointFromLParam(lParam);
  Apply(m_picker.OnPress({p.x, p.y}));
  return 0;
}

LRESULT COwnColorSelect::OnMouseMove(WPARAM, LPARAM lParam) {
  const POINT p = PointFromLParam(lParam);
  Apply(m_picker.OnMove({p.x, p.y}));
  return 0;
}

LRESULT COwnColorSelect::OnLeftButtonUp(WPARAM, LPARAM) {
  Apply(m_picker.OnRelease());
  return 0;
}

LRESULT COwnColorSelect::OnCaptureChanged(WPARAM, LPARAM lParam) {
  // The capture taken away in the middle of a drag (another window came to
  // the front) ends the drag as a release would, so no drag is left hanging.
  if (reinterpret_cast<HWND>(lParam) != Handle()) Apply(m_picker.OnRelease());
  return 0;
}

LRESULT COwnColorSelect::OnChildCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED) return Default();
  const HWND from = reinterpret_cast<HWND>(lParam);
  for (std::size_t i = 0; i < m_steps.size(); ++i) {
    if (from != nullptr && m_steps[i].Handle() == from) {
      Apply(m_picker.OnStep(static_cast<Channel>(i / 2), i % 2 == 0));
      return 0;
    }
  }
  return Default();
}

LRESULT COwnColorSelect::OnBoxKeyUp(WPARAM, LPARAM lParam) {
  const auto id = static_cast<int>(lParam);
  const int redId = LayoutOf(ColorPickerControl::RedBox).controlId;
  if (id < redId || id >= redId + kChannelCount) return 0;
  std::array<std::u16string, kChannelCount> texts;
  for (std::size_t c = 0; c < texts.size(); ++c) texts[c] = Narrow16(m_boxes[c].Text());
  std::array<bool, kChannelCount> rewritten{};
  const PickerReaction reaction = m_picker.OnBoxEdited(texts, rewritten);
  for (std::size_t c = 0; c < texts.size(); ++c) {
    if (rewritten[c]) m_boxes[c].SetText(Wide(texts[c]));
  }
  Apply(reaction);
  return 0;
}

LRESULT COwnColorSelect::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT COwnColorSelect::OnPaint(WPARAM, LPARAM) {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  OffscreenBuffer buffer(paint.Get(), client.right, client.bottom);
  if (!buffer.Valid()) return 0;
  Draw(buffer.Get(), client);
  // The boxes draw themselves; copying over them would wipe their text until
  // they next repaint.
  for (CClrEdit& box : m_boxes) {
    if (!box.IsVisible()) continue;
    const RECT r = box.RectInParent();
    ExcludeClipRect(paint.Get(), r.left, r.top, r.right, r.bottom);
  }
  buffer.Present();
  return 0;
}

void COwnColorSelect::DrawParentBackground(HDC dc) {
  HWND parent = Parent();
  if (!parent) return;
  const RECT inParent = RectInParent();
  POINT previous{};
  SetViewportOrgEx(dc, -inParent.left, -inParent.top, &previous);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void COwnColorSelect::DrawSquare(HDC dc) {
  const std::uint32_t hue = m_picker.State().hueColour;
  if (!m_square || m_squareHue != hue) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSquareWidth;
    info.bmiHeader.biHeight = -kSquareRows;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_square.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_square || !bits) {
      m_square.reset();
      return;
    }
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int row = 0; row < kSquareRows; ++row) {
      for (int x = 0; x < kSquareWidth; ++x) pixels[row * kSquareWidth + x] = DibPixel(SquareColour(hue, x, row));
    }
    m_squareHue = hue;
  }
  MemoryDc source(dc);
  if (!source.Get()) return;
  ScopedSelectObject select(source.Get(), m_square.get());
  BitBlt(dc, 0, 1, kSquareWidth, kSquareRows, source.Get(), 0, 0, SRCCOPY);
}

void COwnColorSelect::Draw(HDC dc, const RECT& client) {
  const ColourPickerState& state = m_picker.State();
  DrawParentBackground(dc);

  const RECT top{0, 0, client.right, client.bottom - kColorPickerUnpaintedRows};
  BrushHandle background(CreateSolidBrush(kBackground));
  FillRect(dc, &top, background.get());

  m_hueBar.Draw(dc, ToRect(kColorPickerHueBar));
  const int markTop = state.huePosition - 2;
  m_leftMark.Draw(dc, ToRect(kColorPickerLeftMark.Offset(0, markTop)));
  m_rightMark.Draw(dc, ToRect(kColorPickerRightMark.Offset(0, markTop)));

  DrawSquare(dc);

  {
    // A black ring with a white one inside, visible on any colour.
    ScopedSelectObject hollow(dc, GetStockObject(HOLLOW_BRUSH));
    const int x = state.marker.x;
    const int y = state.marker.y;
    PenHandle black(CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
    {
      ScopedSelectObject pen(dc, black.get());
      Ellipse(dc, x, y, x + kMarkerSize, y + kMarkerSize);
    }
    PenHandle white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    {
      ScopedSelectObject pen(dc, white.get());
      Ellipse(dc, x, y, x + kMarkerSize, y + kMarkerSize);
    }
  }

  BrushHandle swatch(CreateSolidBrush(static_cast<COLORREF>(state.colour)));
  const RECT swatchRect = ToRect(kColorPickerSwatch);
  FillRect(dc, &swatchRect, swatch.get());
}

}  // namespace perix::win
