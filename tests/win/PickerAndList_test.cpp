// The colour picker (COwnColorSelect) and the owner-drawn list (CListBoxEx)
// under Wine, driven by messages.

#include <gtest/gtest.h>

#include <string>

#include "TestHost.h"
#include "controls/ListBoxEx.h"
#include "controls/OwnColorSelect.h"
#include "performance/ColourPicker.h"
#include "skin/ControlMessages.h"
#include "skin/Layout.h"

namespace perix::win::test {
namespace {

LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class PickerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_host.Create());
    ASSERT_TRUE(m_picker.Create(RECT{10, 10, 230, 263}, m_host.Handle(), 10011));
  }

  HWND Child(ColorPickerControl control) const {
    return GetDlgItem(m_picker.Handle(), LayoutOf(control).controlId);
  }
  std::wstring Box(ColorPickerControl control) const {
    wchar_t text[32] = {};
    GetWindowTextW(Child(control), text, 32);
    return text;
  }
  // The colours posted to the parent since the last call.
  std::vector<std::uint32_t> Posted() {
    CTestHost::Pump();
    std::vector<std::uint32_t> colours;
    for (const Recorded& r : m_host.Take(kColourChosenMessage)) {
      EXPECT_EQ(r.lParam, 0);
      colours.push_back(static_cast<std::uint32_t>(r.wParam));
    }
    return colours;
  }
  void Click(HWND button) {
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, Point(2, 2));
    SendMessageW(button, WM_LBUTTONUP, 0, Point(2, 2));
  }

  CTestHost m_host;
  COwnColorSelect m_picker;
};

TEST_F(PickerTest, ColourFromOutsideFillsTheBoxesAndStartsTheHueOver) {
  SendMessageW(m_picker.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(205, 120));
  SendMessageW(m_picker.Handle(), WM_LBUTTONUP, 0, Point(205, 120));
  Posted();
  m_picker.SetColour(0x00FF00);
  EXPECT_EQ(Box(ColorPickerControl::RedBox), L"0");
  EXPECT_EQ(Box(ColorPickerControl::GreenBox), L"255");
  EXPECT_EQ(Box(ColorPickerControl::BlueBox), L"0");
  EXPECT_EQ(Box(ColorPickerControl::HexBox), L"00ff00");
  EXPECT_FALSE(IsWindowEnabled(Child(ColorPickerControl::HexBox)));
  EXPECT_EQ(m_picker.State().hueColour, 0x0000FFu);
  EXPECT_TRUE(Posted().empty());  // nothing the user chose
}

TEST_F(PickerTest, HueDragPostsOnReleaseAndASquarePressAtOnce) {
  SendMessageW(m_picker.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(205, 100));
  EXPECT_EQ(GetCapture(), m_picker.Handle());
  SendMessageW(m_picker.Handle(), WM_MOUSEMOVE, MK_LBUTTON, Point(205, 900));
  EXPECT_TRUE(Posted().empty());
  EXPECT_EQ(Box(ColorPickerControl::HexBox), L"000aff");  // FF0A00, blue first
  SendMessageW(m_picker.Handle(), WM_LBUTTONUP, 0, Point(205, 900));
  EXPECT_NE(GetCapture(), m_picker.Handle());
  EXPECT_EQ(Posted(), std::vector<std::uint32_t>{HueColour(191)});

  SendMessageW(m_picker.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(60, 30));
  const std::uint32_t expected = SquareColour(HueColour(191), 60, 29);
  EXPECT_EQ(Posted(), std::vector<std::uint32_t>{expected});
  SendMessageW(m_picker.Handle(), WM_LBUTTONUP, 0, Point(60, 30));
  EXPECT_TRUE(Posted().empty());  // the press in the square was the choice
}

TEST_F(PickerTest, UpAndDownButtonsAndTypedValuesPostTheColour) {
  m_picker.SetColour(ColourFromChannels(254, 1, 0));
  const Rect redUp = LayoutOf(ColorPickerControl::RedUp).rect;
  Click(ChildWindowFromPointEx(m_picker.Handle(), POINT{redUp.left + 2, redUp.top + 2}, CWP_ALL));
  EXPECT_EQ(Posted(), std::vector<std::uint32_t>{ColourFromChannels(255, 1, 0)});
  EXPECT_EQ(Box(ColorPickerControl::RedBox), L"255");

  SetWindowTextW(Child(ColorPickerControl::GreenBox), L"300");
  SendMessageW(m_picker.Handle(), kEditKeyUpMessage, '0', LayoutOf(ColorPickerControl::GreenBox).controlId);
  EXPECT_EQ(Posted(), std::vector<std::uint32_t>{ColourFromChannels(255, 255, 0)});
  EXPECT_EQ(Box(ColorPickerControl::GreenBox), L"255");
  EXPECT_EQ(Box(ColorPickerControl::HexBox), L"00ffff") << "the hexadecimal box follows what was typed";
  // Key releases in the hexadecimal box or from elsewhere are not choices.
  SendMessageW(m_picker.Handle(), kEditKeyUpMessage, '0', LayoutOf(ColorPickerControl::HexBox).controlId);
  SendMessageW(m_picker.Handle(), kEditKeyUpMessage, '0', 12345);
  EXPECT_TRUE(Posted().empty());
}

TEST_F(PickerTest, OddMessagesAndALostCaptureLeaveNoDragBehind) {
  SendMessageW(m_picker.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), 0);
  SendMessageW(m_picker.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), 12345);
  SendMessageW(m_picker.Handle(), WM_MOUSEMOVE, 0, Point(-300, -300));
  SendMessageW(m_picker.Handle(), WM_LBUTTONUP, 0, Point(-300, -300));
  EXPECT_TRUE(Posted().empty());
  SendMessageW(m_picker.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(205, 50));
  ReleaseCapture();
  EXPECT_FALSE(m_picker.State().dragging);
  EXPECT_EQ(Posted().size(), 1u);
}

class ListTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_host.Create());
    ASSERT_TRUE(m_list.Create(RECT{0, 0, 300, 200}, m_host.Handle(), 4114));
    EXPECT_EQ(m_list.AddLine(L"A", kListPressArrow), 0);
    EXPECT_EQ(m_list.AddLine(L"Down : 10", kListMovementLine), 1);
    EXPECT_EQ(m_list.AddLine(L"A", kListReleaseArrow), 2);
    EXPECT_EQ(m_list.AddLine(L"Left click", kListNoPicture), 3);
  }
  static LPARAM Line(int index) { return Point(40, index * 20 + 5); }

  CTestHost m_host;
  CListBoxEx m_list;
};

TEST_F(ListTest, LinesAre20PixelsHighAndPressesReportTheLine) {
  RECT r{};
  SendMessageW(m_list.Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.bottom, 60);

  // Without an owner the parent hears, without the item data.
  SendMessageW(m_list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Line(1));
  SendMessageW(m_list.Handle(), WM_LBUTTONUP, 0, Line(1));
  CTestHost::Pump();
  auto pressed = m_host.Take(0x3402);
  ASSERT_EQ(pressed.size(), 1u);
  EXPECT_EQ(pressed[0].wParam, 1u);
  EXPECT_EQ(pressed[0].lParam, 0);
  EXPECT_EQ(SendMessageW(m_list.Handle(), LB_GETCURSEL, 0, 0), 1);

  // With the owner set, it hears with the item data; right releases only
  // once they are switched on.
  m_list.SetOwner(m_host.Handle());
  SendMessageW(m_list.Handle(), WM_RBUTTONUP, 0, Line(0));
  CTestHost::Pump();
  EXPECT_TRUE(m_host.Take(0x3400).empty());
  m_list.SetRightButtonNotification(true);
  SendMessageW(m_list.Handle(), WM_RBUTTONUP, 0, Line(0));
  SendMessageW(m_list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Line(2));
  SendMessageW(m_list.Handle(), WM_LBUTTONUP, 0, Line(2));
  // Below the last line there is no line.
  SendMessageW(m_list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(40, 190));
  SendMessageW(m_list.Handle(), WM_LBUTTONUP, 0, Point(40, 190));
  CTestHost::Pump();
  auto right = m_host.Take(0x3400);
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0].lParam, kListPressArrow);
  pressed = m_host.Take(0x3402);
  ASSERT_EQ(pressed.size(), 1u);
  EXPECT_EQ(pressed[0].wParam, 2u);
  EXPECT_EQ(pressed[0].lParam, kListReleaseArrow);

  // Locked, the mouse does nothing.
  m_list.SetLocked(true);
  SendMessageW(m_list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Line(3));
  SendMessageW(m_list.Handle(), WM_RBUTTONUP, 0, Line(3));
  CTestHost::Pump();
  EXPECT_TRUE(m_host.Take(0x3402).empty());
  EXPECT_TRUE(m_host.Take(0x3400).empty());
}

TEST_F(ListTest, DoubleClicksReportMovementsAndOtherLinesButNotKeyLines) {
  for (int line : {0, 1, 2, 3}) SendMessageW(m_list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Line(line));
  CTestHost::Pump();
  auto movements = m_host.Take(0x3404);
  ASSERT_EQ(movements.size(), 1u);
  EXPECT_EQ(movements[0].wParam, 1u);
  auto others = m_host.Take(0x3403);
  ASSERT_EQ(others.size(), 1u);
  EXPECT_EQ(others[0].wParam, 3u);
}

TEST_F(ListTest, KeysAreSwallowedAndBadDrawRequestsHarmless) {
  SendMessageW(m_list.Handle(), LB_SETCURSEL, 1, 0);
  SendMessageW(m_list.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(m_list.Handle(), WM_KEYUP, VK_DOWN, 0);
  EXPECT_EQ(SendMessageW(m_list.Handle(), LB_GETCURSEL, 0, 0), 1);

  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_LISTBOX;
  draw.hwndItem = m_list.Handle();
  draw.itemID = static_cast<UINT>(-1);
  SendMessageW(m_host.Handle(), WM_DRAWITEM, 4114, reinterpret_cast<LPARAM>(&draw));
  draw.itemID = 3;  // no device context
  SendMessageW(m_host.Handle(), WM_DRAWITEM, 4114, reinterpret_cast<LPARAM>(&draw));
  draw.itemID = 99;  // no such line
  draw.hDC = GetDC(m_list.Handle());
  draw.itemData = kListPressArrow;
  SendMessageW(m_host.Handle(), WM_DRAWITEM, 4114, reinterpret_cast<LPARAM>(&draw));
  ReleaseDC(m_list.Handle(), draw.hDC);
  m_list.Clear();
  EXPECT_EQ(m_list.Count(), 0);
}

}  // namespace
}  // namespace perix::win::test
