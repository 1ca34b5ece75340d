#pragma once
// Windows-1252, the ANSI code page of Western Windows installations. The
// portable build uses it wherever Windows would use the system code page.

#include <string>
#include <string_view>

namespace perix {

// Every byte has a character: the five bytes that Windows-1252 leaves
// unassigned decode to the C1 controls of the same value, as Windows does.
std::u16string DecodeWindows1252(std::string_view bytes);

// False when some character has no byte; that character is written as '?'.
bool EncodeWindows1252(std::u16string_view text, std::string& out);

}  // namespace perix
