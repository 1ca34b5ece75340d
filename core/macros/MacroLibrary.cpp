#include "macros/MacroLibrary.h"

#include <array>

#include "store/IniDocument.h"
#include "store/SettingsStore.h"
#include "text/Utf16.h"

namespace perix {
namespace {

constexpr char16_t kSection[] = u"MACRO_LIST";

using Slots = std::array<std::u16string, kMacroLibrarySlots>;

Slots ReadSlots(const IniDocument& document) {
  Slots slots;
  for (int slot = 0; slot < kMacroLibrarySlots; ++slot) {
    slots[slot] = document.ReadString(kSection, DecimalText(slot), u"", SettingsStore::kStringBufferSize);
  }
  return slots;
}

char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  // The Latin-1 letters fold as Windows folds them in file names.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}

}  // namespace

bool SameMacroName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

MacroLibrary::MacroLibrary(std::u16string settingsFile, FileSystem& files)
    : m_settingsFile(std::move(settingsFile)), m_files(&files) {}

int MacroLibrary::LoadMacroLibrary() {
  m_names.clear();
  for (std::u16string& name : ReadSlots(SettingsStore{m_settingsFile, *m_files}.Load())) {
    if (!name.empty()) m_names.push_back(std::move(name));
  }
  return Count();
}

SlotWrite MacroLibrary::WriteSlot(std::u16string_view match, std::u16string_view value) {
  const SettingsStore store{m_settingsFile, *m_files};
  IniDocument document;
  SlotWrite result;
  // A file that exists but cannot be read is never replaced.
  if (const FileStatus read = store.Load(document); read != FileStatus::Ok && read != FileStatus::NotFound) {
    result.status = read;
    return result;
  }
  const Slots slots = ReadSlots(document);
  for (int slot = 0; slot < kMacroLibrarySlots; ++slot) {
    if (slots[slot] != match) continue;
    result.slot = slot;
    result.status = document.WriteString(kSection, DecimalText(slot), value) ? store.Save(document) : FileStatus::Failed;
    break;
  }
  return result;
}

SlotWrite MacroLibrary::AddMacroToLibrary(std::u16string_view name) { return WriteSlot(u"", name); }

SlotWrite MacroLibrary::RemoveMacroFromLibrary(std::u16string_view name) {
  SlotWrite result;
  if (!name.empty()) result = WriteSlot(name, u"");
  LoadMacroLibrary();
  return result;
}

SlotWrite MacroLibrary::RenameMacroInLibrary(std::u16string_view oldName, std::u16string_view newName) {
  SlotWrite result;
  if (!oldName.empty() && !newName.empty()) result = WriteSlot(oldName, newName);
  LoadMacroLibrary();
  return result;
}

int MacroLibrary::FindMacroSlot(std::u16string_view name) const {
  if (name.empty()) return -1;  // an empty slot holds no macro
  const Slots slots = ReadSlots(SettingsStore{m_settingsFile, *m_files}.Load());
  for (int slot = 0; slot < kMacroLibrarySlots; ++slot) {
    if (slots[slot] == name) return slot;
  }
  return -1;
}

std::optional<int> MacroLibrary::IndexOf(std::u16string_view name) const {
  for (std::size_t i = 0; i < m_names.size(); ++i) {
    if (m_names[i] == name) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<int> MacroLibrary::IndexOfSameName(std::u16string_view name) const {
  for (std::size_t i = 0; i < m_names.size(); ++i) {
    if (SameMacroName(m_names[i], name)) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace perix
