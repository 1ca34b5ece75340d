#pragma once
// Character-set names, as documents declare them (IANA charset names and
// their common aliases), mapped to Windows code pages.

#include <span>
#include <string_view>

namespace perix::markup {

struct CharsetName {
  std::string_view name;  // lower case
  unsigned codePage;
};

inline constexpr unsigned kCodePageUtf16 = 1200;
inline constexpr unsigned kCodePageUtf16BigEndian = 1201;
inline constexpr unsigned kCodePageUtf8 = 65001;
inline constexpr unsigned kCodePageUtf32 = 65005;

std::span<const CharsetName> CharsetNameTable();

// The code page of a charset name, compared without regard to the case of
// A-Z. Any name beginning with "UTF-32" is UTF-32; an unknown name, or one of
// 100 characters or more, gives 0 (the system's ANSI code page).
unsigned CodePageOfCharset(std::u16string_view name);

}  // namespace perix::markup
