#pragma once
// Window shapes from images: the pixels that are cut out of a window, found in
// a 32-bit image and returned as rectangles, one per horizontal run of a row,
// rows from the top.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/PixelGeometry.h"

namespace perix {

// A view of 32-bit pixels 0xAARRGGBB, rows from the top; stride is in pixels.
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

struct RgbColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// Region rectangles are handed to the system in batches of this many.
inline constexpr std::size_t kRegionBatchSize = 2000;

// Runs of pixels whose red, green and blue each lie between the key colour and
// the key colour plus the tolerance (capped at 255); alpha is not looked at.
std::vector<Rect> KeyColourRuns(const PixelView& image, RgbColor key, int tolerance);

// Runs of pixels exactly equal (alpha included) to the reference pixel.
std::vector<Rect> MatchingPixelRuns(const PixelView& image, std::uint32_t reference);

// The reference pixel of a thumb image: the top-left one, or the bottom-left
// one when `fromBottom` is set. Nothing for an empty image.
bool ReferencePixel(const PixelView& image, bool fromBottom, std::uint32_t& out);

}  // namespace perix
