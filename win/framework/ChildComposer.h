#pragma once
// Painting a window and its children as one picture, through a small
// off-screen strip.
//
// A window that does not clip its children (transparent texts need the page
// under them) paints first, and then each child paints itself in a paint
// cycle of its own: a device context, a region and a few window-server round
// trips each, and the screen may show the page before its controls. Children
// that can print themselves (WM_PRINTCLIENT) are instead drawn into the
// window's own off-screen image, over the page, and reach the screen with it.
// Each child prints into a scratch image that starts as the page under it,
// so what it draws is exactly what it would have drawn over the page.
//
// The off-screen image is a strip as wide as the window, kept for the
// window's life and painted band after band: a third of a megabyte instead
// of a fresh window-sized image per paint, whose pages the system would map
// and clear anew every time.

#include <functional>
#include <memory>
#include <vector>

#include "framework/Gdi.h"
#include "framework/Win32.h"

namespace perix::win {

// A kept off-screen image of at least a given size, selected into its own
// device context.
class CScratchImage {
 public:
  // The device context of an image of at least width x height, compatible
  // with `like`; null when none could be made.
  HDC Get(HDC like, int width, int height);
  void Release();

 private:
  std::unique_ptr<MemoryDc> m_dc;
  BitmapHandle m_bitmap;
  HGDIOBJ m_previous = nullptr;
  int m_width = 0;
  int m_height = 0;
};

class CChildComposer {
 public:
  // Lists the visible direct children of `parent` that meet `area`: those
  // `composable` accepts to be composed, from the bottom of the z-order up,
  // and the others (Skipped()), which paint themselves.
  void Prepare(HWND parent, const RECT& area, const std::function<bool(HWND)>& composable);
  // Draws the parts of the composed children that lie in `band` into `dc`,
  // whose logical coordinates are the parent's client coordinates.
  void Compose(HDC dc, const RECT& band);
  const std::vector<HWND>& Skipped() const { return m_skipped; }

 private:
  struct Part {
    HWND hwnd;
    RECT rect;  // in the parent's client coordinates
  };
  std::vector<Part> m_parts;
  std::vector<HWND> m_skipped;
  CScratchImage m_scratch;
  // The parent's children, bottom up, as listed last: listing them costs a
  // window-server round trip per window, so the list is kept until a window
  // of this thread is made or destroyed (CWindowBase::BindingGeneration).
  HWND m_listed = nullptr;
  unsigned m_listedGeneration = 0;
  std::vector<HWND> m_children;
};

// Paints an area of a window band by band through a kept strip: `draw(dc,
// band)` draws one band (logical coordinates: client coordinates), which is
// then copied to `target`.
class CBandPainter {
 public:
  static constexpr int kBandHeight = 96;
  void Paint(HDC target, const RECT& area, const std::function<void(HDC, const RECT&)>& draw);

 private:
  CScratchImage m_strip;
};

// The direct children of a window, from the bottom of the z-order up.
std::vector<HWND> ChildrenBottomUp(HWND parent);

}  // namespace perix::win
