#include "controls/SkinFont.h"

#include <string>

#include "controls/SkinEnvironment.h"

namespace perix::win {

FontHandle CreateSkinFont(const SkinFontSpec& spec) {
  return FontHandle(CreateFontW(spec.height, 0, spec.escapement, spec.escapement, spec.weight, spec.italic ? TRUE : FALSE,
                                FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, spec.quality,
                                spec.pitchAndFamily, SkinFaceName().c_str()));
}

HFONT CachedSkinFont::Get(const SkinFontSpec& spec) {
  if (!m_font || !(spec == m_spec) || m_face != SkinFaceName()) {
    m_font = CreateSkinFont(spec);
    m_spec = spec;
    m_face = SkinFaceName();
  }
  return m_font.get();
}

}  // namespace perix::win
