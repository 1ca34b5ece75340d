#include "skin/Layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace perix {
namespace {

struct Window {
  std::string name;
  Size size;
  std::vector<ControlLayout> controls;
};

// What can be seen at once: a page's own controls plus the home controls kept
// on every page; each dialog; the colour picker's children.
std::vector<Window> Windows() {
  std::vector<Window> windows;
  for (const PageLayout& page : PagesInBuildOrder()) {
    Window w{std::string(page.name), kMainWindowSize, {}};
    for (const ControlLayout& c : ControlsOfPage(page.page)) w.controls.push_back(c);
    if (page.page != Page::Home) {
      for (const ControlLayout& c : ControlsOfPage(Page::Home)) {
        if (c.Has(ControlFlag::EveryPage)) w.controls.push_back(c);
      }
    }
    windows.push_back(std::move(w));
  }
  for (const DialogLayout& dialog : Dialogs()) {
    windows.push_back({std::string(dialog.name), dialog.size, {dialog.controls.begin(), dialog.controls.end()}});
  }
  const Rect picker = LayoutOf(Control::LightingColorPicker).rect;
  windows.push_back({"ColorPicker",
                     {picker.Width(), picker.Height()},
                     {ColorPickerControls().begin(), ColorPickerControls().end()}});
  return windows;
}

TEST(Layout, EveryControlBelongsToThePageWhoseRunHoldsIt) {
  std::map<Page, int> seen;
  for (const PageLayout& page : PagesInBuildOrder()) {
    for (const ControlLayout& c : ControlsOfPage(page.page)) {
      EXPECT_EQ(PageOf(static_cast<Control>(c.index)), page.page) << c.name;
      ++seen[page.page];
    }
    Page back = Page::Home;
    ASSERT_TRUE(PageFromIdentifier(page.identifier, back));
    EXPECT_EQ(back, page.page);
  }
  EXPECT_EQ(seen.size(), kPageCount);
  Page none = Page::Home;
  EXPECT_FALSE(PageFromIdentifier(kBlankPageIdentifier, none));
  EXPECT_FALSE(PageFromIdentifier(kFirstPageIdentifier - 1, none));
  // The pages are built home, buttons, advanced, lighting, macros.
  std::vector<Page> order;
  for (const PageLayout& page : PagesInBuildOrder()) order.push_back(page.page);
  EXPECT_EQ(order, (std::vector<Page>{Page::Home, Page::Buttons, Page::Advanced, Page::Lighting, Page::Macros}));
  EXPECT_EQ(PageIdentifier(Page::Macros), 100002);
  EXPECT_EQ(PageIdentifier(Page::Advanced), 100004);
}

TEST(Layout, RectanglesAreEitherEmptyOrInsideTheirWindow) {
  for (const Window& w : Windows()) {
    const Rect window{0, 0, w.size.width, w.size.height};
    for (const ControlLayout& c : w.controls) {
      if (c.rect == Rect{}) continue;
      EXPECT_GT(c.rect.Width(), 0) << w.name << "." << c.name;
      EXPECT_GT(c.rect.Height(), 0) << w.name << "." << c.name;
      EXPECT_TRUE(window.Contains(c.rect)) << w.name << "." << c.name;
    }
  }
}

TEST(Layout, VisibleControlsOfOneWindowDoNotOverlap) {
  // The X-shoot dialog's second note line reaches into the OK and Cancel
  // buttons by three pixels; its text is drawn from the top and stays clear.
  const std::set<std::pair<std::string, std::string>> allowed = {
      {"NoteLine2", "Ok"},
      {"NoteLine2", "Cancel"},
  };
  for (const Window& w : Windows()) {
    for (std::size_t i = 0; i < w.controls.size(); ++i) {
      for (std::size_t j = i + 1; j < w.controls.size(); ++j) {
        const ControlLayout& a = w.controls[i];
        const ControlLayout& b = w.controls[j];
        if (!a.IsVisible() || !b.IsVisible() || !a.rect.Intersects(b.rect)) continue;
        const bool ok = allowed.count({std::string(a.name), std::string(b.name)}) != 0 ||
                        allowed.count({std::string(b.name), std::string(a.name)}) != 0;
        EXPECT_TRUE(ok) << w.name << ": " << a.name << " overlaps " << b.name;
      }
    }
  }
}

TEST(Layout, ControlIdsAndCaptionKeysAreNotUsedTwiceByOneKindOfControl) {
  for (const Window& w : Windows()) {
    std::map<int, std::string> ids;
    std::map<std::pair<bool, int>, std::string> keys;  // (is a label, key)
    for (const ControlLayout& c : w.controls) {
      if (c.controlId != 0) {
        EXPECT_TRUE(ids.emplace(c.controlId, std::string(c.name)).second)
            << w.name << ": " << c.name << " and " << ids[c.controlId] << " share ID " << c.controlId;
      }
      // A label may share its key with a button, never with another label,
      // and two buttons never share one. Home controls shown on a sub-page
      // read the home page's skin file.
      const bool ownSkin = w.name == "Home" || !c.Has(ControlFlag::EveryPage);
      if (c.captionKey != kNoCaption && ownSkin) {
        const auto key = std::make_pair(c.kind == ControlKind::Label, c.captionKey);
        EXPECT_TRUE(keys.emplace(key, std::string(c.name)).second)
            << w.name << ": " << c.name << " and " << keys[key] << " share caption key " << c.captionKey;
      }
    }
  }
}

TEST(Layout, SlidersHaveARangeAThumbAndABackground) {
  std::vector<ControlLayout> sliders;
  for (const Window& w : Windows()) {
    for (const ControlLayout& c : w.controls) {
      if (c.kind == ControlKind::SliderBar) sliders.push_back(c);
    }
  }
  ASSERT_EQ(sliders.size(), 7u);  // level, X, Y, acceleration, brightness, speed, fire key
  const auto fixed = FixedSkinFiles();
  for (const ControlLayout& s : sliders) {
    EXPECT_LT(s.slider.minimum, s.slider.maximum) << s.name;
    EXPECT_NE(s.slider.background, SkinImage::None) << s.name;
    EXPECT_NE(s.controlId, 0) << s.name;
    EXPECT_NE(std::find(fixed.begin(), fixed.end(), s.slider.thumb), fixed.end()) << s.name;
  }
  EXPECT_EQ(LayoutOf(Control::AdvancedLevelSlider).slider.maximum, 12);
  EXPECT_EQ(LayoutOf(Control::AdvancedAccelerationSlider).slider.maximum, 13);
  EXPECT_EQ(LayoutOf(FireKeyControl::Slider).slider.minimum, 10);
}

TEST(Layout, EveryMenuItemFitsItsBackground) {
  for (const MenuLayout& menu : Menus()) {
    for (int i = 0; i < menu.maxItems; ++i) {
      const Rect item = MenuItemRect(menu, i);
      EXPECT_EQ(item.Height(), menu.itemHeight - menu.firstItemTop) << menu.name << " item " << i;
      EXPECT_LE(item.bottom, menu.size.height) << menu.name << " item " << i;
    }
  }
  // The assignment menu is kept inside a 157 x 264 box by the button page.
  const MenuLayout& assignment = MenuLayoutOf(Menu::Assignment);
  EXPECT_LE(assignment.size.width, 157);
  EXPECT_LE(assignment.size.height, 264);
}

}  // namespace
}  // namespace perix
