#include "buttons/FireKeyEditor.h"

#include <gtest/gtest.h>

#include "config/FunctionCatalogue.h"

namespace perix {
namespace {

TEST(FireKeyDialog, OpensWithItsDefaultsAndStoresThem) {
  ButtonAssignment button{};
  button.FunctionCode = FunctionCode::Middle;
  button.Data[0] = 0x55;
  button.Data[2] = 0x66;
  FireKeyEditor editor(button);
  EXPECT_EQ(editor.SliderText(), u"30");
  EXPECT_TRUE(editor.Unlimited());
  EXPECT_EQ(editor.CountText(), u"0");
  EXPECT_EQ(editor.ValueText(), u"10");
  editor.Accept(editor.CountText(), editor.ValueText());
  editor.Store(button);
  EXPECT_EQ(button.FunctionCode, 101);
  EXPECT_EQ(button.Param1, 0);
  EXPECT_EQ(button.Param2, 10);
  EXPECT_EQ(button.Data[1], 30);
  EXPECT_EQ(button.Data[0], 0x55) << "the other bytes stay";
  EXPECT_EQ(button.Data[2], 0x66);
}

TEST(FireKeyDialog, KeepsTheBoxesWithinWhatOneByteHolds) {
  FireKeyEditor editor(ButtonAssignment{});
  editor.OnUnlimited(false);
  EXPECT_EQ(editor.CountText(), u"3");
  EXPECT_EQ(editor.OnCountKeyUp(u"300"), u"255");
  EXPECT_EQ(editor.OnCountKeyUp(u"0"), u"1");
  EXPECT_EQ(editor.OnCountKeyUp(u""), u"1");
  EXPECT_EQ(editor.OnCountKeyUp(u"42"), std::nullopt);
  EXPECT_EQ(editor.OnValueKeyUp(u"2550"), u"255");
  EXPECT_EQ(editor.OnValueKeyUp(u"0"), std::nullopt);
  editor.OnSlider(500);
  EXPECT_EQ(editor.Slider(), 200);

  // What the boxes hold at OK counts, even when typed without a key release.
  editor.Accept(u"7", u"999");
  ButtonAssignment button{};
  editor.Store(button);
  EXPECT_EQ(button.Param1, 7);
  EXPECT_EQ(button.Param2, 255);
  editor.OnUnlimited(true);
  EXPECT_EQ(editor.OnCountKeyUp(u"0"), std::nullopt) << "unlimited shows 0";
}

TEST(FireKeyDialog, AStoredFireKeyOpensAsItIs) {
  ButtonAssignment button{};
  button.FunctionCode = FunctionCode::FireKey;
  button.Param1 = 12;
  button.Param2 = 250;
  button.Data[1] = 120;
  FireKeyEditor editor(button);
  EXPECT_EQ(editor.CountText(), u"12");
  EXPECT_FALSE(editor.Unlimited());
  EXPECT_EQ(editor.ValueText(), u"250");
  EXPECT_EQ(editor.SliderText(), u"120");
}

}  // namespace
}  // namespace perix
