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

// Continuation bytes a lead byte announces; 0 for bytes that cannot start a
// sequence (continuations, the overlong leads C0 and C1, and F5..FF).
int FollowingBytes(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// One step of the UTF-8 decoder that every conversion here shares: the code
// point at `i` and the number of bytes it takes, or, for bytes that are not
// UTF-8, `valid` false and the length of the invalid prefix (at least one
// byte), the unit that becomes one U+FFFD. Each continuation byte is checked
// as it is taken, together with the range the bits so far allow; a failing
// byte that cannot continue any sequence is not consumed.
struct Utf8Step {
  char32_t value = 0;
  std::size_t length = 1;
  bool valid = false;
};

Utf8Step DecodeUtf8Step(std::string_view bytes, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = at(i);
  if (lead < 0x80) return {lead, 1, true};
  const int following = FollowingBytes(lead);
  if (following == 0) return {};
  static constexpr unsigned char kLeadMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
  char32_t value = lead & kLeadMask[following];
  std::size_t next = i + 1;
  bool ok = false;
  int stage = following;
  while (next < bytes.size()) {
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
  return {ok ? value : 0, next - i, ok};
}

// File names that are not UTF-8 keep their bytes as these lone surrogates.
constexpr char16_t kEscapedByteBase = 0xDC00;

bool IsEscapedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

template <typename OnLoneSurrogate>
std::string EncodeUtf8(std::u16string_view utf16, OnLoneSurrogate onLone) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      if (onLone(static_cast<char16_t>(cp), out)) continue;
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

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const int following = FollowingBytes(static_cast<unsigned char>(bytes[i]));
    if (following > 0 && n - i - 1 < static_cast<std::size_t>(following)) {
      // Cut short by the end of the input: one replacement for the rest.
      out.push_back(kReplacement);
      break;
    }
    const Utf8Step step = DecodeUtf8Step(bytes, i);
    if (step.valid) {
      AppendCodePoint(out, step.value);
    } else {
      out.push_back(kReplacement);
    }
    i += step.length;
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const Utf8Step step = DecodeUtf8Step(bytes, i);
    if (!step.valid) return false;
    i += step.length;
  }
  return true;
}

std::u16string Utf16FromNativeName(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const Utf8Step step = DecodeUtf8Step(bytes, i);
    if (step.valid) {
      AppendCodePoint(out, step.value);
    } else {
      for (std::size_t k = 0; k < step.length; ++k) {
        out.push_back(static_cast<char16_t>(kEscapedByteBase + static_cast<unsigned char>(bytes[i + k])));
      }
    }
    i += step.length;
  }
  return out;
}

std::string NativeNameFromUtf16(std::u16string_view text) {
  return EncodeUtf8(text, [](char16_t unit, std::string& out) {
    if (!IsEscapedByte(unit)) return false;
    out.push_back(static_cast<char>(unit - kEscapedByteBase));
    return true;
  });
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  return EncodeUtf8(utf16, [](char16_t, std::string&) { return false; });
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
