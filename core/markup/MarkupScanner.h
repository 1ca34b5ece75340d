#pragma once
// The node scanner under the markup reader: finds where a node that starts
// with '<' ends and what kind it is. Every scan stays inside the view it is
// given, so callers bound it to an element's content by passing a shorter
// view of the same text (offsets stay those of the whole text).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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
inline bool IsNameDelimiter(char16_t c) {
  switch (c) {
    case u' ': case u'\t': case u'\n': case u'\r': case u'<': case u'>': case u'=': case u'\\':
    case u'/': case u'?': case u'!': case u'"': case u'\'': case u';':
      return true;
    default:
      return false;
  }
}

inline bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

inline std::size_t NameEnd(std::u16string_view text, std::size_t pos) {
  while (pos < text.size() && !IsNameDelimiter(text[pos])) ++pos;
  return pos;
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
