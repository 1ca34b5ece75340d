// The macro name menu (CMacroNameMenu) under Wine, driven by messages.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestHost.h"
#include "controls/MacroNameMenu.h"
#include "skin/ControlMessages.h"

namespace perix::win::test {
namespace {

LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

std::vector<std::wstring> Names(int count) {
  std::vector<std::wstring> names;
  for (int i = 0; i < count; ++i) names.push_back(L"Macro" + std::to_wstring(i + 1));
  return names;
}

class NameMenuTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_host.Create()); }

  SIZE MenuSize(const CMacroNameMenu& menu) const {
    RECT r{};
    GetWindowRect(menu.Handle(), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  }

  CTestHost m_host;
};

TEST_F(NameMenuTest, OneRowPerMacroUpToTwentyAndNoMenuForAnEmptyLibrary) {
  CMacroNameMenu empty;
  EXPECT_FALSE(empty.Open(m_host.Handle(), POINT{kOffscreen, kOffscreen}, {}));
  EXPECT_EQ(empty.Handle(), nullptr);

  CMacroNameMenu three;
  ASSERT_TRUE(three.Open(m_host.Handle(), POINT{kOffscreen, kOffscreen + 30}, Names(3)));
  EXPECT_EQ(MenuSize(three).cy, 3 * 20 + 2);
  EXPECT_EQ(three.List().Count(), 3);
  RECT r{};
  GetWindowRect(three.Handle(), &r);
  EXPECT_EQ(r.left, kOffscreen);
  EXPECT_EQ(r.top, kOffscreen + 30);

  CMacroNameMenu many;
  ASSERT_TRUE(many.Open(m_host.Handle(), POINT{kOffscreen, kOffscreen}, Names(25)));
  EXPECT_EQ(MenuSize(many).cy, 402);
  EXPECT_EQ(many.List().Count(), 20);
  wchar_t text[32] = {};
  SendMessageW(many.List().Handle(), LB_GETTEXT, 19, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Macro20");
}

TEST_F(NameMenuTest, AChoiceReachesTheOwnerOnceWithItsLibraryIndex) {
  CMacroNameMenu menu;
  ASSERT_TRUE(menu.Open(m_host.Handle(), POINT{kOffscreen, kOffscreen}, Names(4)));
  HWND list = menu.List().Handle();
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, Point(20, 2 * 20 + 5));
  SendMessageW(list, WM_LBUTTONUP, 0, Point(20, 2 * 20 + 5));
  SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(20, 2 * 20 + 5));
  CTestHost::Pump();
  const auto chosen = m_host.Take(kMacroNameChosenMessage);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0].wParam, 2u);
  EXPECT_EQ(chosen[0].lParam, 0);
  // The menu stays until its owner destroys it.
  EXPECT_TRUE(IsWindow(menu.Handle()));
}

TEST_F(NameMenuTest, APressBelowTheRowsChoosesNothing) {
  CMacroNameMenu menu;
  ASSERT_TRUE(menu.Open(m_host.Handle(), POINT{kOffscreen, kOffscreen}, Names(2)));
  EXPECT_FALSE(menu.Open(m_host.Handle(), POINT{kOffscreen, kOffscreen}, Names(2)));  // already open
  SendMessageW(menu.List().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(20, 40));
  SendMessageW(menu.List().Handle(), WM_LBUTTONUP, 0, Point(20, 40));
  CTestHost::Pump();
  EXPECT_TRUE(m_host.Take(kMacroNameChosenMessage).empty());
}

}  // namespace
}  // namespace perix::win::test
