#include "skin/MaskRegion.h"

#include <gtest/gtest.h>

#include <vector>

namespace perix {
namespace {

constexpr std::uint32_t kKey = 0xFFFF00FF;  // opaque magenta
constexpr std::uint32_t kInk = 0xFF204060;

TEST(MaskRegion, RowRunsBecomeRectanglesFromTheTop) {
  // Stride wider than the image: the padding must never be read as pixels.
  const std::uint32_t k = kKey, o = kInk, pad = kKey;
  const std::vector<std::uint32_t> pixels = {
      k, k, o, k, pad,
      o, o, o, o, pad,
      k, o, k, k, pad,
  };
  const PixelView view{pixels.data(), 4, 3, 5};
  const std::vector<Rect> runs = KeyColourRuns(view, {0xFF, 0x00, 0xFF}, 0);
  const std::vector<Rect> expected = {{0, 0, 2, 1}, {3, 0, 4, 1}, {0, 2, 1, 3}, {2, 2, 4, 3}};
  EXPECT_EQ(runs, expected);
}

TEST(MaskRegion, ToleranceIsABandAboveTheKeyCappedAt255AndAlphaIsIgnored) {
  const std::vector<std::uint32_t> pixels = {
      0xFFF0F0F0,  // at the key
      0x00FFFFFF,  // top of the band, transparent
      0xFFEFF0F0,  // one below the key in red
      0xFFF0F0F0,
  };
  const PixelView view{pixels.data(), 4, 1, 4};
  const std::vector<Rect> expected = {{0, 0, 2, 1}, {3, 0, 4, 1}};
  EXPECT_EQ(KeyColourRuns(view, {0xF0, 0xF0, 0xF0}, 40), expected);
  EXPECT_EQ(KeyColourRuns(view, {0xF0, 0xF0, 0xF0}, -5).size(), 2u);  // a negative tolerance is no tolerance
}

TEST(MaskRegion, ThumbShapeMatchesTheReferencePixelExactly) {
  const std::vector<std::uint32_t> pixels = {
      0x00000000, kInk, 0x00000000,
      0x01000000, kInk, kInk,
  };
  const PixelView view{pixels.data(), 3, 2, 3};
  std::uint32_t top = 0, bottom = 0;
  ASSERT_TRUE(ReferencePixel(view, false, top));
  ASSERT_TRUE(ReferencePixel(view, true, bottom));
  EXPECT_EQ(top, 0x00000000u);
  EXPECT_EQ(bottom, 0x01000000u);  // the last row, not one past it
  const std::vector<Rect> expected = {{0, 0, 1, 1}, {2, 0, 3, 1}};
  EXPECT_EQ(MatchingPixelRuns(view, top), expected);
}

TEST(MaskRegion, EmptyOrBrokenViewsGiveNothing) {
  std::uint32_t out = 0;
  EXPECT_TRUE(KeyColourRuns({}, {}, 0).empty());
  EXPECT_FALSE(ReferencePixel({}, false, out));
  const std::uint32_t one = kKey;
  EXPECT_TRUE(MatchingPixelRuns({&one, 1, 1, 0}, kKey).empty());  // stride narrower than a row
}

}  // namespace
}  // namespace perix
