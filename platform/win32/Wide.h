#pragma once
// char16_t and wchar_t are both UTF-16 on Windows; these convert between the
// core's strings and the API's without copying character by character.

#include <string>
#include <string_view>

namespace perix {

inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

}  // namespace perix
