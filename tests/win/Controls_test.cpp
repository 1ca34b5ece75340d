#include <gtest/gtest.h>

#include <string>

#include "TestHost.h"
#include "controls/BitmapBtn.h"
#include "controls/BmpMenu.h"
#include "controls/ClrEdit.h"
#include "controls/PngHSlider.h"
#include "controls/SkinEnvironment.h"
#include "controls/SkinImage.h"
#include "controls/StaticTrans.h"
#include "controls/WindowShape.h"
#include "framework/Gdi.h"
#include "skin/BmpMenuItems.h"
#include "skin/ControlMessages.h"

namespace perix::win::test {
namespace {

constexpr std::uint32_t kKey = 0xFFFF00FF;
constexpr std::uint32_t kInk = 0xFF203040;

TEST(CutControlImage, CopiesTheRectangleExactly) {
  ImagePtr page(new Gdiplus::Bitmap(10, 8, PixelFormat32bppARGB));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) page->SetPixel(x, y, Gdiplus::Color(0xFF000000u | (x << 8) | y));
  ImagePtr cut = CutControlImage(page.get(), 2, 3, 4, 2);
  ASSERT_TRUE(cut);
  EXPECT_EQ(ImageSize(cut.get()).cx, 4);
  EXPECT_EQ(ImageSize(cut.get()).cy, 2);
  EXPECT_EQ(PixelAt(cut.get(), 0, 0), 0xFF000203u);
  EXPECT_EQ(PixelAt(cut.get(), 3, 1), 0xFF000504u);
}

TEST(CutControlImage, PartsOffThePageAreTransparentAndMissesGiveNothing) {
  ImagePtr page = SolidImage(10, 8, kInk);
  ImagePtr edge = CutControlImage(page.get(), -2, 6, 4, 4);
  ASSERT_TRUE(edge);
  EXPECT_EQ(PixelAt(edge.get(), 0, 0) >> 24, 0u);
  EXPECT_EQ(PixelAt(edge.get(), 2, 1), kInk);
  EXPECT_EQ(PixelAt(edge.get(), 2, 2) >> 24, 0u);
  EXPECT_FALSE(CutControlImage(page.get(), 20, 20, 3, 3));
  EXPECT_FALSE(CutControlImage(page.get(), 0, 0, 0, 3));
  EXPECT_FALSE(CutControlImage(nullptr, 0, 0, 3, 3));
}

TEST(SkinImages, LoadFromTheSkinsFolderOrFailQuietly) {
  const std::wstring root = ScratchFolder(L"images");
  SetProgramFolder(root);
  ASSERT_TRUE(SavePng(SolidImage(7, 5, kInk).get(), root + L"skins\\page.png"));
  ImagePtr page = LoadSkinImage(L"page.png");
  ASSERT_TRUE(page);
  EXPECT_EQ(ImageSize(page.get()).cx, 7);
  EXPECT_TRUE(LoadImageFile(L"skins\\page.png"));
  EXPECT_FALSE(LoadSkinImage(L""));  // the bare folder
  EXPECT_FALSE(LoadSkinImage(L"missing.png"));
  EXPECT_FALSE(LoadImageFile(root + L"skins\\missing.png"));
}

TEST(WindowShape, RegionsAreBuiltInBatches) {
  // 4500 separate pixels: three batches.
  std::vector<Rect> rects;
  for (int i = 0; i < 4500; ++i) rects.push_back({(i % 100) * 2, i / 100, (i % 100) * 2 + 1, i / 100 + 1});
  RegionHandle region = RegionFromRects(rects);
  ASSERT_TRUE(region);
  EXPECT_TRUE(PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 198, 44));
  EXPECT_FALSE(PtInRegion(region.get(), 1, 0));
  EXPECT_FALSE(PtInRegion(region.get(), 0, 45));
}

TEST(WindowShape, MaskAndImageCutPixelsOutOfTheWindow) {
  CTestHost window;
  ASSERT_TRUE(window.Create(20, 10));
  ImagePtr mask = SolidImage(20, 10, kInk);
  mask->SetPixel(0, 0, Gdiplus::Color(0xFFFF05FF));  // within 8 of the key
  mask->SetPixel(19, 9, Gdiplus::Color(kKey));
  ASSERT_TRUE(ApplyMaskShape(window.Handle(), mask.get(), {0xFF, 0x00, 0xFF}, 8));
  RegionHandle shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(window.Handle(), shape.get()), ERROR);
  EXPECT_FALSE(PtInRegion(shape.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(shape.get(), 19, 9));
  EXPECT_TRUE(PtInRegion(shape.get(), 10, 5));

  ImagePtr thumb = SolidImage(20, 10, kKey);
  thumb->SetPixel(5, 5, Gdiplus::Color(kInk));
  ASSERT_TRUE(ApplyImageShape(window.Handle(), thumb.get(), true));
  ASSERT_NE(GetWindowRgn(window.Handle(), shape.get()), ERROR);
  EXPECT_TRUE(PtInRegion(shape.get(), 5, 5));
  EXPECT_FALSE(PtInRegion(shape.get(), 0, 9));
  EXPECT_FALSE(ApplyImageShape(window.Handle(), nullptr, false));
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST(BitmapBtn, ToggleModeSendsOneCommandPerClickAndNoneWithoutAPress) {
  CTestHost host;
  ASSERT_TRUE(host.Create());
  CBitmapBtn button;
  ASSERT_TRUE(button.Create(L"Toggle", WS_VISIBLE, RECT{10, 10, 110, 40}, host.Handle(), 0));
  button.SetToggleMode(true);
  SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, At(5, 5));
  CTestHost::Pump();
  auto commands = host.Take(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(HIWORD(commands[0].wParam), BN_CLICKED);
  EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(button.Handle()));
  EXPECT_EQ(button.GetCheck(), 1);
  EXPECT_NE(GetCapture(), button.Handle());

  // A release that no press on the button began, or one off the button.
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, At(5, 5));
  SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, At(500, 5));
  CTestHost::Pump();
  EXPECT_TRUE(host.Take(WM_COMMAND).empty());
  EXPECT_EQ(button.GetCheck(), 1);
}

TEST(BitmapBtn, PlainClickComesFromThePlatformButton) {
  CTestHost host;
  ASSERT_TRUE(host.Create());
  CBitmapBtn button;
  ASSERT_TRUE(button.Create(L"Press", WS_VISIBLE, RECT{10, 10, 110, 40}, host.Handle(), 0));
  SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, At(5, 5));
  CTestHost::Pump();
  EXPECT_EQ(host.Take(WM_COMMAND).size(), 1u);
  EXPECT_EQ(button.GetCheck(), 0);
}

TEST(BitmapBtn, DrawsWithOrWithoutImagesAndSurvivesBadDrawRequests) {
  CTestHost host;
  ASSERT_TRUE(host.Create());
  ImagePtr page = SolidImage(200, 100, kInk);
  CBitmapBtn withImages, bare;
  ASSERT_TRUE(withImages.Create(L"Image", WS_VISIBLE, RECT{0, 0, 100, 30}, host.Handle(), 0));
  ASSERT_TRUE(bare.Create(L"Caption", WS_VISIBLE, RECT{0, 40, 100, 70}, host.Handle(), 0));
  withImages.SetImages(0, 0, 100, 30, page.get(), nullptr, page.get(), nullptr);
  withImages.SetCaption(L"Turned", 0, kCaptionRotated270);
  bare.SetTextBox(RECT{0, 0, 100, 30}, TextBoxLayout::CentredWrapped);

  WindowDc screen(host.Handle());
  OffscreenBuffer buffer(screen.Get(), 100, 30);
  ASSERT_TRUE(buffer.Valid());
  SetPixel(buffer.Get(), 50, 2, RGB(1, 2, 3));
  for (CBitmapBtn* button : {&withImages, &bare}) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = button->Handle();
    dis.hDC = buffer.Get();
    dis.rcItem = RECT{0, 0, 100, 30};
    dis.itemState = ODS_DISABLED;  // the disabled look is missing: nothing is drawn
    EXPECT_EQ(SendMessageW(host.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), TRUE);
    dis.itemState = 0;
    dis.hDC = nullptr;
    SendMessageW(host.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  }
  EXPECT_EQ(GetPixel(buffer.Get(), 50, 2), RGB(1, 2, 3));

  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.hwndItem = withImages.Handle();
  dis.hDC = buffer.Get();
  dis.rcItem = RECT{0, 0, 100, 30};
  SendMessageW(host.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(GetPixel(buffer.Get(), 50, 2), RGB(0x20, 0x30, 0x40));
}

TEST(ClrEdit, ReportsKeyReleasesAndKeepsOneBrush) {
  CTestHost host;
  ASSERT_TRUE(host.Create());
  CClrEdit edit;
  ASSERT_TRUE(edit.Create(L"", WS_VISIBLE, RECT{0, 0, 100, 20}, host.Handle(), 20481));
  SendMessageW(edit.Handle(), WM_KEYUP, 'A', 0xC0000001);
  CTestHost::Pump();
  auto keys = host.Take(kEditKeyUpMessage);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(keys[0].lParam, 20481);

  WindowDc dc(edit.Handle());
  const LRESULT first = SendMessageW(host.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
                                     reinterpret_cast<LPARAM>(edit.Handle()));
  EXPECT_NE(first, 0);
  EXPECT_EQ(SendMessageW(host.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
                         reinterpret_cast<LPARAM>(edit.Handle())),
            first);
}

TEST(StaticTrans, TransparentUntilGivenABackColour) {
  CTestHost host;
  ASSERT_TRUE(host.Create());
  CStaticTrans label;
  ASSERT_TRUE(label.Create(L"Text", WS_VISIBLE, RECT{0, 0, 100, 20}, host.Handle()));
  EXPECT_EQ(label.ControlId(), 0xFFFF);
  WindowDc dc(label.Handle());
  auto ask = [&] {
    return SendMessageW(host.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                        reinterpret_cast<LPARAM>(label.Handle()));
  };
  EXPECT_EQ(ask(), reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH)));
  EXPECT_EQ(GetBkMode(dc.Get()), TRANSPARENT);
  label.SetBackColor(RGB(10, 20, 30));
  const LRESULT solid = ask();
  EXPECT_NE(solid, reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH)));
  EXPECT_EQ(ask(), solid);
  label.SetCaption(L"Other");
  EXPECT_EQ(label.Text(), L"Other");
}

class SliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = ScratchFolder(L"slider");
    SetProgramFolder(root);
    ImagePtr thumb = SolidImage(14, 15, kKey);
    for (int x = 3; x < 11; ++x) thumb->SetPixel(x, 5, Gdiplus::Color(kInk));
    ASSERT_TRUE(SavePng(thumb.get(), root + L"skins\\thumb.png"));
    ASSERT_TRUE(host.Create());
  }
  std::wstring root;
  CTestHost host;
};

TEST_F(SliderTest, PressAndReleaseOnTheBarReportInTheParentsCoordinates) {
  CPngHSliderBar bar;
  // The level slider of the advanced page: 404 pixels from x = 264.
  ASSERT_TRUE(bar.Create(L"skins\\thumb.png", L"", RECT{264, 100, 668, 115}, host.Handle(), 10001));
  bar.SetRange(1, 12);
  SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(0, 5));
  SendMessageW(bar.Handle(), WM_LBUTTONUP, 0, At(403, 5));
  CTestHost::Pump();
  auto reports = host.Take(kSliderPositionMessage);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].wParam, 1u);
  EXPECT_EQ(reports[0].lParam, 10001);
  EXPECT_EQ(reports[1].wParam, 12u);
  EXPECT_EQ(bar.GetPos(), 12);
  EXPECT_EQ(bar.Thumb().Left(), 390);
  bar.SetPos(13);
  EXPECT_EQ(bar.GetPos(), 1);
  EXPECT_EQ(bar.Thumb().Left(), 0);
}

TEST_F(SliderTest, ThumbDragReportsThroughTheBar) {
  CPngHSliderBar bar;
  ASSERT_TRUE(bar.Create(L"skins\\thumb.png", L"", RECT{20, 100, 424, 115}, host.Handle(), 10009));
  bar.SetRange(1, 12);
  bar.SetPos(1);
  HWND thumb = bar.Thumb().Handle();
  ASSERT_NE(thumb, nullptr);
  SendMessageW(thumb, WM_LBUTTONDOWN, MK_LBUTTON, At(6, 6));
  EXPECT_TRUE(bar.Thumb().IsDragging());
  // The thumb moves with the pointer; measured in its own coordinates, the
  // pointer stays where it was grabbed.
  SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, At(206, 6));
  EXPECT_EQ(bar.Thumb().Left(), 200);
  SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, At(5000, 6));  // held at the track's end
  EXPECT_EQ(bar.Thumb().Left(), 397);
  SendMessageW(thumb, WM_MOUSEMOVE, MK_LBUTTON, At(6 + 200 - 397, 6));
  EXPECT_EQ(bar.Thumb().Left(), 200);
  SendMessageW(thumb, WM_LBUTTONUP, 0, At(6, 6));
  EXPECT_FALSE(bar.Thumb().IsDragging());
  CTestHost::Pump();
  auto reports = host.Take(kSliderPositionMessage);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].wParam, 7u);
  EXPECT_EQ(reports[0].lParam, 10009);

  // A disabled bar's thumb does not move.
  bar.Enable(false);
  SendMessageW(thumb, WM_LBUTTONDOWN, MK_LBUTTON, At(6, 6));
  EXPECT_FALSE(bar.Thumb().IsDragging());
}

TEST_F(SliderTest, MissingImagesAndEmptyRangesAreHarmless) {
  CPngHSliderBar bar;
  ASSERT_TRUE(bar.Create(L"skins\\missing.png", L"skins\\missing2.png", RECT{0, 0, 100, 10}, host.Handle(), 3));
  bar.SetBackground(RECT{0, 0, 100, 10}, nullptr, nullptr);
  bar.SetRange(5, 5);
  bar.SetPos(5);
  EXPECT_EQ(bar.GetPos(), 5);
  SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(50, 5));
  bar.SetRange(9, 2);
  SendMessageW(bar.Handle(), WM_LBUTTONUP, 0, At(-30000, 5));
  UpdateWindow(bar.Handle());
  CTestHost::Pump();
  auto reports = host.Take(kSliderPositionMessage);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].wParam, 5u);
  EXPECT_EQ(reports[1].wParam, 9u);
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = ScratchFolder(L"menu");
    SetProgramFolder(root);
    ASSERT_TRUE(SavePng(SolidImage(160, 72, kInk).get(), root + L"skins\\bg.png"));
    ASSERT_TRUE(SavePng(SolidImage(120, 97, kInk).get(), root + L"skins\\sub.png"));
    ASSERT_TRUE(host.Create());
    ClearBmpMenuItems();
  }
  void TearDown() override { ClearBmpMenuItems(); }

  std::unique_ptr<CBmpMenu> Open(bool withImages) {
    auto menu = std::make_unique<CBmpMenu>();
    if (withImages) {
      menu->SetImages(L"skins\\bg.png", L"skins\\bg.png", L"skins\\bg.png", L"skins\\bg.png");
      menu->SetSubMenuImages(L"skins\\sub.png", L"skins\\sub.png", L"skins\\sub.png", L"skins\\sub.png");
    }
    menu->SetPosition(kOffscreen, kOffscreen);
    EXPECT_TRUE(menu->Create(host.Handle()));
    return menu;
  }

  std::wstring root;
  CTestHost host;
};

TEST_F(MenuTest, HoverOpensTheSubMenuBesideItsItemAndASubItemReportsToTheOpener) {
  CBmpMenu::AddItem(L"Click", 1);
  const int media = CBmpMenu::AddItem(L"Media", 19);
  CBmpMenu::AddSubItem(media, L"Play", 32);
  CBmpMenu::AddSubItem(media, L"Stop", 33);
  CBmpMenu::AddItem(L"Off", 7);
  auto menu = Open(true);
  EXPECT_EQ(menu->ItemCount(), 3);

  // What item 1's button forwards when the pointer is over it.
  SendMessageW(menu->Handle(), WM_MOUSEMOVE, 0, At(kOffscreen + 10, kOffscreen + 30));
  CSubBmpMenu* sub = menu->OpenSubMenu();
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->ParentIndex(), 1);
  EXPECT_EQ(BmpMenuItemList()[1].subMenuOpen, 1);
  RECT r{};
  GetWindowRect(sub->Handle(), &r);
  EXPECT_EQ(r.left, kOffscreen + 160);
  EXPECT_EQ(r.top, kOffscreen + 24);
  EXPECT_EQ(r.bottom - r.top, 2 * 24 + 1);

  // Click the second sub-item.
  HWND second = GetWindow(GetWindow(sub->Handle(), GW_CHILD), GW_HWNDNEXT);
  ASSERT_NE(second, nullptr);
  SendMessageW(sub->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(second));
  CTestHost::Pump();
  auto choices = host.Take(kMenuChoiceMessage);
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].wParam, 0x00010001u);
  EXPECT_EQ(static_cast<std::uint32_t>(choices[0].lParam), 0x00130021u);

  // Over the first item the sub-menu closes.
  SendMessageW(menu->Handle(), WM_MOUSEMOVE, 0, At(kOffscreen + 10, kOffscreen + 5));
  EXPECT_EQ(menu->OpenSubMenu(), nullptr);
  EXPECT_EQ(BmpMenuItemList()[1].subMenuOpen, 0);

  // A plain item reports itself.
  SendMessageW(menu->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(menu->ItemWindow(2)));
  CTestHost::Pump();
  choices = host.Take(kMenuChoiceMessage);
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].wParam, 0x00020000u);
  EXPECT_EQ(static_cast<std::uint32_t>(choices[0].lParam), 0x00070000u);

  menu.reset();
  EXPECT_TRUE(BmpMenuItemList().empty());
}

TEST_F(MenuTest, WithoutImagesTheMenuHasNoSizeAndOddMessagesDoNothing) {
  for (int i = 0; i < 25; ++i) CBmpMenu::AddItem(L"Item", static_cast<std::uint32_t>(i));
  CBmpMenu::AddSubItem(0, L"Sub", 1);
  auto menu = Open(false);
  RECT r{};
  GetWindowRect(menu->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.bottom - r.top, 0);
  EXPECT_EQ(menu->ItemCount(), 20);

  PostMessageW(menu->Handle(), kSubMenuChoiceMessage, 0xFFFF0000u, 5);
  PostMessageW(menu->Handle(), kSubMenuChoiceMessage, 0x00070003u, 5);  // item 7 has no sub-items
  SendMessageW(menu->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), 12345);
  SendMessageW(menu->Handle(), WM_MOUSEMOVE, 0, At(-32000, 32000));
  UpdateWindow(menu->Handle());
  CTestHost::Pump();
  auto choices = host.Take(kMenuChoiceMessage);
  ASSERT_EQ(choices.size(), 1u);  // the sub-item report of an existing item is passed on as it is
  EXPECT_EQ(static_cast<std::uint32_t>(choices[0].lParam), 0x00070005u);
}

}  // namespace
}  // namespace perix::win::test
