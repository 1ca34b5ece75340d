#pragma once
// Skin images: loading them, cutting control images out of page images, and
// drawing them.

#include <string_view>

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

}  // namespace perix::win
