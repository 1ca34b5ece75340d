#pragma once
// Fonts of the skin face (SkinEnvironment.h).

#include "framework/Gdi.h"

namespace perix::win {

struct SkinFontSpec {
  int height = 13;
  int weight = FW_NORMAL;
  int escapement = 0;  // tenths of a degree
  bool italic = false;
  BYTE quality = DEFAULT_QUALITY;
  BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  friend bool operator==(const SkinFontSpec&, const SkinFontSpec&) = default;
};

FontHandle CreateSkinFont(const SkinFontSpec& spec);

// A font kept by a control and made again only when what it asks for changes.
class CachedSkinFont {
 public:
  HFONT Get(const SkinFontSpec& spec);

 private:
  SkinFontSpec m_spec;
  std::wstring m_face;
  FontHandle m_font;
};

}  // namespace perix::win
