#include "skin/MaskRegion.h"

#include <algorithm>

namespace perix {
namespace {

bool Usable(const PixelView& v) {
  return v.pixels != nullptr && v.width > 0 && v.height > 0 && v.stride >= v.width;
}

template <class Match>
std::vector<Rect> Runs(const PixelView& v, Match match) {
  std::vector<Rect> runs;
  if (!Usable(v)) return runs;
  for (int y = 0; y < v.height; ++y) {
    const std::uint32_t* row = v.pixels + static_cast<std::ptrdiff_t>(y) * v.stride;
    int x = 0;
    while (x < v.width) {
      while (x < v.width && !match(row[x])) ++x;
      const int start = x;
      while (x < v.width && match(row[x])) ++x;
      if (x > start) runs.push_back({start, y, x, y + 1});
    }
  }
  return runs;
}

bool InBand(std::uint32_t component, std::uint8_t low, int tolerance) {
  const int high = std::min(255, low + tolerance);
  return static_cast<int>(component) >= low && static_cast<int>(component) <= high;
}

}  // namespace

std::vector<Rect> KeyColourRuns(const PixelView& image, RgbColor key, int tolerance) {
  const int t = std::max(0, tolerance);
  return Runs(image, [&](std::uint32_t p) {
    return InBand((p >> 16) & 0xFF, key.red, t) && InBand((p >> 8) & 0xFF, key.green, t) &&
           InBand(p & 0xFF, key.blue, t);
  });
}

std::vector<Rect> MatchingPixelRuns(const PixelView& image, std::uint32_t reference) {
  return Runs(image, [&](std::uint32_t p) { return p == reference; });
}

bool ReferencePixel(const PixelView& image, bool fromBottom, std::uint32_t& out) {
  if (!Usable(image)) return false;
  // The bottom row is the last one inside the image.
  const int y = fromBottom ? image.height - 1 : 0;
  out = image.pixels[static_cast<std::ptrdiff_t>(y) * image.stride];
  return true;
}

}  // namespace perix
