#pragma once
// Conversion between Windows code pages and UTF-16, done by the operating
// system (the Windows conversion functions; iconv elsewhere).

#include <string>
#include <string_view>

namespace perix {

// Code page 0 is the system's ANSI code page: the user's code page on Windows,
// Windows-1252 in the portable build.
inline constexpr unsigned kAnsiCodePage = 0;
inline constexpr unsigned kWindows1252 = 1252;

// Decodes bytes of a code page. Bytes that have no character become U+FFFD or
// '?' as the platform decides. False when the code page is not supported.
bool DecodeCodePage(unsigned codePage, std::string_view bytes, std::u16string& out);

// Encodes text in a code page. False when a character has no representation in
// it (it is then written as '?') or the code page is not supported.
bool EncodeCodePage(unsigned codePage, std::u16string_view text, std::string& out);

}  // namespace perix
