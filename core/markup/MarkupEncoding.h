#pragma once
// Works out the character encoding of a markup file and converts it to the
// UTF-16 text the reader works on.

#include <string>
#include <string_view>

namespace perix::markup {

// The encoding a document names in its first bytes (already widened): the
// "encoding" of an XML declaration, or for an HTML document the charset of a
// <meta http-equiv="Content-Type"> in its head. Empty when it names none.
std::u16string DeclaredEncoding(std::u16string_view head);

// Converts a whole file to UTF-16. `note` receives what was found and done
// ("UTF-8 BOM + length 12 to 10 wide chars "), for diagnostics.
void DecodeDocument(std::string_view bytes, std::u16string& text, std::u16string& note);

// UTF-8 to UTF-16. Lenient: a malformed sequence becomes U+FFFD. Strict:
// stops and returns false at the first malformed sequence.
bool DecodeUtf8(std::string_view bytes, std::u16string& out, bool strict);

}  // namespace perix::markup
