// Skin images kept as plain pixels must draw exactly what GDI+ drew from the
// decoded page, and the pages' backgrounds kept as differences from the home
// page must paint exactly the page.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "TestHost.h"
#include "controls/PageBackgrounds.h"
#include "controls/SkinImage.h"
#include "framework/Gdi.h"

namespace perix::win::test {
namespace {

// A 32-bit top-down surface to draw into and read back.
class Surface {
 public:
  Surface(int width, int height, COLORREF fill = RGB(7, 8, 9)) : m_width(width), m_height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
    m_previous = SelectObject(m_dc.Get(), m_bitmap.get());
    BrushHandle brush(CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    FillRect(m_dc.Get(), &all, brush.get());
  }
  ~Surface() { SelectObject(m_dc.Get(), m_previous); }
  HDC Dc() const { return m_dc.Get(); }
  std::vector<std::uint32_t> Pixels() const {
    GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(m_width) * m_height);
    std::memcpy(pixels.data(), m_bits, pixels.size() * 4);
    for (auto& p : pixels) p &= 0xFFFFFF;
    return pixels;
  }

 private:
  int m_width;
  int m_height;
  MemoryDc m_dc{nullptr};
  BitmapHandle m_bitmap;
  void* m_bits = nullptr;
  HGDIOBJ m_previous = nullptr;
};

// A page whose every pixel differs from its neighbours.
ImagePtr PatternImage(int width, int height, std::uint32_t alpha = 0xFF) {
  ImagePtr image(new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image->SetPixel(x, y, Gdiplus::Color(alpha << 24 | (x * 7 & 0xFF) << 16 | (y * 5 & 0xFF) << 8 | ((x + y) & 0xFF)));
    }
  }
  return image;
}

TEST(SkinBitmap, OpaqueCutsDrawWhatGdiPlusDrew) {
  ImagePtr page = PatternImage(120, 90);
  const SkinBitmap cut = SkinBitmap::Cut(page.get(), 13, 21, 50, 40);
  ASSERT_TRUE(cut);
  EXPECT_TRUE(cut.Opaque());
  ImagePtr reference = CutControlImage(page.get(), 13, 21, 50, 40);

  // Whole, at an offset; a part starting inside the image (rows and columns
  // other than the first); scaled.
  Surface ours(80, 70), theirs(80, 70);
  cut.Draw(ours.Dc(), RECT{5, 6, 55, 46});
  DrawImage(theirs.Dc(), reference.get(), RECT{5, 6, 55, 46});
  EXPECT_EQ(ours.Pixels(), theirs.Pixels());

  Surface oursPart(80, 70), theirsPart(80, 70);
  cut.DrawPart(oursPart.Dc(), 3, 4, 11, 17, 30, 20);
  DrawImagePart(theirsPart.Dc(), reference.get(), 3, 4, 11, 17, 30, 20);
  EXPECT_EQ(oursPart.Pixels(), theirsPart.Pixels());

  Surface oursScaled(80, 70), theirsScaled(80, 70);
  cut.Draw(oursScaled.Dc(), RECT{0, 0, 75, 61});
  DrawImage(theirsScaled.Dc(), reference.get(), RECT{0, 0, 75, 61});
  EXPECT_EQ(oursScaled.Pixels(), theirsScaled.Pixels());
}

TEST(SkinBitmap, TransparencyIsKeptOffThePageAndInTranslucentImages) {
  ImagePtr page = PatternImage(40, 30);
  // Past the page's right edge: those pixels stay the background's.
  const SkinBitmap edge = SkinBitmap::Cut(page.get(), 30, 0, 20, 10);
  ASSERT_TRUE(edge);
  EXPECT_FALSE(edge.Opaque());
  Surface surface(20, 10, RGB(1, 2, 3));
  edge.Draw(surface.Dc(), RECT{0, 0, 20, 10});
  const auto pixels = surface.Pixels();
  EXPECT_NE(pixels[5], 0x010203u);
  EXPECT_EQ(pixels[15], 0x010203u);

  ImagePtr translucent = PatternImage(10, 10, 0x80);
  ImagePtr copy = CutControlImage(translucent.get(), 0, 0, 10, 10);
  const SkinBitmap kept = SkinBitmap::FromImage(std::move(translucent));
  EXPECT_FALSE(kept.Opaque());
  Surface ours(10, 10), theirs(10, 10);
  kept.Draw(ours.Dc(), RECT{0, 0, 10, 10});
  DrawImage(theirs.Dc(), copy.get(), RECT{0, 0, 10, 10});
  EXPECT_EQ(ours.Pixels(), theirs.Pixels());

  EXPECT_FALSE(SkinBitmap::Cut(nullptr, 0, 0, 5, 5));
  EXPECT_FALSE(SkinBitmap::Cut(page.get(), 100, 100, 5, 5));
  EXPECT_FALSE(SkinBitmap::FromImage(nullptr));
}

bool Same(const RECT& a, RECT b) { return EqualRect(&a, &b) != FALSE; }

PixelRows Rows(Gdiplus::Bitmap* image) {
  PixelRows rows;
  const SIZE size = ImageSize(image);
  EXPECT_TRUE(PixelRows::FromOpaqueImage(image, Gdiplus::Rect(0, 0, size.cx, size.cy), rows));
  return rows;
}

TEST(PageBackgrounds, DifferencesAreJoinedTilesInBandOrder) {
  ImagePtr home = PatternImage(100, 50);
  ImagePtr page = PatternImage(100, 50);
  EXPECT_TRUE(DifferingRectangles(Rows(home.get()), Rows(page.get())).empty());

  // Tiles of 16: (5, 5) is in tile 0 of band 0; (40, 3) in tile 2, one equal
  // tile away, joined; (99, 49) in the last, short tile of the last band.
  page->SetPixel(5, 5, Gdiplus::Color(0xFF000000));
  page->SetPixel(40, 3, Gdiplus::Color(0xFF000000));
  page->SetPixel(99, 49, Gdiplus::Color(0xFF000000));
  const auto rects = DifferingRectangles(Rows(home.get()), Rows(page.get()), 16, 1);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_TRUE(Same(rects[0], RECT{0, 0, 48, 16}));
  EXPECT_TRUE(Same(rects[1], RECT{96, 48, 100, 50}));
  // Without joining, the first band gives two.
  EXPECT_EQ(DifferingRectangles(Rows(home.get()), Rows(page.get()), 16, 0).size(), 3u);

  // Sizes that do not match: the whole page.
  ImagePtr other = PatternImage(30, 20);
  const auto whole = DifferingRectangles(Rows(home.get()), Rows(other.get()));
  ASSERT_EQ(whole.size(), 1u);
  EXPECT_TRUE(Same(whole[0], RECT{0, 0, 30, 20}));
}

TEST(PageBackgrounds, PagesPaintAsTheirImagesScaledOverBlack) {
  const SIZE size{64, 48};
  ImagePtr home = PatternImage(64, 48);
  ImagePtr buttons = PatternImage(64, 48);
  for (int x = 10; x < 30; ++x) buttons->SetPixel(x, 20, Gdiplus::Color(0xFFFFFFFF));
  ImagePtr lighting = PatternImage(50, 30);             // scaled to the window
  ImagePtr macros = PatternImage(64, 48, 0x80);         // translucent, over black
  CPageBackgrounds backgrounds;
  backgrounds.Set(Page::Home, home.get(), size);
  backgrounds.Set(Page::Buttons, buttons.get(), size);
  // Kept small: the button page holds only the band of tiles it differs in.
  EXPECT_LE(backgrounds.Bytes(), static_cast<std::size_t>(64 * 48 * 3 + 64 * 16 * 3));
  backgrounds.Set(Page::Lighting, lighting.get(), size);
  backgrounds.Set(Page::Macros, macros.get(), size);
  backgrounds.Set(Page::Advanced, nullptr, size);

  const auto expected = [&](Gdiplus::Bitmap* image) {
    Surface surface(64, 48, RGB(0, 0, 0));
    DrawImage(surface.Dc(), image, RECT{0, 0, 64, 48});
    return surface.Pixels();
  };
  const auto painted = [&](Page page, const RECT& area) {
    Surface surface(64, 48, RGB(0, 0, 0));
    backgrounds.Paint(surface.Dc(), page, RECT{0, 0, 64, 48});
    Surface part(64, 48, RGB(0, 0, 0));
    backgrounds.Paint(part.Dc(), page, area);
    return std::make_pair(surface.Pixels(), part.Pixels());
  };
  for (auto [page, image] : {std::pair{Page::Home, home.get()}, std::pair{Page::Buttons, buttons.get()},
                             std::pair{Page::Lighting, lighting.get()}, std::pair{Page::Macros, macros.get()},
                             std::pair{Page::Advanced, static_cast<Gdiplus::Bitmap*>(nullptr)}}) {
    const auto [whole, part] = painted(page, RECT{7, 15, 40, 33});
    EXPECT_EQ(whole, expected(image)) << static_cast<int>(page);
    // A part paints that part and nothing else.
    const auto all = expected(image);
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x) {
        const bool inside = x >= 7 && x < 40 && y >= 15 && y < 33;
        ASSERT_EQ(part[y * 64 + x], inside ? all[y * 64 + x] : 0u) << x << "," << y;
      }
    }
  }
  // A page never set paints black.
  CPageBackgrounds empty;
  Surface surface(8, 8, RGB(9, 9, 9));
  empty.Paint(surface.Dc(), Page::Home, RECT{0, 0, 8, 8});
  EXPECT_EQ(surface.Pixels()[0], 0u);
}

}  // namespace
}  // namespace perix::win::test
