#include "GalleryImages.h"

#include <memory>
#include <vector>

#include "framework/GdiPlus.h"

namespace perix::gallery {
namespace {

using Gdiplus::Color;

bool PngEncoder(CLSID& clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

Color FromRef(COLORREF c, BYTE alpha = 255) { return Color(alpha, GetRValue(c), GetGValue(c), GetBValue(c)); }

class Canvas {
 public:
  Canvas(int width, int height) : m_bitmap(width, height, PixelFormat32bppARGB), m_g(&m_bitmap) {}
  void Fill(Color colour) { m_g.Clear(colour); }
  void Box(const RECT& r, Color colour) {
    Gdiplus::SolidBrush brush(colour);
    m_g.FillRectangle(&brush, static_cast<INT>(r.left), static_cast<INT>(r.top), static_cast<INT>(r.right - r.left),
                      static_cast<INT>(r.bottom - r.top));
  }
  void Frame(const RECT& r, Color colour) {
    Gdiplus::Pen pen(colour, 1.0f);
    m_g.DrawRectangle(&pen, static_cast<INT>(r.left), static_cast<INT>(r.top), static_cast<INT>(r.right - r.left - 1),
                      static_cast<INT>(r.bottom - r.top - 1));
  }
  void Triangle(Color colour, int width, int height) {
    Gdiplus::SolidBrush brush(colour);
    // Inset by a pixel, so the corners keep the ground colour.
    const Gdiplus::Point points[] = {{1, 1}, {width - 2, 1}, {(width - 1) / 2, height - 2}};
    m_g.SetSmoothingMode(Gdiplus::SmoothingModeNone);
    m_g.FillPolygon(&brush, points, 3);
  }
  bool Save(const std::wstring& path) {
    CLSID png{};
    return PngEncoder(png) && m_bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }

 private:
  Gdiplus::Bitmap m_bitmap;
  Gdiplus::Graphics m_g;
};

bool WritePage(const std::wstring& path, Color control, Color frame) {
  Canvas page(kWidth, kHeight);
  page.Fill(FromRef(kPageColour));
  for (const RECT& r : {kPressButton, kToggleButton, kRotated90Button, kRotated270Button, kMenuButton, kCloseButton,
                        kStageButton, kDisabledButton}) {
    page.Box(r, control);
    page.Frame(r, frame);
  }
  // The slider's groove.
  page.Box(kSlider, control);
  return page.Save(path);
}

bool WriteMenu(const std::wstring& path, int width, int height, Color fill, Color line, int rowHeight) {
  Canvas menu(width, height);
  menu.Fill(fill);
  for (int y = rowHeight - 1; y < height; y += rowHeight) menu.Box(RECT{0, y, width, y + 1}, line);
  return menu.Save(path);
}

}  // namespace

bool WriteGallerySkin(const std::wstring& skins) {
  bool ok = true;
  ok &= WritePage(skins + L"page_normal.png", Color(255, 0x40, 0x60, 0x90), Color(255, 0x90, 0xA0, 0xC0));
  ok &= WritePage(skins + L"page_over.png", Color(255, 0x50, 0x80, 0xD0), Color(255, 0xFF, 0xFF, 0xFF));
  ok &= WritePage(skins + L"page_down.png", Color(255, 0xA0, 0x30, 0x60), Color(255, 0xFF, 0xC0, 0xD0));
  ok &= WritePage(skins + L"page_disabled.png", Color(255, 0x50, 0x50, 0x50), Color(255, 0x70, 0x70, 0x70));

  const int menuHeight = 24 * 6;
  ok &= WriteMenu(skins + L"menu_bg.png", kMenuWidth, menuHeight, Color(255, 0x18, 0x18, 0x20), Color(255, 0x40, 0x40, 0x50), 24);
  ok &= WriteMenu(skins + L"menu_over.png", kMenuWidth, menuHeight, Color(255, 0x60, 0x30, 0x90), Color(255, 0x40, 0x40, 0x50), 24);
  ok &= WriteMenu(skins + L"menu_down.png", kMenuWidth, menuHeight, Color(255, 0x90, 0x20, 0x50), Color(255, 0x40, 0x40, 0x50), 24);
  const int subHeight = 24 * 4 + 1;
  ok &= WriteMenu(skins + L"sub_bg.png", kSubMenuWidth, subHeight, Color(255, 0x10, 0x28, 0x18), Color(255, 0x30, 0x50, 0x30), 24);
  ok &= WriteMenu(skins + L"sub_over.png", kSubMenuWidth, subHeight, Color(255, 0x20, 0x70, 0x40), Color(255, 0x30, 0x50, 0x30), 24);
  ok &= WriteMenu(skins + L"sub_down.png", kSubMenuWidth, subHeight, Color(255, 0x60, 0x90, 0x20), Color(255, 0x30, 0x50, 0x30), 24);

  // A downward triangle on the key colour: the thumb takes its shape.
  for (auto [name, ink] : {std::pair{L"thumb.png", Color(255, 0xF0, 0xF0, 0xF0)},
                           std::pair{L"thumb_disabled.png", Color(255, 0x80, 0x80, 0x80)}}) {
    Canvas thumb(14, 15);
    thumb.Fill(FromRef(kMaskKey));
    thumb.Triangle(ink, 14, 15);
    ok &= thumb.Save(skins + name);
  }

  Canvas mask(kWidth, kHeight);
  mask.Fill(Color(255, 0, 0, 0));
  mask.Box(kMaskedCorner, FromRef(kMaskKey));
  ok &= mask.Save(skins + L"mask.png");
  return ok;
}

}  // namespace perix::gallery
