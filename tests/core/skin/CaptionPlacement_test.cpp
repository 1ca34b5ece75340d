#include "skin/CaptionPlacement.h"

#include <gtest/gtest.h>

namespace perix {
namespace {

TEST(CaptionPlacement, HorizontalCaptionIsCentredByIntegerHalves) {
  // 101/2 - 41/2 = 50 - 20, not (101 - 41) / 2.
  EXPECT_EQ(CaptionOrigin({41, 13}, {101, 33}, 0, 1), (Point{30, 10}));
  EXPECT_EQ(CaptionOrigin({41, 13}, {101, 33}, 7, 1), (Point{7, 10}));
}

TEST(CaptionPlacement, RotatedCaptionsStartFromTheirTurnedCorner) {
  EXPECT_EQ(CaptionOrigin({60, 14}, {30, 120}, 0, kCaptionRotated90), (Point{8, 90}));
  EXPECT_EQ(CaptionOrigin({60, 14}, {30, 120}, 0, kCaptionRotated270), (Point{22, 30}));
  // The x offset is for horizontal text only.
  EXPECT_EQ(CaptionOrigin({60, 14}, {30, 120}, 5, kCaptionRotated90), (Point{8, 90}));
  EXPECT_EQ(CaptionEscapement(kCaptionRotated90), 900);
  EXPECT_EQ(CaptionEscapement(kCaptionRotated270), 2700);
  EXPECT_EQ(CaptionEscapement(1), 0);
  EXPECT_EQ(CaptionEscapement(0), 0);
}

}  // namespace
}  // namespace perix
