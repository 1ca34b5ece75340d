#pragma once
// Fonts of the skin face (SkinEnvironment.h).

#include "framework/Gdi.h"

namespace perix::win {

struct SkinFontRequest {
  int height = 13;
  int weight = FW_NORMAL;
  int escapement = 0;  // tenths of a degree
  bool italic = false;
  BYTE quality = DEFAULT_QUALITY;
  BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  friend bool operator==(const SkinFontRequest&, const SkinFontRequest&) = default;
};

FontHandle CreateSkinFont(const SkinFontRequest& request);

// A font kept by a control and made again only when what it asks for changes.
class CachedSkinFont {
 public:
  HFONT Get(const SkinFontRequest& request);

 private:
  SkinFontRequest m_request;
  std::wstring m_face;
  FontHandle m_font;
};

}  // namespace perix::win
