#include <gtest/gtest.h>

#include "performance/ColourPicker.h"

namespace perix {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16; }

TEST(ColourPickerTest, HueBarEndsAndTurningPointsAreStoredRedFirst) {
  EXPECT_EQ(HueColour(2), Rgb(0xFF0005));
  EXPECT_EQ(HueColour(30), Rgb(0xFE00FF));   // magenta
  EXPECT_EQ(HueColour(64), Rgb(0x0100FF));   // blue
  EXPECT_EQ(HueColour(95), Rgb(0x00FFFF));   // cyan
  EXPECT_EQ(HueColour(130), Rgb(0x02FF00));  // green
  EXPECT_EQ(HueColour(162), Rgb(0xFEFF00));  // yellow
  EXPECT_EQ(HueColour(191), Rgb(0xFF0A00));
  // Positions off the bar take its ends rather than reading past the table.
  EXPECT_EQ(HueColour(-5), HueColour(2));
  EXPECT_EQ(HueColour(1000), HueColour(191));
}

TEST(ColourPickerTest, HueDragIsLimitedToTheBarAndPostsOnlyOnRelease) {
  ColourPicker picker;
  // y = 1 is above the bar: nothing changes.
  EXPECT_EQ(picker.OnPress({205, 1}), PickerReaction{});
  EXPECT_EQ(picker.State(), ColourPickerState{});

  PickerReaction press = picker.OnPress({205, 2});
  EXPECT_TRUE(press.capture && press.redraw && press.refillBoxes && press.takeFocus);
  EXPECT_FALSE(press.post);
  EXPECT_EQ(picker.State().huePosition, 2);
  EXPECT_EQ(picker.Colour(), Rgb(0xFF0005));

  // Dragged below and above the bar.
  PickerReaction move = picker.OnMove({300, 700});
  EXPECT_TRUE(move.redraw && move.refillBoxes);
  EXPECT_FALSE(move.post);
  EXPECT_EQ(picker.State().huePosition, 191);
  EXPECT_EQ(picker.Colour(), Rgb(0xFF0A00));
  picker.OnMove({300, -40});
  EXPECT_EQ(picker.Colour(), Rgb(0xFF0005));
  EXPECT_EQ(picker.State().hueColour, picker.Colour());

  PickerReaction release = picker.OnRelease();
  EXPECT_TRUE(release.post && release.release);
  EXPECT_FALSE(picker.State().dragging);
  // Moves after the release are not a drag.
  EXPECT_EQ(picker.OnMove({205, 100}), PickerReaction{});
  EXPECT_EQ(picker.OnRelease(), PickerReaction{});
}

TEST(ColourPickerTest, SquarePressPostsTheColourDrawnThereAndMovesTheMarker) {
  ColourPicker picker;
  picker.OnPress({205, 95});  // cyan
  picker.OnRelease();
  const std::uint32_t hue = picker.State().hueColour;

  PickerReaction press = picker.OnPress({120, 40});
  EXPECT_TRUE(press.post && press.redraw && press.refillBoxes);
  EXPECT_FALSE(press.capture);
  EXPECT_EQ(picker.State().marker, (Point{120, 40}));
  EXPECT_EQ(picker.Colour(), SquareColour(hue, 120, 39));
  // The hue stays; only the chosen colour changed.
  EXPECT_EQ(picker.State().hueColour, hue);
}

TEST(ColourPickerTest, SquareRunsFromWhiteAndTheHueAtTheTopToBlackAtTheBottom) {
  const std::uint32_t hue = HueColour(95);
  EXPECT_EQ(SquareColour(hue, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(SquareColour(hue, 192, 0), hue);
  EXPECT_EQ(SquareColour(hue, 0, 191), 0u);
  EXPECT_EQ(SquareColour(hue, 192, 191), 0u);
  // Half way down the right edge each channel lost half its value.
  const SquareRowEnds middle = SquareRow(Rgb(0xFF8000), 96);
  EXPECT_EQ(middle.grey, 0x7F7F7Fu);
  EXPECT_EQ(ChannelOf(middle.dark, Channel::Red), 126);
  EXPECT_EQ(ChannelOf(middle.dark, Channel::Green), 0);  // 0x80 is not larger than 128.2
  EXPECT_EQ(ChannelOf(middle.dark, Channel::Blue), 0);
}

TEST(ColourPickerTest, StepsSaturateAtBothEnds) {
  EXPECT_EQ(StepChannel(254, true), 255);
  EXPECT_EQ(StepChannel(255, true), 255);
  EXPECT_EQ(StepChannel(1, false), 0);
  EXPECT_EQ(StepChannel(0, false), 0);
  EXPECT_EQ(StepChannel(100, true), 101);

  ColourPicker picker;
  picker.SetColour(ColourFromChannels(254, 1, 9));
  EXPECT_TRUE(picker.OnStep(Channel::Red, true).post);
  picker.OnStep(Channel::Green, false);
  picker.OnStep(Channel::Blue, true);
  EXPECT_EQ(picker.Colour(), ColourFromChannels(255, 0, 10));
  EXPECT_EQ(picker.Hex(), u"0a00ff");
}

TEST(ColourPickerTest, TypedChannelsAboveTheLimitBecome255AndEmptyBoxesZero) {
  ColourPicker picker;
  std::array<std::u16string, kChannelCount> boxes{u"12", u"300", u""};
  std::array<bool, kChannelCount> rewritten{};
  PickerReaction r = picker.OnBoxEdited(boxes, rewritten);
  EXPECT_TRUE(r.post && r.redraw);
  EXPECT_FALSE(r.refillBoxes) << "the channel boxes keep what was typed";
  EXPECT_TRUE(r.refillHex) << "the hexadecimal box follows the channel boxes";
  EXPECT_EQ(picker.Hex(), u"00ff0c");
  EXPECT_EQ(picker.Colour(), ColourFromChannels(12, 255, 0));
  EXPECT_EQ(boxes[1], u"255");
  EXPECT_EQ(rewritten, (std::array<bool, kChannelCount>{false, true, false}));

  // A huge number does not wrap round to a small one.
  EXPECT_GT(ParseChannelBox(u"99999999999999999999"), 255);
  EXPECT_EQ(ParseChannelBox(u"42x"), 42);
}

TEST(ColourPickerTest, ColourSetFromOutsideRestartsTheHueAndFillsTheBoxes) {
  ColourPicker picker;
  picker.OnPress({205, 120});
  picker.OnRelease();
  picker.OnPress({50, 50});

  picker.SetColour(0x00FF00);  // green
  EXPECT_EQ(picker.State().hueColour, 0x0000FFu);
  EXPECT_EQ(picker.State().marker, (Point{190, 1}));
  EXPECT_EQ(picker.State().huePosition, 1);
  EXPECT_EQ(picker.ChannelTexts(), (std::array<std::u16string, kChannelCount>{u"0", u"255", u"0"}));
  EXPECT_EQ(picker.Hex(), u"00ff00");
  EXPECT_EQ(HexText(0x0000FF), u"0000ff");  // pure red shows blue first
}

}  // namespace
}  // namespace perix
