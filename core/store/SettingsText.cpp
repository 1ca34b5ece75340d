#include "store/SettingsText.h"

#include "store/ConfigLayout.h"
#include "config/DeviceConfig.h"

namespace perix {
namespace {

// Only the start of a large file is looked at to say what it looks like.
constexpr std::size_t kSampleSize = 65536;

// What a file without any of the expected sections looks like, in words.
std::u16string WhatItLooksLike(std::string_view bytes, const IniDocument& document, std::u16string_view missing) {
  if (document.Encoding() == IniEncoding::Ansi && bytes.size() >= 4) {
    // Text in UTF-16 without its mark: every other byte is zero, the others
    // are not. The platform reads such a file as ANSI and finds nothing.
    const std::string_view sample = bytes.substr(0, kSampleSize);
    std::size_t zeroEven = 0, zeroOdd = 0;
    for (std::size_t i = 0; i + 1 < sample.size(); i += 2) {
      zeroEven += sample[i] == '\0';
      zeroOdd += sample[i + 1] == '\0';
    }
    const std::size_t pairs = sample.size() / 2;
    if ((zeroOdd * 10 >= pairs * 3 && zeroEven * 20 <= pairs) ||
        (zeroEven * 10 >= pairs * 3 && zeroOdd * 20 <= pairs)) {
      return u"it looks like UTF-16 text without a byte-order mark, which cannot be read";
    }
  }
  const std::string_view sample = bytes.substr(0, kSampleSize);
  std::size_t control = 0;
  for (const char c : sample) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') || byte == 0x7F) ++control;
  }
  if (document.Encoding() == IniEncoding::Ansi && control * 10 > sample.size()) {
    return u"it holds binary data, not text";
  }
  return std::u16string(u"it has no ") + std::u16string(missing) + u" section";
}

template <typename Accepts>
ContentsCheck Check(std::string_view bytes, const IniDocument& document, Accepts accepts,
                    std::u16string_view missing) {
  if (document.Blank()) return {ContentsKind::Empty, u"it is empty"};
  if (accepts()) return {ContentsKind::Understood, {}};
  return {ContentsKind::NotUnderstood, WhatItLooksLike(bytes, document, missing)};
}

}  // namespace

ContentsCheck CheckSettingsContents(std::string_view bytes, const IniDocument& document) {
  return Check(
      bytes, document,
      [&] {
        if (document.HasSection(u"Setting") || document.HasSection(u"MACRO_LIST")) return true;
        for (int index = 0; index < kProfileCount; ++index) {
          if (document.HasSection(ProfileSectionName(index))) return true;
        }
        return false;
      },
      u"[Setting], [GROUP] or [MACRO_LIST]");
}

ContentsCheck CheckMacroContents(std::string_view bytes, const IniDocument& document) {
  return Check(bytes, document, [&] { return document.HasSection(u"Setting"); }, u"[Setting]");
}

ContentsCheck CheckIniContents(std::string_view bytes, const IniDocument& document) {
  return Check(bytes, document, [&] { return document.HasNamedSection(); }, u"[section]");
}

}  // namespace perix
