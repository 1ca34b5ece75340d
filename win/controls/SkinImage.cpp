#include "controls/SkinImage.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

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

bool PixelRows::FromOpaqueImage(Gdiplus::Bitmap* image, const Gdiplus::Rect& area, PixelRows& out) {
  if (!Usable(image) || area.Width <= 0 || area.Height <= 0) return false;
  Gdiplus::Rect from = area;
  Gdiplus::BitmapData src{};
  // Read as 32-bit ARGB whatever the file held: a palette may carry
  // transparency too.
  if (image->LockBits(&from, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &src) != Gdiplus::Ok) return false;
  PixelRows rows;
  rows.width = area.Width;
  rows.height = area.Height;
  rows.stride = StrideFor(area.Width);
  rows.bytes.assign(static_cast<std::size_t>(rows.stride) * static_cast<std::size_t>(rows.height), 0);
  bool opaque = true;
  for (int y = 0; y < rows.height && opaque; ++y) {
    const auto* in = static_cast<const BYTE*>(src.Scan0) + static_cast<std::ptrdiff_t>(y) * src.Stride;
    std::uint8_t* row = rows.bytes.data() + static_cast<std::ptrdiff_t>(y) * rows.stride;
    for (int x = 0; x < rows.width; ++x, in += 4, row += 3) {
      if (in[3] != 0xFF) {
        opaque = false;
        break;
      }
      row[0] = in[0];
      row[1] = in[1];
      row[2] = in[2];
    }
  }
  image->UnlockBits(&src);
  if (!opaque) return false;
  out = std::move(rows);
  return true;
}

void PixelRows::DrawPart(HDC dc, int x, int y, int srcX, int srcY, int partWidth, int partHeight) const {
  // Only what lies on the pixels.
  if (srcX < 0) {
    x -= srcX;
    partWidth += srcX;
    srcX = 0;
  }
  if (srcY < 0) {
    y -= srcY;
    partHeight += srcY;
    srcY = 0;
  }
  partWidth = std::min(partWidth, width - srcX);
  partHeight = std::min(partHeight, height - srcY);
  if (!dc || bytes.empty() || partWidth <= 0 || partHeight <= 0) return;
  // The rows of the part are handed over as a DIB of their own: where a
  // source rectangle starts inside a top-down DIB is read differently by
  // different implementations, the whole height of one is not.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -partHeight;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::uint8_t* rows = bytes.data() + static_cast<std::ptrdiff_t>(srcY) * stride;
  StretchDIBits(dc, x, y, partWidth, partHeight, srcX, 0, partWidth, partHeight, rows, &info, DIB_RGB_COLORS,
                SRCCOPY);
}

SkinBitmap SkinBitmap::FromImage(ImagePtr image) {
  SkinBitmap bitmap;
  if (!Usable(image.get())) return bitmap;
  bitmap.m_size = ImageSize(image.get());
  const Gdiplus::Rect all(0, 0, bitmap.m_size.cx, bitmap.m_size.cy);
  if (!PixelRows::FromOpaqueImage(image.get(), all, bitmap.m_pixels)) bitmap.m_image = std::move(image);
  return bitmap;
}

SkinBitmap SkinBitmap::Cut(Gdiplus::Bitmap* page, int x, int y, int width, int height) {
  SkinBitmap bitmap;
  if (!Usable(page) || width <= 0 || height <= 0) return bitmap;
  ScopedStartupPhase phase(StartupPhase::ImageCutting);
  const SIZE size = ImageSize(page);
  const bool onPage = x >= 0 && y >= 0 && static_cast<long long>(x) + width <= size.cx &&
                      static_cast<long long>(y) + height <= size.cy;
  if (onPage && PixelRows::FromOpaqueImage(page, Gdiplus::Rect(x, y, width, height), bitmap.m_pixels)) {
    bitmap.m_size = SIZE{width, height};
    return bitmap;
  }
  // Partly off the page, or transparent in places: GDI+ keeps the
  // transparency.
  bitmap.m_image = CutControlImage(page, x, y, width, height);
  if (bitmap.m_image) bitmap.m_size = SIZE{width, height};
  return bitmap;
}

void SkinBitmap::Draw(HDC dc, const RECT& dest) const {
  if (!*this) return;
  if (m_image) {
    DrawImage(dc, m_image.get(), dest);
    return;
  }
  if (dest.right - dest.left == m_size.cx && dest.bottom - dest.top == m_size.cy) {
    m_pixels.DrawPart(dc, dest.left, dest.top, 0, 0, m_size.cx, m_size.cy);
    return;
  }
  // Scaled: GDI+ resamples, as DrawImage does, from the same pixels.
  Gdiplus::Bitmap scaled(m_pixels.width, m_pixels.height, m_pixels.stride, PixelFormat24bppRGB,
                         const_cast<BYTE*>(m_pixels.bytes.data()));
  DrawImage(dc, &scaled, dest);
}

void SkinBitmap::DrawPart(HDC dc, int x, int y, int srcX, int srcY, int width, int height) const {
  if (!*this) return;
  if (m_image) {
    DrawImagePart(dc, m_image.get(), x, y, srcX, srcY, width, height);
  } else {
    m_pixels.DrawPart(dc, x, y, srcX, srcY, width, height);
  }
}

}  // namespace perix::win
