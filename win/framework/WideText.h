#pragma once
// The core's text as the system's wide strings. On Windows wchar_t holds
// UTF-16, so UTF-16 units are copied as they are; the narrow form is for the
// ASCII names of the layout tables (image files, fixed captions) only.

#include <string>
#include <string_view>

namespace perix::win {

inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::wstring Wide(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace perix::win
