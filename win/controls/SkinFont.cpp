#include "controls/SkinFont.h"

#include <string>

#include "controls/SkinEnvironment.h"

namespace perix::win {

FontHandle CreateSkinFont(const SkinFontRequest& request) {
  return FontHandle(CreateFontW(request.height, 0, request.escapement, request.escapement, request.weight, request.italic ? TRUE : FALSE,
                                FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, request.quality,
                                request.pitchAndFamily, SkinFaceName().c_str()));
}

HFONT CachedSkinFont::Get(const SkinFontRequest& request) {
  if (!m_font || !(request == m_request) || m_face != SkinFaceName()) {
    m_font = CreateSkinFont(request);
    m_request = request;
    m_face = SkinFaceName();
  }
  return m_font.get();
}

}  // namespace perix::win
