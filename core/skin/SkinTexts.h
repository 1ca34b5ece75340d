#pragma once
// The program's words for the page logic: the string file and the skin's
// INI files, both found in the program folder.

#include <map>
#include <string>
#include <string_view>

#include "app/TextSource.h"
#include "platform/FileSystem.h"
#include "store/IniDocument.h"

namespace perix {

// The skin folder as a path prefix under the program folder (Layout.h names
// the folder itself, kSkinFolder).
inline constexpr char16_t kSkinFolderPrefix[] = u"skins\\";

// A value of a skin INI file (values up to 4095 characters), or empty when
// the file or the key is missing.
std::u16string GetSkinString(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                             FileSystem& files = DefaultFileSystem());

class SkinTexts final : public TextSource {
 public:
  // `programFolder` ends with a separator. The string file is set up for
  // GetText here.
  explicit SkinTexts(std::u16string programFolder, FileSystem& files = DefaultFileSystem());

  std::u16string Text(std::u16string_view section, std::u16string_view key) override;
  std::u16string SkinString(std::u16string_view file, std::u16string_view section,
                            std::u16string_view key) override;

  // The full path of a file in the skin folder.
  std::u16string SkinPath(std::u16string_view file) const;

 private:
  std::u16string m_programFolder;
  FileSystem* m_files;  // not owned
  // Skin files are read once: changing a skin takes a restart.
  std::map<std::u16string, IniDocument, std::less<>> m_skinFiles;
};

}  // namespace perix
