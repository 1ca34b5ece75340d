#include "controls/VantorMacroDisplay.h"

#include <algorithm>
#include <vector>

namespace perix::win {
namespace {

constexpr int kJoinBitmap = 138;
constexpr int kSeparatorBitmap = 137;
constexpr int kLeft = 2;
constexpr int kHighlightedRows = 6;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kHighlight = 0x35B57F;  // 0x00BBGGRR

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

}  // namespace

bool CVantorCustomControl::Create(const RECT& rect, HWND parent, UINT id, DWORD style) {
  return CreateWindowObject(L"PerixCustomControl", CS_DBLCLKS, 0, L"", (style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD,
                            rect, parent, id);
}

PERIX_BEGIN_MESSAGE_TABLE(CVantorMacroDisplay, CVantorCustomControl)
  OnMessage<&CVantorMacroDisplay::OnPaint>(WM_PAINT),
  OnMessage<&CVantorMacroDisplay::OnEraseBackground>(WM_ERASEBKGND),
PERIX_END_MESSAGE_TABLE(CVantorMacroDisplay, CVantorCustomControl)

CVantorMacroDisplay::CVantorMacroDisplay()
    : m_join(static_cast<HBITMAP>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(kJoinBitmap), IMAGE_BITMAP, 0, 0, 0))),
      m_separator(
          static_cast<HBITMAP>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(kSeparatorBitmap), IMAGE_BITMAP, 0, 0, 0))) {}

CVantorMacroDisplay::~CVantorMacroDisplay() { DestroyWindow(); }

void CVantorMacroDisplay::SetDisplayText(std::wstring_view text) {
  m_text = std::wstring(text);
  SetText(m_text);
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CVantorMacroDisplay::SetHighlight(bool on) {
  m_highlight = on;
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CVantorMacroDisplay::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CVantorMacroDisplay::OnPaint(WPARAM, LPARAM) {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  OffscreenBuffer buffer(paint.Get(), client.right, client.bottom);
  if (!buffer.Valid()) return 0;
  Draw(buffer.Get(), client);
  buffer.Present();
  return 0;
}

void CVantorMacroDisplay::Draw(HDC dc, const RECT& client) {
  BrushHandle white(CreateSolidBrush(kWhite));
  FillRect(dc, &client, white.get());
  ScopedSelectObject font(dc, GetStockObject(ANSI_VAR_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBlack);

  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const SIZE joinSize = BitmapSize(m_join.get());
  const SIZE separatorSize = BitmapSize(m_separator.get());
  const int rowHeight = std::max<int>(metrics.tmHeight, joinSize.cy) + 2;

  // Lay the items out first: the highlight goes under whole rows.
  struct Item {
    wchar_t ch;
    int x;
    int row;
    int width;
  };
  std::vector<Item> items;
  int x = kLeft;
  int row = 0;
  for (wchar_t ch : m_text) {
    int width;
    if (ch == L'^' && m_join) {
      width = joinSize.cx;
    } else if (ch == L'|' && m_separator) {
      width = separatorSize.cx;
    } else {
      SIZE size{};
      GetTextExtentPoint32W(dc, &ch, 1, &size);
      width = size.cx;
    }
    if (x + width > client.right && x > kLeft) {
      x = kLeft;
      ++row;
    }
    items.push_back({ch, x, row, width});
    x += width;
  }

  if (m_highlight) {
    BrushHandle green(CreateSolidBrush(kHighlight));
    for (int r = 0; r < kHighlightedRows; ++r) {
      int right = kLeft;
      for (const Item& item : items) {
        if (item.row == r) right = std::max(right, item.x + item.width);
      }
      if (right == kLeft) continue;
      RECT band{kLeft, r * rowHeight, right, (r + 1) * rowHeight};
      FillRect(dc, &band, green.get());
    }
  }

  MemoryDc bitmaps(dc);
  for (const Item& item : items) {
    const int top = item.row * rowHeight;
    HBITMAP picture = item.ch == L'^' ? m_join.get() : item.ch == L'|' ? m_separator.get() : nullptr;
    if (picture && bitmaps.Get()) {
      const SIZE size = item.ch == L'^' ? joinSize : separatorSize;
      ScopedSelectObject select(bitmaps.Get(), picture);
      BitBlt(dc, item.x, top + (rowHeight - size.cy) / 2, size.cx, size.cy, bitmaps.Get(), 0, 0, SRCCOPY);
    } else {
      TextOutW(dc, item.x, top + (rowHeight - metrics.tmHeight) / 2, &item.ch, 1);
    }
  }
}

}  // namespace perix::win
