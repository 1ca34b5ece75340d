#pragma once
// Where the page logic gets its words: the string table ("Strings.xml") and
// the skin's INI files.

#include <string>
#include <string_view>

namespace perix {

class TextSource {
 public:
  virtual ~TextSource() = default;
  // A string of the string table; empty when it has none.
  virtual std::u16string Text(std::u16string_view section, std::u16string_view key) = 0;
  // A value of a skin INI file, named relative to the skin folder
  // ("skin_main.ini"); empty when it has none.
  virtual std::u16string SkinString(std::u16string_view file, std::u16string_view section,
                                    std::u16string_view key) = 0;

  // The string of section "BUTTONPAGE", where every caption and message lives.
  std::u16string ButtonPageText(std::u16string_view key) { return Text(u"BUTTONPAGE", key); }
};

}  // namespace perix
