#pragma once
// Named character references: the five XML names and the HTML 4.01 entity
// set, so a string file written by an HTML-minded translator still reads.

#include <cstddef>
#include <span>
#include <string_view>

namespace perix::markup {

struct NamedReference {
  std::string_view name;
  char16_t character;
};

// All 253 names (every character of the HTML 4.01 set lies in the BMP).
std::span<const NamedReference> NamedReferenceTable();

// The character a name stands for, exactly as spelled (case matters:
// "Aacute" and "aacute" differ); 0 when the name is unknown.
char16_t LookupNamedReference(std::u16string_view name);

}  // namespace perix::markup
