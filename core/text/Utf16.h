#pragma once
// UTF-16 text helpers. The program's text is UTF-16 everywhere (it is what the
// records and the Windows API hold); char16_t keeps that true on Linux, where
// wchar_t is four bytes wide.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace perix {

// Converts UTF-8 to UTF-16 as Windows does: each maximal invalid prefix
// becomes one U+FFFD, and a sequence cut short by the end of the input one
// U+FFFD for the rest. The result is always valid UTF-16.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Converts UTF-16 to UTF-8. A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// File names on POSIX systems are bytes that need not be UTF-8. These map
// them to UTF-16 and back without loss: a byte that is not part of valid UTF-8
// becomes one of the lone surrogates U+DC80..U+DCFF, which decoded text never
// holds, and turns back into the same byte. Valid UTF-8 converts as usual.
std::u16string Utf16FromNativeName(std::string_view bytes);
std::string NativeNameFromUtf16(std::u16string_view text);

// Widens 7-bit text such as key names and numbers.
std::u16string Widen(std::string_view ascii);

// The decimal text of a value, as "%d" writes it.
std::u16string DecimalText(std::int64_t value);

// The number a digits-only edit box holds: its leading decimal digits, 0 when
// it has none. Long runs of digits stop growing well before the int range
// ends, so callers can compare against their limits without overflow.
int DecimalValue(std::u16string_view text);

// Copies text into a fixed, zero-terminated UTF-16 array, cutting it to
// N - 1 code units so the terminator always fits. A cut never leaves the
// first half of a surrogate pair at the end.
template <std::size_t N>
void CopyToFixed(char16_t (&dest)[N], std::u16string_view text) {
  static_assert(N > 0);
  std::size_t count = text.size() < N - 1 ? text.size() : N - 1;
  if (count > 0 && count < text.size() && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF) {
    --count;
  }
  for (std::size_t i = 0; i < count; ++i) dest[i] = text[i];
  dest[count] = u'\0';
}

// The text of a fixed, zero-terminated UTF-16 array (all N units when the
// array holds no terminator).
template <std::size_t N>
std::u16string FixedToString(const char16_t (&source)[N]) {
  std::size_t length = 0;
  while (length < N && source[length] != u'\0') ++length;
  return std::u16string(source, length);
}

}  // namespace perix
