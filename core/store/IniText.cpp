#include "store/IniText.h"

#include <cstring>
#include <vector>

namespace perix {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

// Continuation bytes a lead byte announces; 0 for bytes that cannot start a
// sequence (continuations, the overlong leads C0 and C1, and F5..FF).
int FollowingBytes(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

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

std::u16string DecodeIniUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  const std::size_t n = bytes.size();
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::size_t i = 0;
  while (i < n) {
    const unsigned char lead = at(i);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    const int following = FollowingBytes(lead);
    if (following == 0) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    if (n - i - 1 < static_cast<std::size_t>(following)) {
      // Cut short by the end of the input: one replacement for the rest.
      out.push_back(kReplacement);
      break;
    }
    // Each continuation byte is checked as it is taken, together with the
    // range the bits so far allow; a failing byte is not consumed, so the
    // replacement covers only the valid prefix.
    static constexpr unsigned char kLeadMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
    char32_t value = lead & kLeadMask[following];
    std::size_t next = i + 1;
    bool ok = false;
    int stage = following;
    for (;;) {
      const unsigned bits = at(next) ^ 0x80u;
      if (bits >= 0x40) break;
      value = (value << 6) | bits;
      if (stage == 3) {
        ++next;
        if (value < 0x10) break;  // overlong four-byte form
        --stage;
        continue;
      }
      if (stage == 2) {
        if (value >= (0x110000 >> 6)) break;  // beyond U+10FFFF
        ++next;
        if (value < 0x20) break;  // overlong three-byte form
        if (value >= (0xD800 >> 6) && value <= (0xDFFF >> 6)) break;  // a surrogate
        --stage;
        continue;
      }
      ++next;
      ok = value >= 0x80;
      break;
    }
    if (ok) {
      AppendCodePoint(out, value);
    } else {
      out.push_back(kReplacement);
    }
    i = next;
  }
  return out;
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
