#include "skin/ButtonLook.h"

#include <gtest/gtest.h>

namespace perix {
namespace {

TEST(ButtonLook, ToggleButtonsShowOnlyTheirCheckState) {
  ButtonLookState s{.toggleMode = true, .checked = false, .pushed = true, .hover = true, .enabled = true};
  EXPECT_EQ(ChooseButtonLook(s), ButtonLook::Normal);
  s.checked = true;
  EXPECT_EQ(ChooseButtonLook(s), ButtonLook::Pressed);
  s.enabled = false;
  EXPECT_EQ(ChooseButtonLook(s), ButtonLook::Disabled);
  s.checked = false;
  EXPECT_EQ(ChooseButtonLook(s), ButtonLook::Disabled);
}

TEST(ButtonLook, PushButtonsRankCheckPressHoverThenEnabled) {
  EXPECT_EQ(ChooseButtonLook({.checked = true, .enabled = false}), ButtonLook::Pressed);
  EXPECT_EQ(ChooseButtonLook({.pushed = true, .hover = true}), ButtonLook::Pressed);
  EXPECT_EQ(ChooseButtonLook({.hover = true}), ButtonLook::Highlighted);
  EXPECT_EQ(ChooseButtonLook({}), ButtonLook::Normal);
  EXPECT_EQ(ChooseButtonLook({.enabled = false}), ButtonLook::Disabled);
}

TEST(ButtonMouseMove, FirstMoveOverTheButtonHoversCapturesAndForwards) {
  const ButtonMoveActions a = DecideButtonMouseMove({.pointerOverSelf = true, .appActive = true, .hasParent = true});
  EXPECT_TRUE(a.setHover);
  EXPECT_TRUE(a.capture);
  EXPECT_TRUE(a.redraw);
  EXPECT_TRUE(a.forward);
}

TEST(ButtonMouseMove, DragFromElsewhereIsIgnoredAndNotForwarded) {
  const ButtonMoveActions a = DecideButtonMouseMove(
      {.leftHeld = true, .pointerOverSelf = true, .appActive = true, .hasParent = true});
  EXPECT_FALSE(a.setHover || a.capture || a.redraw || a.forward);
}

TEST(ButtonMouseMove, LeavingReleasesTheCaptureUnlessTheButtonIsHeld) {
  ButtonMoveInput in{.hover = true, .hasCapture = true, .pointerOverSelf = false, .appActive = true, .hasParent = true};
  ButtonMoveActions a = DecideButtonMouseMove(in);
  EXPECT_TRUE(a.clearHover && a.redraw && a.release && a.forward);
  in.leftHeld = true;
  a = DecideButtonMouseMove(in);
  EXPECT_TRUE(a.clearHover);
  EXPECT_FALSE(a.release);
}

TEST(ButtonMouseMove, InactiveApplicationForwardsWithoutHover) {
  const ButtonMoveActions a = DecideButtonMouseMove({.pointerOverSelf = true, .appActive = false, .hasParent = true});
  EXPECT_FALSE(a.setHover || a.capture);
  EXPECT_TRUE(a.forward);
}

}  // namespace
}  // namespace perix
