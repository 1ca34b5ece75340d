#include "markup/MarkupEncoding.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "markup/CharsetNames.h"
#include "markup/MarkupScanner.h"
#include "platform/CodePage.h"
#include "text/Utf16.h"

namespace perix::markup {
namespace {

constexpr std::size_t kHeadBytes = 1024;
constexpr char16_t kReplacement = 0xFFFD;

enum class WideForm { None, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

unsigned char Byte(std::string_view bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

bool HasPrefix(std::string_view bytes, std::initializer_list<unsigned char> prefix) {
  if (bytes.size() < prefix.size()) return false;
  std::size_t i = 0;
  for (unsigned char b : prefix) {
    if (Byte(bytes, i++) != b) return false;
  }
  return true;
}

// UTF-16 is taken as it is (swapped when big-endian); zero characters are
// dropped, so text saved with stray zeros (or UTF-32 read as UTF-16) still
// reads. A trailing odd byte is ignored.
std::size_t DecodeUtf16(std::string_view bytes, bool bigEndian, std::u16string& out) {
  const std::size_t units = bytes.size() / 2;
  out.resize(units);
  if (bigEndian == (std::endian::native == std::endian::big)) {
    std::memcpy(out.data(), bytes.data(), units * 2);
  } else {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    char16_t* o = out.data();
    for (std::size_t i = 0; i < units; ++i) {
      o[i] = bigEndian ? static_cast<char16_t>((p[2 * i] << 8) | p[2 * i + 1])
                       : static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    }
  }
  if (markup::FindChar(out, 0, u'\0') == std::u16string_view::npos) return 0;
  const auto kept = std::remove(out.begin(), out.end(), u'\0');
  const std::size_t nulls = static_cast<std::size_t>(out.end() - kept);
  out.erase(kept, out.end());
  return nulls;
}

// UTF-32: a value that is no character becomes U+FFFD; zeros are dropped as
// in UTF-16.
std::size_t DecodeUtf32(std::string_view bytes, bool bigEndian, std::u16string& out) {
  out.clear();
  out.reserve(bytes.size() / 4 + 1);
  std::size_t nulls = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4, p += 4) {
    const std::uint32_t cp = bigEndian ? (std::uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3]
                                       : (std::uint32_t{p[3]} << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
    if (cp == 0) {
      ++nulls;
    } else if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(kReplacement);
    } else if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return nulls;
}

// UTF-16 and UTF-32 files without a mark still betray themselves by the
// zero bytes around their first '<'.
WideForm WideFormWithoutMark(std::string_view bytes) {
  if (bytes.size() < 4) return WideForm::None;
  const unsigned char b0 = Byte(bytes, 0), b1 = Byte(bytes, 1), b2 = Byte(bytes, 2), b3 = Byte(bytes, 3);
  if (b0 == '<' && b1 == 0 && b2 == 0 && b3 == 0) return WideForm::Utf32LE;
  if (b0 == 0 && b1 == 0 && b2 == 0 && b3 == '<') return WideForm::Utf32BE;
  if (b0 == '<' && b1 == 0 && b2 != 0 && b3 == 0) return WideForm::Utf16LE;
  if (b0 == 0 && b1 == '<' && b2 == 0 && b3 != 0) return WideForm::Utf16BE;
  return WideForm::None;
}

void AppendNumber(std::u16string& note, std::size_t value) { note += DecimalText(static_cast<std::int64_t>(value)); }

bool IsWideCodePage(unsigned codePage) {
  return codePage == kCodePageUtf16 || codePage == kCodePageUtf16BigEndian || codePage == kCodePageUtf32 ||
         codePage == 12000 || codePage == 12001;
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u16string& out, bool strict) {
  // UTF-16 never needs more units than UTF-8 has bytes.
  out.resize(bytes.size());
  char16_t* o = out.data();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const unsigned char* const end = p + bytes.size();
  while (p < end) {
    unsigned lead = *p;
    if (lead < 0x80) {
      // Runs of ASCII, sixteen or eight bytes at a time: the bulk of any
      // string file.
#if defined(__SSE2__)
      while (end - p >= 16) {
        const __m128i bytes16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (_mm_movemask_epi8(bytes16) != 0) break;
        const __m128i zero = _mm_setzero_si128();
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(bytes16, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 8), _mm_unpackhi_epi8(bytes16, zero));
        p += 16;
        o += 16;
      }
#endif
      while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull) break;
        for (int k = 0; k < 8; ++k) o[k] = p[k];
        p += 8;
        o += 8;
      }
      while (p < end && *p < 0x80) *o++ = *p++;
      if (p >= end) break;
      lead = *p;
    }
    // The common two- and three-byte forms, checked in place.
    if (lead >= 0xC2 && lead <= 0xDF && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
      *o++ = static_cast<char16_t>(((lead & 0x1F) << 6) | (p[1] & 0x3F));
      p += 2;
      continue;
    }
    if ((lead & 0xF0) == 0xE0 && end - p >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
      const unsigned value = ((lead & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
      if (value >= 0x800 && (value < 0xD800 || value > 0xDFFF)) {
        *o++ = static_cast<char16_t>(value);
        p += 3;
        continue;
      }
    }
    std::size_t extra;
    char32_t cp;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
      if (strict) return false;
      *o++ = kReplacement;
      ++p;
      continue;
    }
    const unsigned char* q = p + 1;
    bool good = true;
    for (std::size_t k = 0; k < extra; ++k, ++q) {
      if (q >= end || (*q & 0xC0) != 0x80) {
        good = false;
        break;
      }
      cp = (cp << 6) | (*q & 0x3F);
    }
    if (good && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) good = false;
    if (!good) {
      if (strict) return false;
      *o++ = kReplacement;
      p = q > p + 1 ? q : p + 1;  // skip the lead and the continuation bytes that belonged to it
      continue;
    }
    p = q;
    if (cp >= 0x10000) {
      *o++ = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      *o++ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      *o++ = static_cast<char16_t>(cp);
    }
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return true;
}

std::u16string DeclaredEncoding(std::u16string_view head) {
  std::size_t pos = 0;
  // Tolerate white space before the declaration: editors add a blank line.
  while (pos < head.size() && IsSpace(head[pos])) ++pos;
  if (pos < head.size() && head[pos] == u'<' && pos + 1 < head.size() && head[pos + 1] == u'?') {
    const MarkupNode node = ScanMarkup(head, pos);
    if (head.substr(pos + 2, node.nameEnd - pos - 2) == u"xml") {
      std::u16string_view value;
      const std::u16string_view attributes = head.substr(node.nameEnd, node.end - node.nameEnd);
      if (FindAttribute(attributes, u"encoding", false, value)) return std::u16string(value);
      return {};
    }
  }

  // HTML: the charset of a <meta http-equiv="Content-Type"> in the head.
  bool inHtml = false;
  while (pos < head.size()) {
    const std::size_t lt = head.find(u'<', pos);
    if (lt == std::u16string_view::npos) break;
    const MarkupNode node = ScanMarkup(head, lt);
    if (node.error == ScanError::Unterminated) break;
    pos = node.end > lt ? node.end : lt + 1;
    if (node.error != ScanError::None) continue;
    const std::u16string_view name = head.substr(lt + (node.kind == MarkupKind::EndTag ? 2 : 1),
                                                 node.nameEnd - lt - (node.kind == MarkupKind::EndTag ? 2 : 1));
    if (node.kind == MarkupKind::EndTag) {
      if (EqualsIgnoringCase(name, u"head")) break;
      continue;
    }
    if (node.kind != MarkupKind::StartTag) continue;
    if (!inHtml) {
      if (!EqualsIgnoringCase(name, u"html")) break;
      inHtml = true;
      continue;
    }
    if (EqualsIgnoringCase(name, u"body")) break;
    if (!EqualsIgnoringCase(name, u"meta")) continue;
    const std::u16string_view attributes = head.substr(node.nameEnd, node.end - node.nameEnd);
    std::u16string_view equiv, content;
    if (!FindAttribute(attributes, u"http-equiv", true, equiv) || !EqualsIgnoringCase(equiv, u"Content-Type") ||
        !FindAttribute(attributes, u"content", true, content)) {
      continue;
    }
    for (std::size_t i = 0; i + 7 <= content.size(); ++i) {
      if (!EqualsIgnoringCase(content.substr(i, 7), u"charset")) continue;
      std::size_t k = i + 7;
      while (k < content.size() && IsSpace(content[k])) ++k;
      if (k >= content.size() || content[k] != u'=') continue;
      ++k;
      while (k < content.size() && IsSpace(content[k])) ++k;
      const std::size_t start = k;
      while (k < content.size() && !IsSpace(content[k]) && content[k] != u';' && content[k] != u'"' &&
             content[k] != u'\'') {
        ++k;
      }
      if (k > start) return std::u16string(content.substr(start, k - start));
    }
  }
  return {};
}

void DecodeDocument(std::string_view bytes, std::u16string& text, std::u16string& note) {
  text.clear();
  note.clear();
  if (bytes.empty()) {
    note = u"0 length ";
    return;
  }

  std::u16string name;
  bool mark = false;
  WideForm wide = WideForm::None;
  std::size_t skip = 0;
  // UTF-32 marks first: FF FE 00 00 also starts like the UTF-16 mark.
  if (HasPrefix(bytes, {0xEF, 0xBB, 0xBF})) {
    name = u"UTF-8", skip = 3;
  } else if (HasPrefix(bytes, {0xFF, 0xFE, 0x00, 0x00})) {
    name = u"UTF-32LE", skip = 4, wide = WideForm::Utf32LE;
  } else if (HasPrefix(bytes, {0xFF, 0xFE})) {
    name = u"UTF-16LE", skip = 2, wide = WideForm::Utf16LE;
  } else if (HasPrefix(bytes, {0xFE, 0xFF})) {
    name = u"UTF-16BE", skip = 2, wide = WideForm::Utf16BE;
  } else if (HasPrefix(bytes, {0x00, 0x00, 0xFE, 0xFF})) {
    name = u"UTF-32BE", skip = 4, wide = WideForm::Utf32BE;
  }
  mark = skip > 0;
  if (!mark) {
    wide = WideFormWithoutMark(bytes);
    switch (wide) {
      case WideForm::Utf16LE: name = u"UTF-16LE"; break;
      case WideForm::Utf16BE: name = u"UTF-16BE"; break;
      case WideForm::Utf32LE: name = u"UTF-32LE"; break;
      case WideForm::Utf32BE: name = u"UTF-32BE"; break;
      case WideForm::None: break;
    }
  }

  std::size_t nulls = 0;
  unsigned codePage = kCodePageUtf8;
  if (wide == WideForm::None && name.empty()) {
    std::u16string head;
    DecodeUtf8(bytes.substr(0, kHeadBytes), head, false);
    name = DeclaredEncoding(head);
    codePage = name.empty() ? kCodePageUtf8 : CodePageOfCharset(name);
    // A file we could read the declaration from is not UTF-16 or UTF-32,
    // whatever it claims: treat the claim as absent.
    if (IsWideCodePage(codePage)) name.clear(), codePage = kCodePageUtf8;
  }

  note = name.empty() ? std::u16string() : name;
  if (mark) note += u" BOM +";
  const std::string_view body = bytes.substr(skip);
  if (wide != WideForm::None) {
    note += u" length ";
    AppendNumber(note, body.size());
    note += u" ";
    if (wide == WideForm::Utf16BE || wide == WideForm::Utf32BE) note += u"endian swap ";
    if (wide == WideForm::Utf16LE || wide == WideForm::Utf16BE) {
      nulls = DecodeUtf16(body, wide == WideForm::Utf16BE, text);
    } else {
      nulls = DecodeUtf32(body, wide == WideForm::Utf32BE, text);
    }
    if (nulls > 0) {
      note += u"(";
      AppendNumber(note, nulls);
      note += u" nulls removed) ";
    }
  } else if (name.empty()) {
    // Nothing declared: UTF-8 when the bytes are valid UTF-8, otherwise the
    // ANSI code page, so a string file saved as ANSI by a plain editor reads
    // as its author saw it.
    if (DecodeUtf8(body, text, true)) {
      note = u"UTF-8";
    } else {
      note = u"ANSI";
      codePage = kAnsiCodePage;
      DecodeCodePage(kAnsiCodePage, body, text);
    }
    note += u" length ";
    AppendNumber(note, body.size());
    note += u" (used UTF-8 detection) ";
  } else {
    if (codePage == kAnsiCodePage) note += u" ANSI";
    note += u" length ";
    AppendNumber(note, body.size());
    note += u" ";
    if (codePage == kCodePageUtf8) {
      DecodeUtf8(body, text, false);
    } else if (!DecodeCodePage(codePage, body, text)) {
      note += u"(code page ";
      AppendNumber(note, codePage);
      note += u" not available, used ANSI) ";
      DecodeCodePage(kAnsiCodePage, body, text);
    }
  }
  note += u"to ";
  AppendNumber(note, text.size());
  note += u" wide chars ";
}

}  // namespace perix::markup
