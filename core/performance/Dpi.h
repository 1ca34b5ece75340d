#pragma once

#include <cstdint>

namespace perix {

// The DPI of a stage level 1..12: steps of 250 up to 2000, then of 500 up to
// 4000. Levels outside the range have no DPI (0).
constexpr int DpiFromLevel(std::int32_t level) {
  if (level < 1 || level > 12) return 0;
  return level <= 8 ? level * 250 : (level - 4) * 500;
}

}  // namespace perix
