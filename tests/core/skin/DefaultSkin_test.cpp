// The default skin in assets/ against the layout table: every file and key
// the program reads is there, every window image has its window's size, and
// the string table holds every string.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "skin/Layout.h"
#include "store/SettingsStore.h"
#include "text/Utf16.h"

namespace perix {
namespace {

const std::string kAssets = std::string(PERIX_TEST_DATA_DIR) + "/../../assets";
const std::string kSkins = kAssets + "/skins/";

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t BigEndian(const std::string& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

std::uint32_t LittleEndian(const std::string& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

// The size in an image file's header: PNG, JPEG (baseline or progressive)
// or BMP. Nothing when the file is missing or not one of those.
std::optional<Size> ImageSize(const std::string& path) {
  const auto bytes = ReadFile(path);
  if (!bytes) return std::nullopt;
  const std::string& b = *bytes;
  if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 && b.compare(12, 4, "IHDR") == 0) {
    return Size{static_cast<int>(BigEndian(b, 16, 4)), static_cast<int>(BigEndian(b, 20, 4))};
  }
  if (b.size() >= 26 && b.compare(0, 2, "BM") == 0) {
    return Size{static_cast<int>(LittleEndian(b, 18, 4)), static_cast<int>(LittleEndian(b, 22, 4))};
  }
  if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8) {
    std::size_t at = 2;
    while (at + 9 < b.size() && static_cast<unsigned char>(b[at]) == 0xFF) {
      const unsigned marker = static_cast<unsigned char>(b[at + 1]);
      const std::uint32_t length = BigEndian(b, at + 2, 2);
      const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
      if (frame) return Size{static_cast<int>(BigEndian(b, at + 7, 2)), static_cast<int>(BigEndian(b, at + 5, 2))};
      at += 2 + length;
    }
  }
  return std::nullopt;
}

std::u16string SkinValue(std::string_view skinFile, std::u16string_view section, std::u16string_view key) {
  SettingsStore store(Utf8ToUtf16(kSkins + std::string(skinFile)));
  return store.ReadString(section, key);
}

struct Window {
  std::string name;
  std::string_view skinFile;
  std::span<const std::string_view> screenKeys;
  Size size;
  std::vector<ControlLayout> controls;
};

std::vector<Window> Windows() {
  std::vector<Window> windows;
  for (const PageLayout& page : PagesInBuildOrder()) {
    Window w{std::string(page.name), page.skinFile, page.screenKeys, kMainWindowSize, {}};
    for (const ControlLayout& c : ControlsOfPage(page.page)) w.controls.push_back(c);
    windows.push_back(std::move(w));
  }
  for (const DialogLayout& dialog : Dialogs()) {
    windows.push_back({std::string(dialog.name), dialog.skinFile, dialog.screenKeys, dialog.size,
                       {dialog.controls.begin(), dialog.controls.end()}});
  }
  return windows;
}

TEST(DefaultSkin, EveryWindowImageHasTheWindowsSizeAndHoldsItsControls) {
  for (const Window& w : Windows()) {
    for (std::string_view key : w.screenKeys) {
      const std::string file = Utf16ToUtf8(SkinValue(w.skinFile, u"Screen", Widen(key)));
      ASSERT_FALSE(file.empty()) << w.skinFile << " has no Screen/" << key;
      const auto size = ImageSize(kSkins + file);
      ASSERT_TRUE(size) << w.name << ": " << file << " is missing or not an image";
      EXPECT_EQ(*size, w.size) << w.name << ": " << file;
      const Rect image{0, 0, size->width, size->height};
      for (const ControlLayout& c : w.controls) {
        if (c.rect.IsEmpty()) continue;
        EXPECT_TRUE(image.Contains(c.rect)) << w.name << "." << c.name << " in " << file;
      }
    }
  }
  // The main window takes its size from the home page's Main image.
  const auto home = ImageSize(kSkins + Utf16ToUtf8(SkinValue("skin_main.ini", u"Screen", u"Main")));
  ASSERT_TRUE(home);
  EXPECT_EQ(*home, kMainWindowSize);
}

TEST(DefaultSkin, EveryCaptionKeyTheProgramReadsHasACaption) {
  for (const Window& w : Windows()) {
    for (const ControlLayout& c : w.controls) {
      if (c.captionKey == kNoCaption) continue;
      EXPECT_FALSE(SkinValue(w.skinFile, u"BUTTONPOS", DecimalText(c.captionKey)).empty())
          << w.skinFile << " BUTTONPOS " << c.captionKey << " (" << c.name << ")";
    }
  }
  EXPECT_FALSE(SkinValue("skin_macro.ini", u"MACRODISPLAY", u"1").empty());
  EXPECT_FALSE(SkinValue("skin_singlekey.ini", u"MACRODISPLAY", u"1").empty());
}

TEST(DefaultSkin, FixedImagesFitWhereTheProgramPutsThem) {
  for (std::string_view file : FixedSkinFiles()) {
    EXPECT_TRUE(ImageSize(kSkins + std::string(file))) << file;
  }
  // A thumb taller than its bar would be cut off.
  std::vector<ControlLayout> sliders;
  for (const Window& w : Windows()) {
    for (const ControlLayout& c : w.controls) {
      if (c.kind == ControlKind::SliderBar) sliders.push_back(c);
    }
  }
  for (const ControlLayout& s : sliders) {
    const auto thumb = ImageSize(kSkins + std::string(s.slider.thumb));
    ASSERT_TRUE(thumb) << s.slider.thumb;
    EXPECT_LE(thumb->height, s.rect.Height()) << s.name;
    EXPECT_LT(thumb->width, s.rect.Width()) << s.name;
  }
  // The colour picker draws the hue bar 12 x 192 and the marks 7 x 5; at
  // those sizes the bar's rows are the hue table's colours unscaled.
  EXPECT_EQ(ImageSize(kSkins + std::string(kHueBarImage)), (Size{12, 192}));
  EXPECT_EQ(ImageSize(kSkins + std::string(kHueMarkLeftImage)), (Size{7, 5}));
  EXPECT_EQ(ImageSize(kSkins + std::string(kHueMarkRightImage)), (Size{7, 5}));
  // Menus: the window is the background's size; items are cut from the other
  // three images at the same places, so those must reach as far.
  for (const MenuLayout& menu : Menus()) {
    EXPECT_EQ(ImageSize(kSkins + std::string(menu.background)), menu.size) << menu.name;
    for (std::string_view look : {menu.highlighted, menu.pressed, menu.disabled}) {
      const auto size = ImageSize(kSkins + std::string(look));
      ASSERT_TRUE(size) << look;
      EXPECT_EQ(size->width, menu.size.width) << menu.name << " " << look;
      EXPECT_GE(size->height, MenuItemRect(menu, menu.maxItems - 1).bottom) << menu.name << " " << look;
    }
  }
  const auto nameMenu = ImageSize(kSkins + std::string(kMacroNameMenuImage));
  ASSERT_TRUE(nameMenu);
  EXPECT_EQ(*nameMenu, DialogLayoutOf(Dialog::MacroNameMenu).size);
}

TEST(DefaultSkin, ProgramBitmapsHaveTheirSizes) {
  EXPECT_EQ(ImageSize(kAssets + "/res/arrow_press.bmp"), (Size{18, 18}));    // 149
  EXPECT_EQ(ImageSize(kAssets + "/res/arrow_release.bmp"), (Size{18, 18}));  // 148
  // 137 and 138 sit in a key display row 15 pixels high.
  for (const char* file : {"/res/key_separator.bmp", "/res/key_join.bmp"}) {
    const auto size = ImageSize(kAssets + file);
    ASSERT_TRUE(size) << file;
    EXPECT_LE(size->height, LayoutOf(KeyDialogControl::Display).rect.Height()) << file;
  }
  const auto icon = ReadFile(kAssets + "/res/perix.ico");
  ASSERT_TRUE(icon);
  ASSERT_GE(icon->size(), 6u);
  EXPECT_EQ(LittleEndian(*icon, 2, 2), 1u);  // an icon, not a cursor
  std::vector<int> widths;
  for (std::uint32_t i = 0; i < LittleEndian(*icon, 4, 2); ++i) {
    const int w = static_cast<unsigned char>((*icon)[6 + 16 * i]);
    widths.push_back(w == 0 ? 256 : w);
  }
  EXPECT_EQ(widths, (std::vector<int>{16, 24, 32, 48, 64, 256}));
}

// Every string of section "BUTTONPAGE" the program looks up.
constexpr const char* kStringKeys[] = {
    "ADDITIONALCOMMAND", "ADVANCEDCOMMAND", "ASSIGNKEY", "BASICCOMMAND", "BUTTON4", "BUTTON5", "CLICK",
    "CLOSE_WINDOWS", "COPY", "COPYACT", "CUTACT", "DBCLICK", "DPIDOWN", "DPIFUN", "DPISHIFT", "DPISTAGE",
    "DPISWITCH", "DPIUP", "FIND", "GAMEKEY", "GUNFIREKEY", "HANDSWITCH", "INSERTNEWACT", "LEDMODE1", "LEDMODE2",
    "LEDMODE3", "LEDMODE4", "LEDMODE5", "LEDMODE6", "LEDMODEDIR1", "LEDMODEDIR2", "LEDMODEDIR3", "LEDMODEDIR4",
    "LEDSWITCH", "LOCK_PC", "MACRO", "MACROCOMMAND", "MACROFILENAME", "MEDIACOMMAND", "MENU", "MIDDLE", "MOVEDOWN",
    "MOVELEFT", "MOVERIGHT", "MOVEUP", "MUTE", "NEWMACRO", "NEXT", "OFFBUTTON", "OPEN_EXPLORER", "PASTE",
    "PASTEACT", "PLAYPAUSE", "PREVIOUS", "PRINT", "PROFILEDOWN", "PROFILEUP", "SAVE", "SCROLLDOWN", "SCROLLLEFT",
    "SCROLLRIGHT", "SCROLLUP", "SELECTALL", "SHIFT", "SHIFT1", "SHIFT2", "SHIFT3", "SHIFT4", "SHIFT5",
    "SHOW_DESKTOP", "STOP", "SWAP_WINDOWS", "UNDO", "VOLUMEDOWN", "VOLUMEUP", "WARN1", "WARN2", "WARN3", "XSHOOT",
    "CUT", "NEW", "RUN",
};

// The text of the first element `<name>` that holds only text, or nothing.
std::optional<std::string> ElementText(const std::string& doc, const std::string& name) {
  const std::string open = "<" + name + ">";
  const std::size_t start = doc.find(open);
  if (start == std::string::npos) return std::nullopt;
  const std::size_t from = start + open.size();
  const std::size_t end = doc.find("</" + name + ">", from);
  if (end == std::string::npos) return std::nullopt;
  return doc.substr(from, end - from);
}

TEST(DefaultSkin, StringTableHoldsEveryStringUnderItsRoot) {
  const auto doc = ReadFile(kAssets + "/Strings.xml");
  ASSERT_TRUE(doc);
  EXPECT_TRUE(IsValidUtf8(*doc));
  // One root element, named after the section the strings are looked up in.
  const std::size_t root = doc->find("<BUTTONPAGE>");
  ASSERT_NE(root, std::string::npos);
  EXPECT_EQ(doc->find('<', doc->find("-->") + 3), root) << "nothing but the prolog before the root";
  const std::size_t close = doc->rfind("</BUTTONPAGE>");
  ASSERT_NE(close, std::string::npos);
  EXPECT_EQ(doc->find_first_not_of(" \r\n", close + 13), std::string::npos) << "nothing after the root";
  for (const char* key : kStringKeys) {
    const auto text = ElementText(*doc, key);
    ASSERT_TRUE(text) << key;
    EXPECT_FALSE(text->empty()) << key;
    EXPECT_EQ(text->find('<'), std::string::npos) << key;
  }
  // The three warnings end up in message boxes: they ask or explain in
  // full sentences.
  for (const char* key : {"WARN1", "WARN2"}) {
    EXPECT_NE(ElementText(*doc, key).value_or("").find('?'), std::string::npos) << key;
  }
  const auto font = ElementText(*doc, "FONT");
  ASSERT_TRUE(font);
  EXPECT_EQ(*font, "Tahoma");
}

}  // namespace
}  // namespace perix
