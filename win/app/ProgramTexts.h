#pragma once
// The program's words: the string table "Strings.xml" and the skin's INI
// files, both in the program folder.
//
// FIXME: stands in for the core's string table until it lands; the reader
// below handles only what a string table needs (elements, text, CDATA,
// comments, the five XML entities and numeric references).
//
// Lookup: the root element must carry the section's name; the key is its
// first child of that name, or is looked for in the same way inside the first
// nested element that repeats the section's name. A document that is not well
// formed (no root, a second top-level element, unmatched tags) yields nothing.
// The file is parsed once and parsed again only when it changes on disk.

#include <memory>
#include <string>
#include <vector>

#include "app/TextSource.h"
#include "framework/Win32.h"

namespace perix::win {

class CProgramTexts final : public TextSource {
 public:
  CProgramTexts();
  ~CProgramTexts() override;

  void SetStringFile(std::wstring path);
  // The folder the skin INI files are in, with a trailing backslash.
  void SetSkinFolder(std::wstring folder);

  std::u16string Text(std::u16string_view section, std::u16string_view key) override;
  std::u16string SkinString(std::u16string_view file, std::u16string_view section,
                            std::u16string_view key) override;

  // How many times the string file has been read and parsed.
  int ParseCount() const { return m_parses; }

  struct Element;

 private:
  void Refresh();

  std::wstring m_stringFile;
  std::wstring m_skinFolder;
  std::unique_ptr<Element> m_root;  // null when the document is not well formed
  bool m_loaded = false;
  FILETIME m_stamp{};
  ULONGLONG m_size = 0;
  int m_parses = 0;
};

}  // namespace perix::win
