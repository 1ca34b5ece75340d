#include "controls/SkinImage.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "controls/SkinEnvironment.h"
#include "framework/StartupClock.h"

namespace perix::win {
namespace {

bool Usable(Gdiplus::Bitmap* image) {
  return image && image->GetLastStatus() == Gdiplus::Ok && image->GetWidth() > 0 && image->GetHeight() > 0;
}

}  // namespace

ImagePtr LoadImageFile(std::wstring_view path) {
  if (path.empty()) return nullptr;
  ScopedStartupPhase phase(StartupPhase::ImageDecoding);
  const std::wstring full = ResolveProgramPath(path);
  ImagePtr image(Gdiplus::Bitmap::FromFile(full.c_str(), FALSE));
  if (!Usable(image.get())) return nullptr;
  return image;
}

ImagePtr LoadSkinImage(std::wstring_view name) {
  if (name.empty()) return nullptr;
  return LoadImageFile(ProgramFolder() + L"skins\\" + std::wstring(name));
}

SIZE ImageSize(Gdiplus::Bitmap* image) {
  if (!Usable(image)) return SIZE{0, 0};
  return SIZE{static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight())};
}

ImagePtr CutControlImage(Gdiplus::Bitmap* page, int x, int y, int width, int height) {
  if (!Usable(page) || width <= 0 || height <= 0) return nullptr;
  ScopedStartupPhase phase(StartupPhase::ImageCutting);
  const SIZE size = ImageSize(page);
  // The part of the rectangle that lies on the page, in page coordinates.
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = static_cast<int>(std::min<long long>(static_cast<long long>(x) + width, size.cx));
  const int bottom = static_cast<int>(std::min<long long>(static_cast<long long>(y) + height, size.cy));
  if (left >= right || top >= bottom) return nullptr;

  ImagePtr cut(new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB));
  if (!Usable(cut.get())) return nullptr;
  // Copy the pixels as they are: drawing would resample the edges.
  Gdiplus::Rect from(left, top, right - left, bottom - top);
  Gdiplus::Rect to(left - x, top - y, right - left, bottom - top);
  Gdiplus::BitmapData src{};
  Gdiplus::BitmapData dst{};
  if (page->LockBits(&from, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &src) != Gdiplus::Ok) return nullptr;
  if (cut->LockBits(&to, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &dst) != Gdiplus::Ok) {
    page->UnlockBits(&src);
    return nullptr;
  }
  for (int row = 0; row < from.Height; ++row) {
    std::memcpy(static_cast<BYTE*>(dst.Scan0) + static_cast<std::ptrdiff_t>(row) * dst.Stride,
                static_cast<const BYTE*>(src.Scan0) + static_cast<std::ptrdiff_t>(row) * src.Stride,
                static_cast<std::size_t>(from.Width) * 4);
  }
  cut->UnlockBits(&dst);
  page->UnlockBits(&src);
  return cut;
}

void DrawImage(HDC dc, Gdiplus::Bitmap* image, const RECT& dest) {
  if (!dc || !Usable(image)) return;
  Gdiplus::Graphics g(dc);
  const SIZE size = ImageSize(image);
  const bool unscaled = dest.right - dest.left == size.cx && dest.bottom - dest.top == size.cy;
  g.SetInterpolationMode(unscaled ? Gdiplus::InterpolationModeNearestNeighbor
                                  : Gdiplus::InterpolationModeHighQualityBicubic);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  g.DrawImage(image, Gdiplus::Rect(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top), 0, 0,
              size.cx, size.cy, Gdiplus::UnitPixel);
}

void DrawImagePart(HDC dc, Gdiplus::Bitmap* image, int x, int y, int srcX, int srcY, int width, int height) {
  if (!dc || !Usable(image) || width <= 0 || height <= 0) return;
  Gdiplus::Graphics g(dc);
  g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  g.DrawImage(image, Gdiplus::Rect(x, y, width, height), srcX, srcY, width, height, Gdiplus::UnitPixel);
}

}  // namespace perix::win
