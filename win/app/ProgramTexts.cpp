#include "app/ProgramTexts.h"

#include <cwchar>

namespace perix::win {

struct CProgramTexts::Element {
  std::u16string name;
  std::u16string text;  // empty when the element has child elements
  std::vector<std::unique_ptr<Element>> children;
};

namespace {

using Element = CProgramTexts::Element;

std::u16string Utf8ToUtf16Lenient(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return std::u16string(wide.begin(), wide.end());
}

std::u16string DecodeFile(const std::string& raw) {
  auto at = [&](std::size_t i) { return static_cast<unsigned char>(raw[i]); };
  if (raw.size() >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
    const bool little = at(0) == 0xFF;
    std::u16string text;
    for (std::size_t i = 2; i + 1 < raw.size(); i += 2) {
      const auto unit = static_cast<char16_t>(little ? at(i) | at(i + 1) << 8 : at(i) << 8 | at(i + 1));
      if (unit != 0) text.push_back(unit);
    }
    return text;
  }
  if (raw.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) return Utf8ToUtf16Lenient(raw.substr(3));
  return Utf8ToUtf16Lenient(raw);
}

void AppendCodePoint(std::u16string& out, unsigned long cp) {
  if (cp > 0xFFFF) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

// Character references; anything that is not one is kept as written.
std::u16string DecodeReferences(std::u16string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t end = text[i] == u'&' ? text.find(u';', i) : std::u16string_view::npos;
    if (end == std::u16string_view::npos || end - i > 10) {
      out.push_back(text[i]);
      continue;
    }
    const std::u16string_view name = text.substr(i + 1, end - i - 1);
    unsigned long cp = 0;
    if (name == u"lt") cp = '<';
    else if (name == u"gt") cp = '>';
    else if (name == u"amp") cp = '&';
    else if (name == u"quot") cp = '"';
    else if (name == u"apos") cp = '\'';
    else if (name.size() > 1 && name[0] == u'#') {
      const bool hex = name[1] == u'x';
      for (std::size_t k = hex ? 2 : 1; k < name.size(); ++k) {
        const char16_t c = name[k];
        int digit = -1;
        if (c >= u'0' && c <= u'9') digit = c - u'0';
        else if (hex && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
        if (digit < 0 || cp > 0x10FFFF) {
          cp = 0;
          break;
        }
        cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
      }
      if (cp > 0x10FFFF) cp = 0;
    }
    if (cp == 0) {
      out.push_back(text[i]);
      continue;
    }
    AppendCodePoint(out, cp);
    i = end;
  }
  return out;
}

bool IsNameEnd(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'<' || c == u'>' || c == u'=' || c == u'\\' ||
         c == u'/' || c == u'?' || c == u'!' || c == u'"' || c == u'\'' || c == u';';
}

class Reader {
 public:
  explicit Reader(std::u16string_view text) : m_text(text) {}

  // The root element, or null when the document is not well formed.
  std::unique_ptr<Element> Document() {
    std::unique_ptr<Element> root;
    while (m_pos < m_text.size() && m_ok) {
      if (m_text[m_pos] != u'<') {
        ++m_pos;  // text at the top level is ignored
        continue;
      }
      if (SkipMarkup()) continue;
      if (m_text.compare(m_pos, 2, u"</") == 0) return nullptr;  // an end tag with nothing open
      auto element = ParseElement();
      if (!element || root) return nullptr;  // damaged, or a second top-level element
      root = std::move(element);
    }
    return m_ok ? std::move(root) : nullptr;
  }

 private:
  // Comments, processing instructions and declarations; false when the
  // position holds none of them.
  bool SkipMarkup() {
    if (m_text.compare(m_pos, 4, u"<!--") == 0) return SkipPast(u"-->");
    if (m_text.compare(m_pos, 2, u"<?") == 0) return SkipPast(u"?>");
    if (m_text.compare(m_pos, 9, u"<![CDATA[") == 0) return false;
    if (m_text.compare(m_pos, 2, u"<!") == 0) return SkipPast(u">");
    return false;
  }

  bool SkipPast(std::u16string_view end) {
    const std::size_t found = m_text.find(end, m_pos + 2);
    if (found == std::u16string_view::npos) {
      m_ok = false;
      m_pos = m_text.size();
    } else {
      m_pos = found + end.size();
    }
    return true;
  }

  std::unique_ptr<Element> ParseElement() {
    // At '<' of a start tag.
    std::size_t p = m_pos + 1;
    const std::size_t nameStart = p;
    while (p < m_text.size() && !IsNameEnd(m_text[p])) ++p;
    if (p == nameStart) return Fail();
    auto element = std::make_unique<Element>();
    element->name = std::u16string(m_text.substr(nameStart, p - nameStart));
    // Attributes are skipped, quotes respected.
    char16_t quote = 0;
    while (p < m_text.size()) {
      const char16_t c = m_text[p];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == u'"' || c == u'\'') {
        quote = c;
      } else if (c == u'>') {
        break;
      }
      ++p;
    }
    if (p >= m_text.size()) return Fail();
    m_pos = p + 1;
    if (m_text[p - 1] == u'/') return element;  // an empty-element tag

    std::u16string text;
    bool hasChildren = false;
    while (m_pos < m_text.size()) {
      const std::size_t lt = m_text.find(u'<', m_pos);
      if (lt == std::u16string_view::npos) break;
      text += DecodeReferences(m_text.substr(m_pos, lt - m_pos));
      m_pos = lt;
      if (m_text.compare(m_pos, 9, u"<![CDATA[") == 0) {
        const std::size_t end = m_text.find(u"]]>", m_pos + 9);
        if (end == std::u16string_view::npos) return Fail();
        text += m_text.substr(m_pos + 9, end - m_pos - 9);
        m_pos = end + 3;
        continue;
      }
      if (SkipMarkup()) {
        if (!m_ok) return nullptr;
        continue;
      }
      if (m_text.compare(m_pos, 2, u"</") == 0) {
        const std::size_t nameAt = m_pos + 2;
        std::size_t q = nameAt;
        while (q < m_text.size() && !IsNameEnd(m_text[q])) ++q;
        if (m_text.substr(nameAt, q - nameAt) != element->name) return Fail();
        const std::size_t close = m_text.find(u'>', q);
        if (close == std::u16string_view::npos) return Fail();
        m_pos = close + 1;
        if (!hasChildren) element->text = std::move(text);
        return element;
      }
      auto child = ParseElement();
      if (!child) return nullptr;
      element->children.push_back(std::move(child));
      hasChildren = true;
    }
    return Fail();  // never ended
  }

  std::unique_ptr<Element> Fail() {
    m_ok = false;
    m_pos = m_text.size();
    return nullptr;
  }

  std::u16string_view m_text;
  std::size_t m_pos = 0;
  bool m_ok = true;
};

const Element* FirstChildNamed(const Element& parent, std::u16string_view name) {
  for (const auto& child : parent.children) {
    if (child->name == name) return child.get();
  }
  return nullptr;
}

std::wstring WideOf(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

CProgramTexts::CProgramTexts() = default;
CProgramTexts::~CProgramTexts() = default;

void CProgramTexts::SetStringFile(std::wstring path) {
  m_stringFile = std::move(path);
  m_loaded = false;
}

void CProgramTexts::SetSkinFolder(std::wstring folder) { m_skinFolder = std::move(folder); }

void CProgramTexts::Refresh() {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  const bool exists = GetFileAttributesExW(m_stringFile.c_str(), GetFileExInfoStandard, &info) != FALSE;
  const ULONGLONG size = exists ? (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32 | info.nFileSizeLow) : 0;
  if (m_loaded && exists && CompareFileTime(&info.ftLastWriteTime, &m_stamp) == 0 && size == m_size) return;
  m_loaded = true;
  m_stamp = info.ftLastWriteTime;
  m_size = size;
  m_root.reset();
  if (!exists) return;

  HANDLE file = CreateFileW(m_stringFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string raw;
  // A string table is small; anything larger is not one.
  if (size < (16u << 20)) {
    raw.resize(static_cast<std::size_t>(size));
    DWORD read = 0;
    if (!raw.empty() && !ReadFile(file, raw.data(), static_cast<DWORD>(raw.size()), &read, nullptr)) read = 0;
    raw.resize(read);
  }
  CloseHandle(file);
  ++m_parses;
  const std::u16string text = DecodeFile(raw);
  m_root = Reader(text).Document();
}

std::u16string CProgramTexts::Text(std::u16string_view section, std::u16string_view key) {
  Refresh();
  if (!m_root || m_root->name != section) return {};
  const Element* level = m_root.get();
  while (level) {
    if (const Element* found = FirstChildNamed(*level, key)) return found->text;
    level = FirstChildNamed(*level, section);
  }
  return {};
}

std::u16string CProgramTexts::SkinString(std::u16string_view file, std::u16string_view section,
                                         std::u16string_view key) {
  if (file.empty() || section.empty() || key.empty()) return {};
  const std::wstring path = m_skinFolder + WideOf(file);
  std::wstring value(4096, L'\0');
  const DWORD n = GetPrivateProfileStringW(WideOf(section).c_str(), WideOf(key).c_str(), L"", value.data(),
                                           static_cast<DWORD>(value.size()), path.c_str());
  value.resize(n);
  return std::u16string(value.begin(), value.end());
}

}  // namespace perix::win
