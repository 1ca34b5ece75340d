#include "framework/ChildComposer.h"

#include <algorithm>

#include "framework/Window.h"

namespace perix::win {
namespace {

struct Collected {
  HWND parent;
  std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
  auto* collected = reinterpret_cast<Collected*>(param);
  if (GetParent(hwnd) == collected->parent) collected->windows.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::vector<HWND> ChildrenBottomUp(HWND parent) {
  Collected collected{parent, {}};
  // Top of the z-order first. The system lists each window's own children
  // too, a window-server round trip per window: callers keep the list.
  EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&collected));
  std::reverse(collected.windows.begin(), collected.windows.end());
  return collected.windows;
}

HDC CScratchImage::Get(HDC like, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  if (m_dc && m_bitmap && width <= m_width && height <= m_height) return m_dc->Get();
  Release();
  m_dc = std::make_unique<MemoryDc>(like);
  m_bitmap.reset(CreateCompatibleBitmap(like, width, height));
  if (!m_dc->Get() || !m_bitmap) {
    Release();
    return nullptr;
  }
  m_previous = SelectObject(m_dc->Get(), m_bitmap.get());
  m_width = width;
  m_height = height;
  return m_dc->Get();
}

void CScratchImage::Release() {
  if (m_dc && m_previous) SelectObject(m_dc->Get(), m_previous);
  m_previous = nullptr;
  m_dc.reset();
  m_bitmap.reset();
  m_width = 0;
  m_height = 0;
}

void CChildComposer::Prepare(HWND parent, const RECT& area, const std::function<bool(HWND)>& composable) {
  m_parts.clear();
  m_skipped.clear();
  if (parent != m_listed || CWindowBase::BindingGeneration() != m_listedGeneration) {
    m_children = ChildrenBottomUp(parent);
    m_listed = parent;
    m_listedGeneration = CWindowBase::BindingGeneration();
  }
  for (HWND child : m_children) {
    if (!IsWindow(child) || !IsWindowVisible(child)) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    RECT meets{};
    if (!IntersectRect(&meets, &rect, &area)) continue;
    if (composable(child)) {
      m_parts.push_back({child, rect});
    } else {
      m_skipped.push_back(child);
    }
  }
}

void CChildComposer::Compose(HDC dc, const RECT& band) {
  for (const Part& part : m_parts) {
    RECT inside{};
    if (!IntersectRect(&inside, &part.rect, &band)) continue;
    const int w = part.rect.right - part.rect.left;
    const int h = part.rect.bottom - part.rect.top;
    HDC scratch = m_scratch.Get(dc, w, h);
    if (!scratch) {
      // It paints itself instead.
      if (std::find(m_skipped.begin(), m_skipped.end(), part.hwnd) == m_skipped.end()) m_skipped.push_back(part.hwnd);
      continue;
    }
    // The page under the child, where it lies in the band; the child prints
    // over it; its part in the band goes back.
    const int x = inside.left - part.rect.left;
    const int y = inside.top - part.rect.top;
    const int iw = inside.right - inside.left;
    const int ih = inside.bottom - inside.top;
    BitBlt(scratch, x, y, iw, ih, dc, inside.left, inside.top, SRCCOPY);
    // Controls set the colours, font and clipping they draw with themselves.
    SendMessageW(part.hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(scratch), PRF_CLIENT);
    BitBlt(dc, inside.left, inside.top, iw, ih, scratch, x, y, SRCCOPY);
  }
}

void CBandPainter::Paint(HDC target, const RECT& area, const std::function<void(HDC, const RECT&)>& draw) {
  const int width = area.right - area.left;
  const int height = std::min<int>(area.bottom - area.top, kBandHeight);
  HDC strip = m_strip.Get(target, width, height);
  for (int top = area.top; top < area.bottom; top += kBandHeight) {
    const RECT band{area.left, top, area.right, std::min<int>(top + kBandHeight, area.bottom)};
    if (!strip) {
      draw(target, band);  // no off-screen image: straight onto the target
      continue;
    }
    SetViewportOrgEx(strip, -band.left, -band.top, nullptr);
    draw(strip, band);
    SetViewportOrgEx(strip, 0, 0, nullptr);
    BitBlt(target, band.left, band.top, band.right - band.left, band.bottom - band.top, strip, 0, 0, SRCCOPY);
  }
}

}  // namespace perix::win
