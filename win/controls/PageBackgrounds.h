#pragma once
// The images painted behind the pages, at the window's client size, ready
// to be copied: a page switch paints from memory, without decoding or
// scaling anything.
//
// The home page's background is kept whole. Every other page keeps only the
// rectangles in which its background differs from the home page's (with the
// shipped skin about half of it: the frame, the header and much of the
// backdrop are the same on every page), so the five backgrounds take the
// memory of about two and a half.

#include <array>
#include <cstddef>
#include <vector>

#include "controls/SkinImage.h"
#include "framework/Win32.h"
#include "skin/Layout.h"

namespace perix::win {

class CPageBackgrounds {
 public:
  // Keeps a page's background: its image scaled to `size` over black, as the
  // window paints it (no image: black). Set the home page first: the other
  // pages are kept as their differences from it.
  void Set(Page page, Gdiplus::Bitmap* image, SIZE size);
  // Paints the background of a page over `area` (client coordinates):
  // black outside it, and where a page was never set.
  void Paint(HDC dc, Page page, const RECT& area) const;
  // Black, for the state without a page.
  static void PaintBlack(HDC dc, const RECT& area);
  // Memory held by the pixels.
  std::size_t Bytes() const;
  void Clear();

 private:
  struct Patch {
    RECT rect{};  // where it goes
    PixelRows pixels;
  };
  struct Background {
    bool set = false;
    std::vector<Patch> patches;  // over the home page's background
  };

  SIZE m_size{};  // the window's client size
  PixelRows m_home;
  std::array<Background, kPageCount> m_pages;
};

// The differences of `page` from `home` (both the same size) as rectangles:
// the image is cut into tiles of `tile` pixels square, and the differing
// tiles of each band of tiles are joined into runs across gaps of up to
// `gap` equal tiles. Rectangles are in band order, left to right.
std::vector<RECT> DifferingRectangles(const PixelRows& home, const PixelRows& page, int tile = 16, int gap = 2);

}  // namespace perix::win
