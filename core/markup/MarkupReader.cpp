#include "markup/MarkupReader.h"

#include "markup/MarkupEncoding.h"
#include "markup/MarkupScanner.h"
#include "platform/FileSystem.h"
#include "text/Utf16.h"

namespace perix {

using markup::ElementEntry;
using markup::MarkupKind;
using markup::MarkupNode;
using markup::ScanError;

namespace {

// Offsets live in 32-bit fields and are written with "%d".
constexpr std::size_t kMaxTextLength = 0x7FFFFFF0;
// Hostile input can produce a message per tag; the diagnostics stay bounded.
constexpr std::size_t kMaxResultLength = 32768;
// How far up an end tag that does not match the innermost element may look
// for its start tag. Bounded so that deep nesting plus many stray end tags
// cannot make the parse quadratic.
constexpr std::size_t kAncestorSearchLimit = 256;

constexpr std::size_t npos = std::u16string_view::npos;

std::u16string Number(std::size_t value) { return DecimalText(static_cast<std::int64_t>(value)); }

std::u16string_view Inner(std::u16string_view node, std::u16string_view open, std::u16string_view close) {
  if (node.size() < open.size()) return {};
  node.remove_prefix(open.size());
  if (node.size() >= close.size() && node.substr(node.size() - close.size()) == close) {
    node.remove_suffix(close.size());
  }
  return node;
}

bool IsAllSpace(std::u16string_view text) {
  for (char16_t c : text) {
    if (!markup::IsSpace(c)) return false;
  }
  return true;
}

}  // namespace

bool MarkupReader::Load(std::u16string_view path) { return Load(DefaultFileSystem(), path); }

bool MarkupReader::Load(FileSystem& files, std::u16string_view path) {
  FileRead read = files.ReadAll(path);
  if (!read.ok()) {
    Clear();
    AddResult(u"Unable to read file:");
    AddResult(Widen(FileStatusText(read.status)));
    return false;
  }
  return LoadBytes(read.bytes);
}

bool MarkupReader::LoadBytes(std::string_view bytes) {
  Clear();
  if (bytes.size() > kMaxTextLength) {
    AddResult(u"Document too large");
    return false;
  }
  std::u16string note;
  markup::DecodeDocument(bytes, m_text, note);
  AddResult(note);
  return Parse();
}

bool MarkupReader::SetDoc(std::u16string text) {
  Clear();
  m_text = std::move(text);
  return Parse();
}

void MarkupReader::Clear() {
  m_text.clear();
  m_result.clear();
  m_resultFull = false;
  m_wellFormed = false;
  m_index.Reset(1);
  ResetPos();
}

void MarkupReader::AddResult(std::u16string_view fragment) {
  if (m_resultFull || fragment.empty()) return;
  if (m_result.size() + fragment.size() + 1 > kMaxResultLength) {
    m_result += u" ...";
    m_resultFull = true;
    return;
  }
  if (!m_result.empty() && m_result.back() != u' ') m_result += u' ';
  m_result += fragment;
}

void MarkupReader::AddMessage(std::initializer_list<std::u16string_view> pieces) {
  if (m_resultFull) return;
  std::u16string message;
  for (std::u16string_view piece : pieces) message += piece;
  AddResult(message);
}

std::u16string_view MarkupReader::TagNameAt(std::size_t start) const {
  const std::u16string_view text = m_text;
  return text.substr(start + 1, markup::NameEnd(text, start + 1) - start - 1);
}

bool MarkupReader::NameIs(std::size_t start, std::u16string_view name) const {
  const std::u16string_view text = m_text;
  const std::size_t first = start + 1;
  if (text.size() - first < name.size() || text.compare(first, name.size(), name) != 0) return false;
  return first + name.size() == text.size() || markup::IsNameDelimiter(text[first + name.size()]);
}

void MarkupReader::CloseElement(std::uint32_t position, std::size_t end, std::size_t endTagLength) {
  ElementEntry& entry = m_index[position];
  entry.length = static_cast<std::uint32_t>(end - entry.start);
  if (endTagLength > markup::kEndTagMax) {
    entry.flags |= markup::kFlagLongEndTag;
  } else {
    entry.tagLengths |= static_cast<std::uint32_t>(endTagLength) << markup::kStartTagBits;
  }
}

void MarkupReader::CutElement(std::uint32_t position, std::size_t end) {
  ElementEntry& entry = m_index[position];
  entry.length = static_cast<std::uint32_t>(end - entry.start);
  entry.flags |= markup::kFlagNotEnded;
}

bool MarkupReader::Parse() {
  m_wellFormed = false;
  ResetPos();
  if (m_text.size() > kMaxTextLength) {
    m_text.clear();
    m_index.Reset(1);
    AddResult(u"Document too large");
    return false;
  }
  m_index.Reset(m_text.size() / 64 + 8);
  if (m_text.empty()) {
    AddResult(u"Empty document");
    return false;
  }

  const std::u16string_view text = m_text;
  const std::size_t n = text.size();
  m_index[0].length = static_cast<std::uint32_t>(n);
  bool damaged = false;
  std::uint32_t open = 0;  // innermost open element; 0 = the document level
  std::size_t pos = 0;
  while (pos < n) {
    const std::size_t lt = markup::FindChar(text, pos, u'<');
    if (lt == npos) break;
    const MarkupNode node = markup::ScanMarkup(text, lt);

    if (node.error != ScanError::None) {
      damaged = true;
      const std::u16string offset = Number(lt);
      switch (node.error) {
        case ScanError::Unterminated:
        case ScanError::Broken: {
          std::u16string_view kind = u"tag";
          if (lt + 2 < n) {
            switch (node.kind) {
              case MarkupKind::StartTag: kind = u"Element tag"; break;
              case MarkupKind::EndTag: kind = u"Element end tag"; break;
              case MarkupKind::CData: kind = u"CDATA Section"; break;
              case MarkupKind::ProcessingInstruction: kind = u"Processing instruction"; break;
              case MarkupKind::Comment: kind = u"Comment"; break;
              case MarkupKind::Doctype: kind = u"Doctype"; break;
            }
          }
          AddMessage({kind, u" at offset ", offset, u" unterminated"});
          break;
        }
        case ScanError::BadNameStart: AddMessage({u"Incorrect ", u"tag name character", u" at offset ", offset}); break;
        case ScanError::BadBang: AddMessage({u"Incorrect ", u"! tag", u" at offset ", offset}); break;
        case ScanError::BadComment: AddMessage({u"Incorrect ", u"comment tag", u" at offset ", offset}); break;
        case ScanError::BadCData: AddMessage({u"Incorrect ", u"tag", u" at offset ", offset}); break;
        case ScanError::None: break;
      }
      if (node.error == ScanError::Unterminated) break;
      pos = node.end;
      continue;
    }
    pos = node.end;

    if (node.kind == MarkupKind::StartTag) {
      const std::uint32_t position = m_index.Add();
      ElementEntry& entry = m_index[position];
      const std::size_t tagLength = node.end - lt;
      entry.start = static_cast<std::uint32_t>(lt);
      if (tagLength > markup::kStartTagMax) {
        entry.flags |= markup::kFlagLongStartTag;
      } else {
        entry.tagLengths = static_cast<std::uint32_t>(tagLength);
      }
      entry.parent = open;
      if (node.emptyElement) {
        entry.length = static_cast<std::uint32_t>(tagLength);
        entry.flags |= markup::kFlagEmptyTag;
      }
      ElementEntry& parent = m_index[open];
      if (parent.lastChild != 0) {
        m_index[parent.lastChild].nextSibling = position;
      } else {
        parent.firstChild = position;
      }
      parent.lastChild = position;
      if (!node.emptyElement) open = position;
      continue;
    }

    if (node.kind != MarkupKind::EndTag) continue;
    const std::u16string_view name = text.substr(lt + 2, node.nameEnd - lt - 2);
    if (open == 0) {
      m_index[0].flags |= markup::kFlagDocumentError;
      if (!m_resultFull) AddMessage({u"No start tag for end tag '", name, u"' at offset ", Number(lt)});
      continue;
    }
    const std::size_t openStart = m_index[open].start;
    if (NameIs(openStart, name)) {
      CloseElement(open, node.end, node.end - lt);
      open = m_index[open].parent;
      continue;
    }
    m_index[0].flags |= markup::kFlagDocumentError;
    if (!m_resultFull) {
      AddMessage({u"End tag '", name, u"' at offset ", Number(lt), u" does not match start tag '",
                  TagNameAt(openStart), u"' at offset ", Number(openStart)});
    }
    // When the end tag belongs to an enclosing element, the elements inside
    // it lost their end tags: end them here and close that one. Otherwise
    // the stray end tag is ignored.
    std::uint32_t match = m_index[open].parent;
    for (std::size_t steps = 0; match != 0 && steps < kAncestorSearchLimit; ++steps) {
      if (NameIs(m_index[match].start, name)) break;
      match = m_index[match].parent;
    }
    if (match == 0 || !NameIs(m_index[match].start, name)) continue;
    for (std::uint32_t cut = open; cut != match; cut = m_index[cut].parent) CutElement(cut, lt);
    CloseElement(match, node.end, node.end - lt);
    open = m_index[match].parent;
  }

  if (damaged) m_index[0].flags |= markup::kFlagDocumentError;
  for (std::uint32_t cut = open; cut != 0; cut = m_index[cut].parent) {
    CutElement(cut, n);
    m_index[0].flags |= markup::kFlagDocumentError;
    if (!m_resultFull) {
      const std::size_t start = m_index[cut].start;
      AddMessage({u"Element '", TagNameAt(start), u"' at offset ", Number(start), u" not ended"});
    }
  }

  const std::uint32_t root = m_index[0].firstChild;
  if (root == 0) {
    AddResult(u"No root element");
  } else if (m_index[root].nextSibling != 0) {
    AddResult(u"Root element has sibling");
  }
  m_wellFormed = root != 0 && m_index[root].nextSibling == 0 && (m_index[0].flags & markup::kFlagDocumentError) == 0;
  return m_wellFormed;
}

std::size_t MarkupReader::StartTagLength(std::uint32_t position) const {
  if (position == 0) return 0;
  const ElementEntry& entry = m_index[position];
  if (entry.flags & markup::kFlagLongStartTag) return markup::ScanMarkup(m_text, entry.start).end - entry.start;
  return entry.tagLengths & markup::kStartTagMax;
}

std::size_t MarkupReader::EndTagLength(std::uint32_t position) const {
  if (position == 0) return 0;
  const ElementEntry& entry = m_index[position];
  if (entry.flags & (markup::kFlagNotEnded | markup::kFlagEmptyTag)) return 0;
  if (entry.flags & markup::kFlagLongEndTag) {
    // An end tag holds no '<' after its own.
    const std::size_t end = std::size_t{entry.start} + entry.length;
    return end - m_text.rfind(u'<', end - 1);
  }
  return entry.tagLengths >> markup::kStartTagBits;
}

std::size_t MarkupReader::ContentStart(std::uint32_t position) const {
  return position == 0 ? 0 : m_index[position].start + StartTagLength(position);
}

std::size_t MarkupReader::ContentEnd(std::uint32_t position) const {
  if (position == 0) return m_text.size();
  const ElementEntry& entry = m_index[position];
  return std::size_t{entry.start} + entry.length - EndTagLength(position);
}

void MarkupReader::ResetPos() {
  m_parent = 0;
  m_position = 0;
  m_nodeType = 0;
  m_nodeOffset = 0;
  m_nodeLength = 0;
}

bool MarkupReader::FindElem(std::u16string_view name) {
  std::uint32_t candidate = m_position != 0 ? m_index[m_position].nextSibling : m_index[m_parent].firstChild;
  for (; candidate != 0; candidate = m_index[candidate].nextSibling) {
    if (name.empty() || NameIs(m_index[candidate].start, name)) {
      m_position = candidate;
      m_nodeType = kMarkupElement;
      m_nodeOffset = m_index[candidate].start;
      m_nodeLength = m_index[candidate].length;
      return true;
    }
  }
  return false;
}

unsigned MarkupReader::FindNode(unsigned types) {
  const std::u16string_view bounded = std::u16string_view(m_text).substr(0, ContentEnd(m_parent));
  std::size_t from;
  if (m_nodeType != 0) {
    from = m_nodeOffset + m_nodeLength;
  } else {
    from = ContentStart(m_parent);
  }
  std::uint32_t element = m_position;  // the last element passed
  while (from < bounded.size()) {
    unsigned type = 0;
    std::size_t end;
    std::uint32_t next = element != 0 ? m_index[element].nextSibling : m_index[m_parent].firstChild;
    if (bounded[from] != u'<') {
      end = bounded.find(u'<', from);
      if (end == npos) end = bounded.size();
      type = IsAllSpace(bounded.substr(from, end - from)) ? kMarkupWhitespace : kMarkupText;
    } else if (next != 0 && m_index[next].start == from) {
      type = kMarkupElement;
      element = next;
      end = from + m_index[next].length;
    } else {
      const MarkupNode node = markup::ScanMarkup(bounded, from);
      end = node.end > from ? node.end : from + 1;
      if (node.error == ScanError::None || node.error == ScanError::Unterminated) {
        switch (node.kind) {
          case MarkupKind::CData: type = kMarkupCData; break;
          case MarkupKind::ProcessingInstruction: type = kMarkupProcessingInstruction; break;
          case MarkupKind::Comment: type = kMarkupComment; break;
          case MarkupKind::Doctype: type = kMarkupDocumentType; break;
          case MarkupKind::StartTag:  // a start tag the parse did not index here
          case MarkupKind::EndTag: break;
        }
      } else {
        type = kMarkupText;  // damaged markup reads as the text it is
      }
    }
    if (type != 0 && (types == 0 || (types & type) != 0)) {
      m_position = element;
      m_nodeType = type;
      m_nodeOffset = from;
      m_nodeLength = end - from;
      return type;
    }
    from = end;
  }
  return 0;
}

bool MarkupReader::IntoElem() {
  if (m_nodeType != kMarkupElement || m_position == 0) return false;
  m_parent = m_position;
  m_position = 0;
  m_nodeType = 0;
  m_nodeOffset = 0;
  m_nodeLength = 0;
  return true;
}

bool MarkupReader::OutOfElem() {
  if (m_parent == 0) return false;
  m_position = m_parent;
  m_parent = m_index[m_position].parent;
  m_nodeType = kMarkupElement;
  m_nodeOffset = m_index[m_position].start;
  m_nodeLength = m_index[m_position].length;
  return true;
}

std::u16string MarkupReader::GetTagName() const {
  if (m_nodeType != kMarkupElement) return {};
  return std::u16string(TagNameAt(m_index[m_position].start));
}

std::u16string MarkupReader::GetData() const {
  const std::u16string_view node = std::u16string_view(m_text).substr(m_nodeOffset, m_nodeLength);
  std::u16string out;
  switch (m_nodeType) {
    case kMarkupElement: return ElementData(m_position);
    case kMarkupComment: return std::u16string(Inner(node, u"<!--", u"-->"));
    case kMarkupProcessingInstruction: return std::u16string(Inner(node, u"<?", u"?>"));
    case kMarkupCData: return std::u16string(Inner(node, u"<![CDATA[", u"]]>"));
    case kMarkupText:
    case kMarkupWhitespace: markup::AppendDecoded(node, out); return out;
    case kMarkupDocumentType: return std::u16string(node);
    default: return out;
  }
}

std::u16string MarkupReader::ElementData(std::uint32_t position) const {
  std::u16string out;
  if (position == 0 || m_index[position].firstChild != 0) return out;
  const std::size_t start = ContentStart(position);
  const std::size_t end = ContentEnd(position);
  if (end <= start) return out;
  const std::u16string_view bounded = std::u16string_view(m_text).substr(0, end);
  out.reserve(end - start);  // decoding only ever shortens the text
  std::size_t lt = markup::FindChar(bounded, start, u'<');
  if (lt == npos) {
    markup::AppendDecoded(bounded.substr(start), out);
    return out;
  }
  std::size_t pos = start;
  for (;;) {
    markup::AppendDecoded(bounded.substr(pos, (lt == npos ? end : lt) - pos), out);
    if (lt == npos) break;
    const MarkupNode node = markup::ScanMarkup(bounded, lt);
    if (node.error == ScanError::Unterminated) break;
    if (node.error != ScanError::None) {
      // Damaged markup reads as the text it is.
      out.append(bounded.substr(lt, node.end - lt));
    } else if (node.kind == MarkupKind::CData) {
      out.append(bounded.substr(lt + 9, node.end - 3 - (lt + 9)));
    }
    pos = node.end;
    lt = markup::FindChar(bounded, pos, u'<');
  }
  return out;
}

}  // namespace perix
