#pragma once
// Window shapes cut from images.

#include "framework/Gdi.h"
#include "framework/GdiPlus.h"
#include "skin/MaskRegion.h"

namespace perix::win {

// Removes from the window every pixel of the mask whose colour lies within
// the key colour plus the tolerance; the mask lies at the window's top-left
// corner and normally has its size. False
// (and the window keeps its shape) when there is no usable mask.
bool ApplyMaskShape(HWND hwnd, Gdiplus::Bitmap* mask, RgbColor key, int tolerance);

// Gives the window the shape of its image: every pixel equal to the image's
// top-left pixel (bottom-left with `referenceFromBottom`) is removed.
bool ApplyImageShape(HWND hwnd, Gdiplus::Bitmap* image, bool referenceFromBottom);

// The region of a list of rectangles, built in batches of kRegionBatchSize.
RegionHandle RegionFromRects(const std::vector<Rect>& rects);

}  // namespace perix::win
