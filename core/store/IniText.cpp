#include "store/IniText.h"

#include <cstring>
#include <vector>

namespace perix {
namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

constexpr char16_t kHexUpper[] = u"0123456789ABCDEF";

}  // namespace

IniEncoding DetectIniEncoding(std::string_view bytes, std::size_t& markLength) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    markLength = 3;
    return IniEncoding::Utf8;
  }
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") {
    markLength = 2;
    return IniEncoding::Utf16LE;
  }
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") {
    markLength = 2;
    return IniEncoding::Utf16BE;
  }
  markLength = 0;
  return IniEncoding::Ansi;
}

std::string_view IniByteOrderMark(IniEncoding encoding) {
  switch (encoding) {
    case IniEncoding::Utf8: return "\xEF\xBB\xBF";
    case IniEncoding::Utf16LE: return "\xFF\xFE";
    case IniEncoding::Utf16BE: return "\xFE\xFF";
    case IniEncoding::Ansi: break;
  }
  return {};
}

std::u16string_view TrimIniBlanks(std::u16string_view text) {
  text = SkipLeadingIniBlanks(text);
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string_view SkipLeadingIniBlanks(std::u16string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  return text;
}

bool IniNamesEqual(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i];
    char16_t y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::u16string CopyIniValue(std::u16string_view value, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  bool quoted = false;
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::u16string out(value.substr(0, bufferSize - 1));
  // The closing quote is dropped from what was copied whenever the buffer
  // could have held it, so a quoted value exactly one unit too long for the
  // buffer loses its last character as well (the platform does the same).
  if (quoted && bufferSize >= value.size() && !out.empty()) out.pop_back();
  return out;
}

std::u16string_view TrimIniDefault(std::u16string_view defaultValue) {
  while (defaultValue.size() > 1 && defaultValue.back() == u' ') defaultValue.remove_suffix(1);
  return defaultValue;
}

std::int32_t ParseIniInt(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] <= u' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == u'0') {
    if (text[i + 1] == u'x') base = 16;
    if (text[i + 1] == u'o') base = 8;
    if (text[i + 1] == u'b') base = 2;
    if (base != 10) i += 2;
  }
  std::uint32_t value = 0;
  bool any = false;
  for (; i < text.size(); ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
    value = value * base + static_cast<unsigned>(digit);
    any = true;
  }
  if (!any) return 0;
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

std::u16string EncodeIniStruct(const void* bytes, std::size_t size) {
  const auto* data = static_cast<const unsigned char*>(bytes);
  std::u16string out;
  out.reserve(2 * size + 2);
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) {
    out.push_back(kHexUpper[data[i] >> 4]);
    out.push_back(kHexUpper[data[i] & 0x0F]);
    sum += data[i];
  }
  out.push_back(kHexUpper[(sum >> 4) & 0x0F]);
  out.push_back(kHexUpper[sum & 0x0F]);
  return out;
}

bool DecodeIniStruct(std::u16string_view text, void* buffer, std::size_t size) {
  if (text.size() / 2 != size + 1 || text.size() % 2 != 0) return false;
  std::vector<unsigned char> bytes(size + 1);
  for (std::size_t i = 0; i <= size; ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = static_cast<unsigned char>(high * 16 + low);
  }
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += bytes[i];
  if ((sum & 0xFF) != bytes[size]) return false;
  if (size > 0) std::memcpy(buffer, bytes.data(), size);
  return true;
}

}  // namespace perix
