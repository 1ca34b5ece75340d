#include "controls/WindowShape.h"

#include <algorithm>
#include <vector>

#include "controls/SkinImage.h"

namespace perix::win {
namespace {

// Reads an image's pixels once, as 0xAARRGGBB rows from the top.
class LockedPixels {
 public:
  explicit LockedPixels(Gdiplus::Bitmap* image) : m_image(image) {
    const SIZE size = ImageSize(image);
    if (size.cx <= 0 || size.cy <= 0) return;
    Gdiplus::Rect all(0, 0, size.cx, size.cy);
    if (image->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &m_data) == Gdiplus::Ok) {
      m_locked = true;
    }
  }
  ~LockedPixels() {
    if (m_locked) m_image->UnlockBits(&m_data);
  }
  LockedPixels(const LockedPixels&) = delete;
  LockedPixels& operator=(const LockedPixels&) = delete;

  PixelView View() const {
    if (!m_locked || m_data.Stride <= 0) return {};
    return {static_cast<const std::uint32_t*>(m_data.Scan0), static_cast<int>(m_data.Width),
            static_cast<int>(m_data.Height), m_data.Stride / 4};
  }

 private:
  Gdiplus::Bitmap* m_image;
  Gdiplus::BitmapData m_data{};
  bool m_locked = false;
};

// The window, less the removed pixels.
bool CutOut(HWND hwnd, const std::vector<Rect>& removed) {
  RECT window{};
  if (!GetWindowRect(hwnd, &window)) return false;
  RegionHandle shape(CreateRectRgn(0, 0, window.right - window.left, window.bottom - window.top));
  if (!shape) return false;
  if (!removed.empty()) {
    RegionHandle cut = RegionFromRects(removed);
    if (!cut) return false;
    CombineRgn(shape.get(), shape.get(), cut.get(), RGN_DIFF);
  }
  // The window owns the region from here on.
  if (!SetWindowRgn(hwnd, shape.get(), TRUE)) return false;
  shape.release();
  return true;
}

}  // namespace

RegionHandle RegionFromRects(const std::vector<Rect>& rects) {
  RegionHandle all(CreateRectRgn(0, 0, 0, 0));
  if (!all) return nullptr;
  std::vector<BYTE> buffer;
  for (std::size_t start = 0; start < rects.size(); start += kRegionBatchSize) {
    const std::size_t n = std::min(kRegionBatchSize, rects.size() - start);
    buffer.assign(sizeof(RGNDATAHEADER) + n * sizeof(RECT), 0);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(n);
    data->rdh.nRgnSize = static_cast<DWORD>(n * sizeof(RECT));
    RECT bounds{rects[start].left, rects[start].top, rects[start].right, rects[start].bottom};
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (std::size_t i = 0; i < n; ++i) {
      const Rect& r = rects[start + i];
      out[i] = RECT{r.left, r.top, r.right, r.bottom};
      bounds.left = std::min<LONG>(bounds.left, r.left);
      bounds.top = std::min<LONG>(bounds.top, r.top);
      bounds.right = std::max<LONG>(bounds.right, r.right);
      bounds.bottom = std::max<LONG>(bounds.bottom, r.bottom);
    }
    data->rdh.rcBound = bounds;
    RegionHandle batch(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
    if (!batch) return nullptr;
    CombineRgn(all.get(), all.get(), batch.get(), RGN_OR);
  }
  return all;
}

bool ApplyMaskShape(HWND hwnd, Gdiplus::Bitmap* mask, RgbColor key, int tolerance) {
  if (!hwnd) return false;
  LockedPixels pixels(mask);
  const PixelView view = pixels.View();
  if (!view.pixels) return false;
  return CutOut(hwnd, KeyColourRuns(view, key, tolerance));
}

bool ApplyImageShape(HWND hwnd, Gdiplus::Bitmap* image, bool referenceFromBottom) {
  if (!hwnd) return false;
  LockedPixels pixels(image);
  const PixelView view = pixels.View();
  std::uint32_t reference = 0;
  if (!ReferencePixel(view, referenceFromBottom, reference)) return false;
  return CutOut(hwnd, MatchingPixelRuns(view, reference));
}

}  // namespace perix::win
