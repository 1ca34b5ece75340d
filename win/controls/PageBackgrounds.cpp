#include "controls/PageBackgrounds.h"

#include <algorithm>
#include <cstring>

#include "framework/Gdi.h"

namespace perix::win {
namespace {

// A page's image as the window shows it: scaled to `size` over black.
PixelRows Render(Gdiplus::Bitmap* image, SIZE size) {
  PixelRows rows;
  const SIZE imageSize = ImageSize(image);
  if (imageSize.cx == size.cx && imageSize.cy == size.cy &&
      PixelRows::FromOpaqueImage(image, Gdiplus::Rect(0, 0, size.cx, size.cy), rows)) {
    return rows;  // nothing to scale or blend: the image's own pixels
  }
  rows.width = size.cx;
  rows.height = size.cy;
  rows.stride = PixelRows::StrideFor(size.cx);
  rows.bytes.assign(static_cast<std::size_t>(rows.stride) * static_cast<std::size_t>(rows.height), 0);
  if (!image) return rows;
  // Drawn the way the window drew pages before they were kept: into 24-bit
  // pixels of the window's size.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  BitmapHandle section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc dc(nullptr);
  if (!section || !bits || !dc.Get()) return rows;
  {
    ScopedSelectObject select(dc.Get(), section.get());
    const RECT all{0, 0, size.cx, size.cy};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawImage(dc.Get(), image, all);
    GdiFlush();
  }
  std::memcpy(rows.bytes.data(), bits, rows.bytes.size());
  return rows;
}

PixelRows Copy(const PixelRows& from, const RECT& rect) {
  PixelRows rows;
  rows.width = rect.right - rect.left;
  rows.height = rect.bottom - rect.top;
  rows.stride = PixelRows::StrideFor(rows.width);
  rows.bytes.resize(static_cast<std::size_t>(rows.stride) * static_cast<std::size_t>(rows.height));
  for (int y = 0; y < rows.height; ++y) {
    std::memcpy(rows.bytes.data() + static_cast<std::ptrdiff_t>(y) * rows.stride,
                from.bytes.data() + static_cast<std::ptrdiff_t>(rect.top + y) * from.stride + rect.left * 3,
                static_cast<std::size_t>(rows.width) * 3);
  }
  return rows;
}

bool TileDiffers(const PixelRows& a, const PixelRows& b, int left, int top, int right, int bottom) {
  const std::size_t bytes = static_cast<std::size_t>(right - left) * 3;
  for (int y = top; y < bottom; ++y) {
    const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(left) * 3;
    if (std::memcmp(a.bytes.data() + static_cast<std::ptrdiff_t>(y) * a.stride + offset,
                    b.bytes.data() + static_cast<std::ptrdiff_t>(y) * b.stride + offset, bytes) != 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<RECT> DifferingRectangles(const PixelRows& home, const PixelRows& page, int tile, int gap) {
  std::vector<RECT> rects;
  if (home.width != page.width || home.height != page.height || tile <= 0) {
    if (page.width > 0 && page.height > 0) rects.push_back(RECT{0, 0, page.width, page.height});
    return rects;
  }
  for (int top = 0; top < page.height; top += tile) {
    const int bottom = std::min(top + tile, page.height);
    int runLeft = -1;   // the run being joined, in pixels
    int runRight = -1;
    for (int left = 0; left < page.width; left += tile) {
      const int right = std::min(left + tile, page.width);
      if (!TileDiffers(home, page, left, top, right, bottom)) continue;
      if (runLeft >= 0 && left - runRight <= gap * tile) {
        runRight = right;
        continue;
      }
      if (runLeft >= 0) rects.push_back(RECT{runLeft, top, runRight, bottom});
      runLeft = left;
      runRight = right;
    }
    if (runLeft >= 0) rects.push_back(RECT{runLeft, top, runRight, bottom});
  }
  return rects;
}

void CPageBackgrounds::Set(Page page, Gdiplus::Bitmap* image, SIZE size) {
  if (size.cx <= 0 || size.cy <= 0) return;
  Background& background = m_pages[static_cast<std::size_t>(page)];
  background = Background{};
  background.set = true;
  m_size = size;
  PixelRows rows = Render(image, size);
  if (page == Page::Home) {
    m_home = std::move(rows);
    return;
  }
  for (const RECT& rect : DifferingRectangles(m_home, rows)) background.patches.push_back({rect, Copy(rows, rect)});
}

void CPageBackgrounds::PaintBlack(HDC dc, const RECT& area) {
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void CPageBackgrounds::Paint(HDC dc, Page page, const RECT& area) const {
  const Background& background = m_pages[static_cast<std::size_t>(page)];
  const RECT all{0, 0, m_size.cx, m_size.cy};
  RECT inside{};
  if (!background.set || !IntersectRect(&inside, &area, &all)) {
    PaintBlack(dc, area);
    return;
  }
  // Black where nothing else paints: outside the backgrounds, or under a
  // page set before the home page.
  const bool homeCovers = m_home.width == m_size.cx && m_home.height == m_size.cy;
  if (!EqualRect(&inside, &area) || !homeCovers) PaintBlack(dc, area);
  m_home.DrawPart(dc, inside.left, inside.top, inside.left, inside.top, inside.right - inside.left,
                  inside.bottom - inside.top);
  for (const Patch& patch : background.patches) {
    RECT part{};
    if (!IntersectRect(&part, &inside, &patch.rect)) continue;
    patch.pixels.DrawPart(dc, part.left, part.top, part.left - patch.rect.left, part.top - patch.rect.top,
                          part.right - part.left, part.bottom - part.top);
  }
}

std::size_t CPageBackgrounds::Bytes() const {
  std::size_t bytes = m_home.bytes.size();
  for (const Background& background : m_pages) {
    for (const Patch& patch : background.patches) bytes += patch.pixels.bytes.size();
  }
  return bytes;
}

void CPageBackgrounds::Clear() {
  m_home = PixelRows{};
  m_size = SIZE{};
  for (Background& background : m_pages) background = Background{};
}

}  // namespace perix::win
