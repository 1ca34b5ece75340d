#include "store/IniDocument.h"

#include "platform/CodePage.h"
#include "text/Utf16.h"

namespace perix {
namespace {

// Names and values reach the platform's functions as C strings.
std::u16string_view CutAtNul(std::u16string_view text) {
  const std::size_t nul = text.find(u'\0');
  return nul == std::u16string_view::npos ? text : text.substr(0, nul);
}

bool HasLoneSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0xD800 || c > 0xDFFF) continue;
    if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
      continue;
    }
    return true;
  }
  return false;
}

bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

std::u16string DecodeAnsi(std::string_view bytes) {
  std::u16string text;
  if (!DecodeCodePage(kAnsiCodePage, bytes, text)) text = Widen(bytes);
  return text;
}

std::u16string Concat(std::u16string_view a, std::u16string_view b, std::u16string_view c = {}) {
  std::u16string out;
  out.reserve(a.size() + b.size() + c.size());
  out.append(a).append(b).append(c);
  return out;
}

}  // namespace

IniDocument::IniDocument() { m_sections.emplace_back(); }

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument document;
  std::size_t markLength = 0;
  document.m_encoding = DetectIniEncoding(bytes, markLength);
  std::string_view body = bytes.substr(markLength);

  const bool wide = document.m_encoding == IniEncoding::Utf16LE || document.m_encoding == IniEncoding::Utf16BE;
  const bool bigEndian = document.m_encoding == IniEncoding::Utf16BE;
  const std::size_t width = wide ? 2 : 1;
  // A dangling odd byte holds no character; the platform ignores it too.
  if (wide) body = body.substr(0, body.size() & ~std::size_t{1});
  const auto unitAt = [&](std::size_t i) -> char16_t {
    const auto b0 = static_cast<unsigned char>(body[i]);
    if (!wide) return b0;
    const auto b1 = static_cast<unsigned char>(body[i + 1]);
    return static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
  };
  const auto decode = [&](std::string_view raw) -> std::u16string {
    switch (document.m_encoding) {
      case IniEncoding::Ansi: return DecodeAnsi(raw);
      case IniEncoding::Utf8: return Utf8ToUtf16(raw);
      case IniEncoding::Utf16LE:
      case IniEncoding::Utf16BE: break;
    }
    std::u16string text;
    text.reserve(raw.size() / 2);
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
      const auto b0 = static_cast<unsigned char>(raw[i]);
      const auto b1 = static_cast<unsigned char>(raw[i + 1]);
      text.push_back(static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0));
    }
    return text;
  };

  bool newlineKnown = false;
  std::size_t start = 0;
  while (start < body.size()) {
    std::size_t end = start;
    while (end < body.size() && unitAt(end) != u'\r' && unitAt(end) != u'\n') end += width;
    std::size_t next = end;
    std::u16string eol;
    if (next < body.size() && unitAt(next) == u'\r') {
      eol.push_back(u'\r');
      next += width;
    }
    if (next < body.size() && unitAt(next) == u'\n') {
      eol.push_back(u'\n');
      next += width;
    }
    if (!newlineKnown && !eol.empty()) {
      document.m_newline = eol;
      newlineKnown = true;
    }

    Line line;
    line.raw.assign(body.substr(start, next - start));
    line.text = decode(body.substr(start, end - start));
    line.eol = std::move(eol);
    Classify(line);
    if (line.kind == LineKind::Header) {
      Section section;
      section.hasHeader = true;
      section.header = std::move(line);
      document.m_sections.push_back(std::move(section));
    } else {
      document.m_sections.back().lines.push_back(std::move(line));
    }
    start = next;
  }
  return document;
}

void IniDocument::Classify(Line& line) {
  // The line is split and trimmed whole, NULs included; a name or value then
  // ends at its first NUL, as the C strings the platform keeps them in do.
  const std::u16string_view whole(line.text);
  const std::u16string_view lead = SkipLeadingIniBlanks(whole);
  const auto place = [&](std::u16string_view part, std::size_t& begin, std::size_t& end) {
    part = CutAtNul(part);
    begin = static_cast<std::size_t>(part.data() - whole.data());
    end = begin + part.size();
  };
  line.hasValue = false;
  line.nameBegin = line.nameEnd = line.valueBegin = line.valueEnd = 0;
  if (lead.empty()) {
    line.kind = LineKind::Blank;
    return;
  }
  if (lead.front() == u'[') {
    // The name runs to the last ']' of the line; whatever follows it is ignored.
    const std::size_t close = lead.rfind(u']');
    if (close != std::u16string_view::npos) {
      line.kind = LineKind::Header;
      place(TrimIniBlanks(lead.substr(1, close - 1)), line.nameBegin, line.nameEnd);
      return;
    }
  }
  // Everything else is a key, comments included: a line starting with ';' is
  // a key nobody asks for. A line without '=' is a key without a value.
  line.kind = LineKind::Entry;
  const std::size_t equals = lead.find(u'=');
  place(TrimIniBlanks(lead.substr(0, equals)), line.nameBegin, line.nameEnd);
  if (equals != std::u16string_view::npos) {
    line.hasValue = true;
    place(TrimIniBlanks(lead.substr(equals + 1)), line.valueBegin, line.valueEnd);
  }
}

const IniDocument::Section* IniDocument::FindSection(std::u16string_view name) const {
  name = TrimIniBlanks(CutAtNul(name));
  // The headerless start of the file is the first section named "", so a
  // "[]" header further down can never be found, as with the platform.
  for (const Section& section : m_sections) {
    const std::u16string_view own = section.hasHeader ? section.header.Name() : std::u16string_view();
    if (IniNamesEqual(own, name)) return &section;
  }
  return nullptr;
}

IniDocument::Section* IniDocument::FindSection(std::u16string_view name) {
  return const_cast<Section*>(static_cast<const IniDocument*>(this)->FindSection(name));
}

const IniDocument::Line* IniDocument::FindEntry(const Section& section, std::u16string_view key) {
  key = TrimIniBlanks(CutAtNul(key));
  for (const Line& line : section.lines) {
    if (line.kind == LineKind::Entry && IniNamesEqual(line.Name(), key)) return &line;
  }
  return nullptr;
}

std::optional<std::u16string> IniDocument::Value(std::u16string_view section, std::u16string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const Line* entry = FindEntry(*found, key);
  if (entry == nullptr || !entry->hasValue) return std::nullopt;
  return std::u16string(entry->ValueText());
}

std::u16string IniDocument::ReadString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, std::size_t bufferSize) const {
  if (const auto value = Value(section, key)) return CopyIniValue(*value, bufferSize);
  return CopyIniValue(TrimIniDefault(CutAtNul(defaultValue)), bufferSize);
}

std::int32_t IniDocument::ReadInt(std::u16string_view section, std::u16string_view key,
                                  std::int32_t defaultValue) const {
  const std::u16string text = ReadString(section, key, {}, kIniIntBufferSize);
  if (text.empty()) return defaultValue;
  return ParseIniInt(text);
}

bool IniDocument::ReadStruct(std::u16string_view section, std::u16string_view key, void* buffer,
                             std::size_t size) const {
  const auto value = Value(section, key);
  return value && DecodeIniStruct(*value, buffer, size);
}

IniDocument::Line IniDocument::MakeLine(std::u16string text) const {
  Line line;
  line.text = std::move(text);
  line.eol = m_newline;
  line.changed = true;
  Classify(line);
  return line;
}

bool IniDocument::Representable(std::u16string_view text) const {
  switch (m_encoding) {
    case IniEncoding::Ansi: {
      std::string bytes;
      return EncodeCodePage(kAnsiCodePage, text, bytes);
    }
    case IniEncoding::Utf8: return !HasLoneSurrogate(text);  // UTF-8 has no form for one
    case IniEncoding::Utf16LE:
    case IniEncoding::Utf16BE: break;
  }
  return true;
}

bool IniDocument::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  section = SkipLeadingIniBlanks(CutAtNul(section));
  key = SkipLeadingIniBlanks(CutAtNul(key));
  value = SkipLeadingIniBlanks(CutAtNul(value));
  // The platform would write these as they are and then read back something
  // else: a line break starts new lines (other keys, other sections), a '='
  // moves the rest of the key into the value, a leading '[' makes a header.
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (key.find(u'=') != std::u16string_view::npos || (!key.empty() && key.front() == u'[')) return false;

  Section* target = FindSection(section);
  std::u16string header;
  if (target == nullptr) header = Concat(u"[", section, u"]");
  std::size_t position = 0;
  Line* existing = nullptr;
  std::u16string text;
  if (target != nullptr) {
    for (std::size_t i = 0; i < target->lines.size(); ++i) {
      Line& line = target->lines[i];
      if (line.kind == LineKind::Blank) continue;
      position = i + 1;
      if (existing == nullptr && line.kind == LineKind::Entry && IniNamesEqual(line.Name(), TrimIniBlanks(key))) {
        existing = &line;
      }
    }
  }
  if (existing != nullptr) {
    // Writing the value a key already holds leaves the file alone.
    if (existing->hasValue && existing->ValueText() == value) return true;
    text = Concat(existing->Name(), u"=", value);
  } else {
    text = Concat(key, u"=", value);
  }

  // A character the ANSI code page lacks would be written as '?' (and a
  // lone surrogate, which UTF-8 cannot hold, as U+FFFD); rather than lose
  // it, the whole file becomes UTF-16, which the platform reads.
  if (!Representable(text) || !Representable(header)) {
    m_encoding = IniEncoding::Utf16LE;
    m_reencode = true;
  }
  m_modified = true;
  if (existing != nullptr) {
    existing->text = std::move(text);
    existing->changed = true;
    Classify(*existing);
  } else if (target != nullptr) {
    target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(position), MakeLine(std::move(text)));
  } else {
    Section added;
    added.hasHeader = true;
    added.header = MakeLine(std::move(header));
    added.lines.push_back(MakeLine(std::move(text)));
    m_sections.push_back(std::move(added));
  }
  // An ANSI file whose first line now starts with "\u00EF\u00BB\u00BF" (or
  // "\u00FF\u00FE", "\u00FE\u00FF") would read back as UTF-8 or UTF-16 and
  // lose that line; with a mark of its own the text stays what it is.
  if (m_encoding == IniEncoding::Ansi && StartsLikeByteOrderMark()) {
    m_encoding = IniEncoding::Utf16LE;
    m_reencode = true;
  }
  return true;
}

bool IniDocument::StartsLikeByteOrderMark() const {
  for (const Section& section : m_sections) {
    const Line* first = section.hasHeader ? &section.header : section.lines.empty() ? nullptr : &section.lines.front();
    if (first == nullptr) continue;
    std::string head;
    if (first->changed) {
      AppendEncoded(head, std::u16string_view(first->text).substr(0, 3));
    } else {
      head = first->raw.substr(0, 3);
    }
    std::size_t markLength = 0;
    return DetectIniEncoding(head, markLength) != IniEncoding::Ansi;
  }
  return false;
}

bool IniDocument::WriteInt(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  return WriteString(section, key, DecimalText(value));
}

bool IniDocument::WriteStruct(std::u16string_view section, std::u16string_view key, const void* bytes,
                              std::size_t size) {
  return WriteString(section, key, EncodeIniStruct(bytes, size));
}

void IniDocument::AppendEncoded(std::string& out, std::u16string_view text) const {
  switch (m_encoding) {
    case IniEncoding::Ansi: {
      std::string bytes;
      EncodeCodePage(kAnsiCodePage, text, bytes);
      out += bytes;
      return;
    }
    case IniEncoding::Utf8: out += Utf16ToUtf8(text); return;
    case IniEncoding::Utf16LE:
    case IniEncoding::Utf16BE: break;
  }
  const bool bigEndian = m_encoding == IniEncoding::Utf16BE;
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
  }
}

void IniDocument::Append(std::string& out, const Line& line, bool last) const {
  // Lines read from the file go out as the bytes that came in.
  if (!line.changed && !m_reencode) {
    out += line.raw;
  } else {
    AppendEncoded(out, line.text);
    AppendEncoded(out, line.eol);
  }
  // A last line without a line break gets one when lines now follow it.
  if (line.eol.empty() && !last) AppendEncoded(out, m_newline);
}

std::string IniDocument::Serialize() const {
  std::string out(IniByteOrderMark(m_encoding));
  const Line* previous = nullptr;
  const auto emit = [&](const Line& line) {
    if (previous != nullptr) Append(out, *previous, false);
    previous = &line;
  };
  for (const Section& section : m_sections) {
    if (section.hasHeader) emit(section.header);
    for (const Line& line : section.lines) emit(line);
  }
  if (previous != nullptr) Append(out, *previous, true);
  return out;
}

}  // namespace perix
