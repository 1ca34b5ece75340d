#pragma once
// The character-level rules of the Windows private-profile format: how the
// file's bytes become text, which characters count as blanks, how names are
// compared, and how the platform's readers turn a stored value into what the
// caller gets. The device service reads "Mouse.ini" with the platform's own
// functions, so each rule here reproduces what those functions do.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace perix {

enum class IniEncoding {
  Ansi,     // the system code page, no byte-order mark
  Utf8,     // with the mark EF BB BF
  Utf16LE,  // with the mark FF FE
  Utf16BE,  // with the mark FE FF
};

// The encoding a file's leading bytes announce, and the length of the mark.
IniEncoding DetectIniEncoding(std::string_view bytes, std::size_t& markLength);
std::string_view IniByteOrderMark(IniEncoding encoding);

// The blanks the reader trims around names and values: tab, the line and
// page breaks, and space. Other Unicode spaces are part of the text.
constexpr bool IsIniBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
std::u16string_view TrimIniBlanks(std::u16string_view text);
std::u16string_view SkipLeadingIniBlanks(std::u16string_view text);

// Section and key names compare without regard to the case of ASCII letters;
// other letters must match exactly.
bool IniNamesEqual(std::u16string_view a, std::u16string_view b);

// What the string reader returns for a stored value with a buffer of
// `bufferSize` code units: a value enclosed in matching quotes ('..' or "..")
// loses them, and the result is cut to bufferSize - 1 units.
std::u16string CopyIniValue(std::u16string_view value, std::size_t bufferSize);

// The string reader trims trailing spaces from the default it is given (the
// first character always stays).
std::u16string_view TrimIniDefault(std::u16string_view defaultValue);

// The integer reader's parser: leading characters up to U+0020 skipped, one
// optional sign, an optional lower-case prefix 0x, 0o or 0b, then digits up to
// the first character that is not one; the value wraps modulo 2^32. No digits
// gives 0.
std::int32_t ParseIniInt(std::u16string_view text);
// The integer reader sees the value through a buffer of this many units.
inline constexpr std::size_t kIniIntBufferSize = 30;

// The structure format: each byte as two upper-case hex digits, then the sum of
// the bytes modulo 256 the same way.
std::u16string EncodeIniStruct(const void* bytes, std::size_t size);
// Fills `buffer` only when `text` has exactly 2 * size + 2 hex digits (either
// case) and the checksum matches.
bool DecodeIniStruct(std::u16string_view text, void* buffer, std::size_t size);

}  // namespace perix
