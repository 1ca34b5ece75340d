#include "text/Utf16.h"

#include <algorithm>
#include <limits>

namespace perix {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

// Decodes one UTF-8 sequence at `pos`; returns the code point, or kReplacement
// for a malformed sequence, and advances `pos` past what it consumed.
char32_t DecodeUtf8(std::string_view s, std::size_t& pos, bool& ok) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  ok = true;
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    ok = false;
    return kReplacement;
  }
  std::size_t i = pos + 1;
  for (std::size_t n = 0; n < extra; ++n, ++i) {
    if (i >= s.size() || (byte(i) & 0xC0) != 0x80) {
      pos = i;
      ok = false;
      return kReplacement;
    }
    cp = (cp << 6) | (byte(i) & 0x3F);
  }
  pos = i;
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ok = false;
    return kReplacement;
  }
  return cp;
}

// Continuation bytes a lead byte announces; 0 for bytes that cannot start a
// sequence (continuations, the overlong leads C0 and C1, and F5..FF).
int FollowingBytes(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes) {
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

bool IsValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  bool ok = true;
  while (pos < bytes.size()) {
    DecodeUtf8(bytes, pos, ok);
    if (!ok) return false;
  }
  return true;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::u16string Widen(std::string_view ascii) {
  std::u16string out;
  out.reserve(ascii.size());
  for (char c : ascii) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return out;
}

std::u16string DecimalText(std::int64_t value) { return Widen(std::to_string(value)); }

int DecimalValue(std::u16string_view text) {
  constexpr int kLarge = std::numeric_limits<int>::max() / 10 - 10;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = std::min(kLarge, value * 10 + (c - u'0'));
  }
  return value;
}

}  // namespace perix
