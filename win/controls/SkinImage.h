#pragma once
// Skin images: loading them, cutting control images out of page images, and
// drawing them.
//
// Page images are decoded by GDI+ (LoadSkinImage) and, once the controls'
// images are cut from them, released. What the controls keep and draw is a
// SkinBitmap: an opaque image (every cut of a PNG or JPEG page without
// transparency) as plain 24-bit pixels drawn with one block transfer, an
// image with transparent pixels as its GDI+ bitmap drawn by GDI+. Both draw
// exactly the pixels DrawImage draws.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/GdiPlus.h"
#include "framework/Win32.h"

namespace perix::win {

// Loads "skins\" + name from the program folder. Null when the file is
// missing or is not an image (an empty name names the folder: null too).
ImagePtr LoadSkinImage(std::wstring_view name);

// Loads an image file; a relative path is taken from the program folder.
ImagePtr LoadImageFile(std::wstring_view path);

// A new image holding the rectangle (x, y, width, height) of a page image.
// Where the rectangle reaches past the page the new image is transparent.
// Null when there is no page image, the size is not positive, or the
// rectangle misses the page altogether.
ImagePtr CutControlImage(Gdiplus::Bitmap* page, int x, int y, int width, int height);

SIZE ImageSize(Gdiplus::Bitmap* image);

// Draws a whole image into `dest`, stretched to it. Nothing for a null image.
void DrawImage(HDC dc, Gdiplus::Bitmap* image, const RECT& dest);
// Draws the part (srcX, srcY, width, height) of an image at (x, y), unscaled.
void DrawImagePart(HDC dc, Gdiplus::Bitmap* image, int x, int y, int srcX, int srcY, int width, int height);

// 24-bit pixels, blue-green-red, rows top-down, each row padded to 4 bytes.
struct PixelRows {
  int width = 0;
  int height = 0;
  int stride = 0;
  std::vector<std::uint8_t> bytes;

  static int StrideFor(int width) { return (width * 3 + 3) & ~3; }
  // Copies out the pixels of a GDI+ image, when they are all opaque.
  static bool FromOpaqueImage(Gdiplus::Bitmap* image, const Gdiplus::Rect& area, PixelRows& out);
  // Draws the part (srcX, srcY, width, height) at (x, y), unscaled, clipped to the pixels.
  void DrawPart(HDC dc, int x, int y, int srcX, int srcY, int partWidth, int partHeight) const;
};

// A control's image, ready to draw (see above). Empty when it has no image.
class SkinBitmap {
 public:
  SkinBitmap() = default;
  // Takes over a decoded image.
  static SkinBitmap FromImage(ImagePtr image);
  // The rectangle (x, y, width, height) of a page image, as CutControlImage
  // cuts it.
  static SkinBitmap Cut(Gdiplus::Bitmap* page, int x, int y, int width, int height);

  explicit operator bool() const { return m_size.cx > 0 && m_size.cy > 0; }
  SIZE Size() const { return m_size; }
  // Whether the image is kept as plain pixels (it has no transparent ones).
  bool Opaque() const { return !m_pixels.bytes.empty(); }

  // As DrawImage and DrawImagePart. Nothing for an empty image.
  void Draw(HDC dc, const RECT& dest) const;
  void DrawPart(HDC dc, int x, int y, int srcX, int srcY, int width, int height) const;

 private:
  PixelRows m_pixels;  // an opaque image
  ImagePtr m_image;    // owned; an image with transparent pixels
  SIZE m_size{};
};

}  // namespace perix::win
