#include "skin/SliderGeometry.h"

#include <gtest/gtest.h>

namespace perix {
namespace {

// The DPI level slider: 404 pixels wide, levels 1..12.
constexpr SliderTrack kLevelTrack{264, 668, 1, 12};

TEST(SliderPosition, BarEdgesReportTheEndsOfTheRange) {
  EXPECT_EQ(SliderPositionFromX(kLevelTrack, 264, 0), 1);
  EXPECT_EQ(SliderPositionFromX(kLevelTrack, 667, 0), 12);  // the last pixel inside the bar
  EXPECT_EQ(SliderPositionFromX(kLevelTrack, 668, 0), 12);
  EXPECT_EQ(SliderPositionFromX(kLevelTrack, 100, 0), 1);
  EXPECT_EQ(SliderPositionFromX(kLevelTrack, 2000, 0), 12);
}

TEST(SliderPosition, RoundsUpOnlyPastHalfAStep) {
  // 110 pixels over 11 steps: 10 pixels a step.
  const SliderTrack track{0, 110, 1, 12};
  EXPECT_EQ(SliderPositionFromX(track, 5, 0), 1);
  EXPECT_EQ(SliderPositionFromX(track, 6, 0), 2);
  EXPECT_EQ(SliderPositionFromX(track, 15, 0), 2);
  EXPECT_EQ(SliderPositionFromX(track, 16, 0), 3);
}

TEST(SliderPosition, ThumbDividesByTheTrackLessItsWidth) {
  const SliderTrack track{0, 110, 1, 12};
  EXPECT_EQ(SliderPositionFromX(track, 91, 10), 11);
  EXPECT_EQ(SliderPositionFromX(track, 91, 0), 10);
}

TEST(SliderPosition, ThumbLeftWhereItWasSetReportsTheSameValue) {
  for (int width : {0, 9, 14, 20}) {
    for (int value = 1; value <= 12; ++value) {
      const int left = ThumbLeftForValue(kLevelTrack, value, width);
      EXPECT_EQ(SliderPositionFromX(kLevelTrack, left, width), value) << "thumb " << width;
    }
  }
}

TEST(SliderPosition, RangesWithoutWidthAndThumbsWiderThanTheTrackGiveTheMinimum) {
  EXPECT_EQ(SliderPositionFromX({0, 100, 5, 5}, 50, 0), 5);
  EXPECT_EQ(SliderPositionFromX({0, 100, 7, 3}, 50, 0), 7);
  EXPECT_EQ(SliderPositionFromX({10, 10, 1, 12}, 10, 0), 1);
  EXPECT_EQ(SliderPositionFromX({0, 10, 1, 12}, 0, 30), 1);
  EXPECT_EQ(ThumbLeftForValue({0, 100, 5, 5}, 5, 10), 0);
  EXPECT_EQ(ThumbLeftForValue({20, 30, 1, 12}, 12, 30), 20);
}

TEST(SliderSetPosition, OutOfRangeValuesGoToTheMinimumNotTheMaximum) {
  EXPECT_EQ(SettledSliderValue(kLevelTrack, 13), 1);
  EXPECT_EQ(SettledSliderValue(kLevelTrack, 0), 1);
  EXPECT_EQ(SettledSliderValue(kLevelTrack, 12), 12);
  const SliderTrack track{0, 404, 1, 12};
  EXPECT_EQ(ThumbLeftForValue(track, 13, 14), 0);
  EXPECT_EQ(ThumbLeftForValue(track, 12, 14), 390);
  EXPECT_EQ(ThumbLeftForValue(track, 7, 14), 212);  // 6 * 390 / 11, rounded down
}

TEST(SliderDrag, ThumbCentreStaysOnTheTrack) {
  const SliderTrack track{0, 404, 1, 12};
  EXPECT_EQ(ClampDraggedThumbLeft(track, -100, 14), -7);
  EXPECT_EQ(ClampDraggedThumbLeft(track, 1000, 14), 397);
  EXPECT_EQ(ClampDraggedThumbLeft(track, 120, 14), 120);
  EXPECT_EQ(SliderPositionFromX(track, -7, 14), 1);
  EXPECT_EQ(SliderPositionFromX(track, 397, 14), 12);
}

}  // namespace
}  // namespace perix
