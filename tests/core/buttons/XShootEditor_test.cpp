#include "buttons/XShootEditor.h"

#include <gtest/gtest.h>

#include "config/FunctionCatalogue.h"

namespace perix {
namespace {

TEST(XShootDialog, StoresTheMouseButtonAndBothNumbers) {
  ButtonAssignment button{};
  button.FunctionCode = FunctionCode::Key;
  button.Data[0] = 0x80;
  button.Data[5] = 0x11;
  XShootEditor editor(button);
  EXPECT_EQ(editor.FirstText(), u"");
  EXPECT_TRUE(editor.TargetEnabled());
  editor.OnChoice(XShootEditor::Middle);
  EXPECT_EQ(editor.TargetText(), u"Middle");
  EXPECT_FALSE(editor.TargetEnabled());
  EXPECT_EQ(editor.OnFirstText(u"5"), std::nullopt);
  EXPECT_EQ(editor.OnSecondText(u"20"), std::nullopt);
  editor.Store(button);
  EXPECT_EQ(button.FunctionCode, 9);
  EXPECT_EQ(button.Param1, 5);
  EXPECT_EQ(button.Param2, 20);
  for (int i = 0; i < kButtonDataSize; ++i) EXPECT_EQ(button.Data[i], i == 1 ? 0x84 : 0) << i;
}

TEST(XShootDialog, AKeyTypedInTheTargetBoxIsStoredAndShownAgain) {
  ButtonAssignment button{};
  XShootEditor editor(button);
  editor.OnTargetText(u"a");
  EXPECT_EQ(editor.Target(), 0x04);
  editor.Store(button);
  XShootEditor reopened(button);
  EXPECT_EQ(reopened.ChoiceMade(), XShootEditor::Keyboard);
  EXPECT_EQ(reopened.TargetText(), u"A");
  // Unset numbers are stored as 1; a box emptied later shows 1 again.
  EXPECT_EQ(reopened.FirstText(), u"1");
  EXPECT_EQ(reopened.OnSecondText(u""), u"1");
  EXPECT_EQ(reopened.OnSecondText(u"300"), u"255");

  // A character no key types leaves no target.
  editor.OnTargetText(u"\u00e9");
  EXPECT_EQ(editor.Target(), 0);
}

TEST(XShootDialog, TheKeyboardChoiceStartsWithoutTheMouseButton) {
  ButtonAssignment button{};
  button.FunctionCode = FunctionCode::XShoot;
  button.Param1 = 7;
  button.Param2 = 9;
  button.Data[1] = 0x82;
  XShootEditor editor(button);
  EXPECT_EQ(editor.ChoiceMade(), XShootEditor::Right);
  EXPECT_EQ(editor.FirstText(), u"7");
  editor.OnChoice(XShootEditor::Keyboard);
  EXPECT_EQ(editor.TargetText(), u"");
  editor.Store(button);
  EXPECT_EQ(button.Data[1], 0);

  // Another function's leftover byte does not pick a mouse button.
  button.FunctionCode = FunctionCode::Click;
  button.Data[1] = 0x84;
  EXPECT_EQ(XShootEditor(button).ChoiceMade(), XShootEditor::Keyboard);
  EXPECT_EQ(XShootEditor(button).TargetText(), u"");
}

}  // namespace
}  // namespace perix
