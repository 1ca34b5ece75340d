#include "markup/MarkupScanner.h"

#include "markup/NamedReferences.h"

namespace perix::markup {
namespace {

constexpr std::size_t npos = std::u16string_view::npos;

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// Finds the '>' that closes a start tag, skipping quoted attribute values.
// An unquoted '<' means the '>' was left out: the tag is broken there.
void ScanTagBody(std::u16string_view text, std::size_t from, MarkupNode& node) {
  std::size_t i = from;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'>') {
      node.end = i + 1;
      node.emptyElement = node.kind == MarkupKind::StartTag && i > from && text[i - 1] == u'/';
      return;
    }
    if (c == u'"' || c == u'\'') {
      const std::size_t close = text.find(c, i + 1);
      if (close == npos) break;
      i = close + 1;
      continue;
    }
    if (c == u'<') {
      node.error = ScanError::Broken;
      node.end = i;
      return;
    }
    ++i;
  }
  node.error = ScanError::Unterminated;
  node.end = text.size();
}

void ScanUntil(std::u16string_view text, std::size_t from, std::u16string_view terminator, MarkupNode& node) {
  const std::size_t found = text.find(terminator, from);
  if (found == npos) {
    node.error = ScanError::Unterminated;
    node.end = text.size();
  } else {
    node.end = found + terminator.size();
  }
}

// A declaration ends at the first '>' outside quotes and outside an internal
// subset in brackets. Comments and processing instructions inside the subset
// are skipped whole: their text is free, an apostrophe in "doesn't" opens no
// quotation.
void ScanDeclaration(std::u16string_view text, std::size_t from, MarkupNode& node) {
  std::size_t depth = 0;
  std::size_t i = from;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (depth > 0 && c == u'<' && i + 1 < text.size() && (text[i + 1] == u'?' || text[i + 1] == u'!')) {
      const std::u16string_view rest = text.substr(i);
      const bool comment = rest.starts_with(u"<!--");
      if (comment || text[i + 1] == u'?') {
        const std::u16string_view close = comment ? u"-->" : u"?>";
        const std::size_t end = text.find(close, i + (comment ? 4 : 2));
        if (end == npos) break;
        i = end + close.size();
        continue;
      }
    }
    if (c == u'"' || c == u'\'') {
      const std::size_t close = text.find(c, i + 1);
      if (close == npos) break;
      i = close + 1;
      continue;
    }
    if (c == u'[') {
      ++depth;
    } else if (c == u']' && depth > 0) {
      --depth;
    } else if (c == u'>' && depth == 0) {
      node.end = i + 1;
      return;
    }
    ++i;
  }
  node.error = ScanError::Unterminated;
  node.end = text.size();
}

// The code point of a reference's body (what lies between '&' and ';'), or 0.
char32_t ReferenceValue(std::u16string_view body) {
  if (body[0] != u'#') return LookupNamedReference(body);
  const bool hex = body.size() > 1 && body[1] == u'x';
  const std::size_t first = hex ? 2 : 1;
  if (first >= body.size()) return 0;
  char32_t value = 0;
  for (std::size_t i = first; i < body.size(); ++i) {
    const char16_t c = body[i];
    unsigned digit;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (hex && c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (hex && c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      return 0;
    }
    value = value * (hex ? 16 : 10) + digit;  // at most 8 digits: no overflow
  }
  if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return value;
}

}  // namespace

MarkupNode ScanMarkup(std::u16string_view text, std::size_t pos) {
  MarkupNode node;
  node.start = pos;
  node.end = pos + 1;
  if (pos + 1 >= text.size()) {
    node.error = ScanError::Unterminated;
    node.end = text.size();
    return node;
  }
  const char16_t next = text[pos + 1];
  if (next == u'/') {
    node.kind = MarkupKind::EndTag;
    node.nameEnd = NameEnd(text, pos + 2);
    if (pos + 2 >= text.size()) {
      node.error = ScanError::Unterminated;
      node.end = text.size();
    } else if (node.nameEnd == pos + 2) {
      node.error = ScanError::BadNameStart;
    } else {
      std::size_t close = node.nameEnd;
      while (close < text.size() && text[close] != u'>' && text[close] != u'<') ++close;
      if (close == text.size()) {
        node.error = ScanError::Unterminated;
        node.end = text.size();
      } else if (text[close] == u'<') {
        node.error = ScanError::Broken;
        node.end = close;
      } else {
        node.end = close + 1;
      }
    }
    return node;
  }
  if (next == u'?') {
    node.kind = MarkupKind::ProcessingInstruction;
    node.nameEnd = NameEnd(text, pos + 2);
    ScanUntil(text, pos + 2, u"?>", node);
    return node;
  }
  if (next == u'!') {
    if (pos + 2 >= text.size()) {
      node.kind = MarkupKind::Doctype;
      node.error = ScanError::Unterminated;
      node.end = text.size();
      return node;
    }
    const char16_t third = text[pos + 2];
    if (third == u'-') {
      node.kind = MarkupKind::Comment;
      if (pos + 3 >= text.size()) {
        node.error = ScanError::Unterminated;
        node.end = text.size();
      } else if (text[pos + 3] != u'-') {
        node.error = ScanError::BadComment;
      } else {
        ScanUntil(text, pos + 4, u"-->", node);
      }
      return node;
    }
    if (third == u'[') {
      node.kind = MarkupKind::CData;
      constexpr std::u16string_view kOpening = u"<![CDATA[";
      const std::u16string_view rest = text.substr(pos, kOpening.size());
      if (rest == kOpening) {
        ScanUntil(text, pos + kOpening.size(), u"]]>", node);
      } else if (rest.size() < kOpening.size() && kOpening.starts_with(rest)) {
        node.error = ScanError::Unterminated;
        node.end = text.size();
      } else {
        node.error = ScanError::BadCData;
      }
      return node;
    }
    if (IsAsciiLetter(third)) {
      node.kind = MarkupKind::Doctype;
      node.nameEnd = NameEnd(text, pos + 2);
      ScanDeclaration(text, pos + 2, node);
      return node;
    }
    node.kind = MarkupKind::Doctype;
    node.error = ScanError::BadBang;
    return node;
  }
  node.kind = MarkupKind::StartTag;
  if (IsNameDelimiter(next)) {
    node.error = ScanError::BadNameStart;
    return node;
  }
  node.nameEnd = NameEnd(text, pos + 1);
  ScanTagBody(text, node.nameEnd, node);
  return node;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool FindAttribute(std::u16string_view attributes, std::u16string_view name, bool ignoreCase,
                   std::u16string_view& value) {
  std::size_t i = 0;
  const std::size_t n = attributes.size();
  while (i < n) {
    while (i < n && (IsSpace(attributes[i]) || attributes[i] == u'/' || attributes[i] == u'?')) ++i;
    if (i >= n || attributes[i] == u'>') return false;
    const std::size_t nameStart = i;
    i = NameEnd(attributes, i);
    if (i == nameStart) {  // a stray delimiter: step over it
      ++i;
      continue;
    }
    const std::u16string_view attribute = attributes.substr(nameStart, i - nameStart);
    while (i < n && IsSpace(attributes[i])) ++i;
    std::u16string_view found;
    if (i < n && attributes[i] == u'=') {
      ++i;
      while (i < n && IsSpace(attributes[i])) ++i;
      if (i < n && (attributes[i] == u'"' || attributes[i] == u'\'')) {
        const std::size_t close = attributes.find(attributes[i], i + 1);
        if (close == npos) return false;
        found = attributes.substr(i + 1, close - i - 1);
        i = close + 1;
      } else {
        const std::size_t valueStart = i;
        while (i < n && !IsSpace(attributes[i]) && attributes[i] != u'>') ++i;
        found = attributes.substr(valueStart, i - valueStart);
      }
    }
    if (ignoreCase ? EqualsIgnoringCase(attribute, name) : attribute == name) {
      value = found;
      return true;
    }
  }
  return false;
}

void AppendDecoded(std::u16string_view text, std::u16string& out) {
  std::size_t i = 0;
  for (;;) {
    const std::size_t amp = FindChar(text, i, u'&');
    if (amp == npos) {
      out.append(text.substr(i));
      return;
    }
    out.append(text.substr(i, amp - i));
    std::size_t semicolon = npos;
    for (std::size_t k = amp + 1; k < text.size() && k <= amp + 10; ++k) {
      const char16_t c = text[k];
      if (c == u';') {
        semicolon = k;
        break;
      }
      if (c >= 0x80 || c == u'&') break;
    }
    const char32_t cp = semicolon == npos || semicolon == amp + 1
                            ? 0
                            : ReferenceValue(text.substr(amp + 1, semicolon - amp - 1));
    if (cp == 0) {
      out.push_back(u'&');
      i = amp + 1;
      continue;
    }
    if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i = semicolon + 1;
  }
}

}  // namespace perix::markup
