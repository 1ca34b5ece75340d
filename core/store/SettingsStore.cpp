#include "store/SettingsStore.h"

#include <utility>

#include "store/SettingsText.h"

namespace perix {

SettingsStore::SettingsStore(std::u16string path, FileSystem& files) : m_path(std::move(path)), m_files(&files) {}

FileStatus SettingsStore::Load(IniDocument& document) const {
  const FileRead read = m_files->ReadAll(m_path);
  document = read.ok() ? IniDocument::Parse(read.bytes) : IniDocument();
  return read.status;
}

IniDocument SettingsStore::Load() const {
  // An absent or unreadable file reads as empty, which is what readers want.
  IniDocument document;
  (void)Load(document);
  return document;
}

FileStatus SettingsStore::Save(const IniDocument& document) const {
  if (!document.Modified()) {
    m_files->RemoveStaleTemporaries(m_path);
    return FileStatus::Ok;
  }
  return m_files->WriteAtomically(m_path, document.Serialize());
}

namespace {

// Read, change, write back. A file that exists but cannot be read is left
// alone rather than replaced by a document holding only the new value, and a
// file that is not INI text is not written into.
template <typename Change>
FileStatus Edit(const SettingsStore& store, FileSystem& files, Change change) {
  const FileRead read = files.ReadAll(store.Path());
  if (!read.ok() && read.status != FileStatus::NotFound) return read.status;
  IniDocument document = read.ok() ? IniDocument::Parse(read.bytes) : IniDocument();
  if (read.ok() && CheckIniContents(read.bytes, document).kind == ContentsKind::NotUnderstood) {
    return FileStatus::NotUnderstood;
  }
  if (!change(document)) return FileStatus::Failed;
  return store.Save(document);
}

}  // namespace

FileStatus SettingsStore::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  return Edit(*this, *m_files, [&](IniDocument& document) { return document.WriteString(section, key, value); });
}

FileStatus SettingsStore::WriteInt(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  return Edit(*this, *m_files, [&](IniDocument& document) { return document.WriteInt(section, key, value); });
}

FileStatus SettingsStore::WriteStruct(std::u16string_view section, std::u16string_view key, const void* bytes,
                                std::size_t size) {
  return Edit(*this, *m_files, [&](IniDocument& document) { return document.WriteStruct(section, key, bytes, size); });
}

std::int32_t SettingsStore::ReadInt(std::u16string_view section, std::u16string_view key,
                                    std::int32_t defaultValue) const {
  return Load().ReadInt(section, key, defaultValue);
}

std::u16string SettingsStore::ReadString(std::u16string_view section, std::u16string_view key,
                                         std::u16string_view defaultValue) const {
  return Load().ReadString(section, key, defaultValue, kStringBufferSize);
}

bool SettingsStore::ReadStruct(std::u16string_view section, std::u16string_view key, void* buffer,
                               std::size_t size) const {
  return Load().ReadStruct(section, key, buffer, size);
}

}  // namespace perix
