#include "skin/SliderGeometry.h"

#include <algorithm>
#include <cstdint>

namespace perix {

int SliderPositionFromX(const SliderTrack& t, int x, int thumbWidth) {
  const std::int64_t m = t.minimum;
  const std::int64_t range = std::int64_t{t.maximum} - m;
  if (range <= 0) return t.minimum;
  const std::int64_t offset = std::int64_t{x} - t.left;
  const std::int64_t divisor = std::int64_t{t.right} - t.left - thumbWidth;
  // A thumb as wide as its track has nowhere to go: the estimate stays at the
  // minimum and only the half-step rule below can move it.
  std::int64_t p = divisor > 0 ? m + offset * range / divisor : m;
  // Round up when the pointer is past the middle of a step. Steps are counted
  // from 1, not from the minimum; the ranges the program uses start at 1 or
  // have one-pixel steps.
  const std::int64_t step = (std::int64_t{t.right} - t.left) / range;
  if (offset - (p - 1) * step > step / 2) ++p;
  return static_cast<int>(std::clamp<std::int64_t>(p, m, t.maximum));
}

int SettledSliderValue(const SliderTrack& t, int value) {
  return value < t.minimum || value > t.maximum ? t.minimum : value;
}

int ThumbLeftForValue(const SliderTrack& t, int value, int thumbWidth) {
  const std::int64_t range = std::int64_t{t.maximum} - t.minimum;
  const std::int64_t span = std::max<std::int64_t>(0, std::int64_t{t.right} - t.left - thumbWidth);
  if (range <= 0) return t.left;
  const std::int64_t v = SettledSliderValue(t, value);
  return static_cast<int>(t.left + (v - t.minimum) * span / range);
}

int ClampDraggedThumbLeft(const SliderTrack& t, int left, int thumbWidth) {
  const int half = thumbWidth / 2;
  const int lowest = t.left - half;
  const int highest = std::max(lowest, t.right - half);
  return std::clamp(left, lowest, highest);
}

}  // namespace perix
