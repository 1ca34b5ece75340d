#pragma once
// The node scanner under the markup reader: finds where a node that starts
// with '<' ends and what kind it is. Every scan stays inside the view it is
// given, so callers bound it to an element's content by passing a shorter
// view of the same text (offsets stay those of the whole text).

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace perix::markup {

enum class MarkupKind : std::uint8_t {
  StartTag,
  EndTag,
  CData,
  ProcessingInstruction,
  Comment,
  Doctype,
};

enum class ScanError : std::uint8_t {
  None,
  Unterminated,      // the node runs to the end of the view
  BadNameStart,      // "<" followed by a character that cannot start a tag name
  BadBang,           // "<!" that is neither comment, CDATA nor declaration
  BadComment,        // "<!-" without the second "-"
  BadCData,          // "<![" not followed by "CDATA["
  Broken,            // a tag interrupted by '<' before its '>'
};

struct MarkupNode {
  MarkupKind kind = MarkupKind::StartTag;
  ScanError error = ScanError::None;
  std::size_t start = 0;    // offset of the '<'
  std::size_t end = 0;      // one past the node; after an error, where scanning goes on
  std::size_t nameEnd = 0;  // tags: one past the tag name
  bool emptyElement = false;
};

// Characters that end a tag or attribute name.
inline constexpr std::array<bool, 128> kNameDelimiters = [] {
  std::array<bool, 128> table{};
  for (char c : std::string_view(" \t\n\r<>=\\/?!\"';")) table[static_cast<unsigned char>(c)] = true;
  return table;
}();

inline bool IsNameDelimiter(char16_t c) { return c < 128 && kNameDelimiters[c]; }

inline bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

inline std::size_t NameEnd(std::u16string_view text, std::size_t pos) {
  while (pos < text.size() && !IsNameDelimiter(text[pos])) ++pos;
  return pos;
}

// The first `ch` at or after `pos`, or npos. Finding the next '<' is most of
// the work of a parse, so it looks at eight characters at a time where the
// processor allows (every x86-64 does), four otherwise.
inline std::size_t FindChar(std::u16string_view text, std::size_t pos, char16_t ch) {
  if (pos >= text.size()) return std::u16string_view::npos;
  const char16_t* p = text.data() + pos;
  const char16_t* const end = text.data() + text.size();
#if defined(__SSE2__)
  const __m128i pattern = _mm_set1_epi16(static_cast<short>(ch));
  while (end - p >= 8) {
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(chars, pattern));
    if (mask != 0) return static_cast<std::size_t>(p - text.data()) + static_cast<unsigned>(__builtin_ctz(mask)) / 2;
    p += 8;
  }
#else
  constexpr std::uint64_t kOnes = 0x0001000100010001ull;
  constexpr std::uint64_t kHighs = 0x8000800080008000ull;
  const std::uint64_t pattern = kOnes * ch;
  while (end - p >= 4) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const std::uint64_t x = word ^ pattern;
    if (((x - kOnes) & ~x & kHighs) != 0) break;  // some lane equals `ch`
    p += 4;
  }
#endif
  for (; p < end; ++p) {
    if (*p == ch) return static_cast<std::size_t>(p - text.data());
  }
  return std::u16string_view::npos;
}

// Scans the node at `pos`, where text[pos] is '<'.
MarkupNode ScanMarkup(std::u16string_view text, std::size_t pos);

// The value of attribute `name` inside a tag's text (what follows the tag
// name, up to the closing '>' or "?>"); values may be quoted with either
// quotation mark or, as HTML allows, unquoted. Nothing when absent.
bool FindAttribute(std::u16string_view attributes, std::u16string_view name, bool ignoreCase,
                   std::u16string_view& value);

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

// Appends text with its character references decoded. A reference is "&",
// up to 9 ASCII characters, ";": "#" and decimal digits, "#x" and hex digits,
// or a name of the named-reference table. One that is too long, has no ";",
// names nothing, or stands for no character (0, a surrogate, above
// U+10FFFF) is copied as written.
void AppendDecoded(std::u16string_view text, std::u16string& out);

}  // namespace perix::markup
