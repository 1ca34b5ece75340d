#include "skin/SkinTexts.h"

#include "skin/StringTable.h"
#include "store/SettingsStore.h"

namespace perix {

std::u16string GetSkinString(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                             FileSystem& files) {
  return SettingsStore(std::u16string(path), files).ReadString(section, key, u"");
}

SkinTexts::SkinTexts(std::u16string programFolder, FileSystem& files)
    : m_programFolder(std::move(programFolder)), m_files(&files) {
  SetStringFile(m_programFolder + std::u16string(kStringFileName), &files);
}

std::u16string SkinTexts::Text(std::u16string_view section, std::u16string_view key) {
  return GetText(section, key);
}

std::u16string SkinTexts::SkinPath(std::u16string_view file) const {
  return m_programFolder + kSkinFolderPrefix + std::u16string(file);
}

std::u16string SkinTexts::SkinString(std::u16string_view file, std::u16string_view section,
                                     std::u16string_view key) {
  auto found = m_skinFiles.find(file);
  if (found == m_skinFiles.end()) {
    found = m_skinFiles.emplace(std::u16string(file), SettingsStore(SkinPath(file), *m_files).Load()).first;
  }
  return found->second.ReadString(section, key, u"", SettingsStore::kStringBufferSize);
}

}  // namespace perix
