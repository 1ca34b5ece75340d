#include "macros/MacroLibrary.h"

#include <array>

#include "store/IniDocument.h"
#include "store/SettingsStore.h"
#include "text/Utf16.h"

namespace perix {
namespace {

constexpr char16_t kSection[] = u"MACRO_LIST";

std::array<std::u16string, kMacroLibrarySlots> ReadSlots(const SettingsStore& store) {
  const IniDocument document = store.Load();
  std::array<std::u16string, kMacroLibrarySlots> slots;
  for (int slot = 0; slot < kMacroLibrarySlots; ++slot) {
    slots[slot] = document.ReadString(kSection, DecimalText(slot), u"", SettingsStore::kStringBufferSize);
  }
  return slots;
}

}  // namespace

MacroLibrary::MacroLibrary(std::u16string settingsFile, FileSystem& files)
    : m_settingsFile(std::move(settingsFile)), m_files(&files) {}

int MacroLibrary::LoadMacroLibrary() {
  m_names.clear();
  for (std::u16string& name : ReadSlots(SettingsStore{m_settingsFile, *m_files})) {
    if (!name.empty()) m_names.push_back(std::move(name));
  }
  return Count();
}

bool MacroLibrary::AddMacroToLibrary(std::u16string_view name) {
  SettingsStore store{m_settingsFile, *m_files};
  const auto slots = ReadSlots(store);
  for (int slot = 0; slot < kMacroLibrarySlots; ++slot) {
    if (slots[slot].empty()) return store.WriteString(kSection, DecimalText(slot), name);
  }
  return false;
}

void MacroLibrary::RemoveMacroFromLibrary(std::u16string_view name) {
  SettingsStore store{m_settingsFile, *m_files};
  const auto slots = ReadSlots(store);
  for (int slot = 0; slot < kMacroLibrarySlots; ++slot) {
    if (slots[slot] == name) {
      store.WriteString(kSection, DecimalText(slot), u"");
      break;
    }
  }
  LoadMacroLibrary();
}

int MacroLibrary::FindMacroSlot(std::u16string_view name) const {
  const auto slots = ReadSlots(SettingsStore{m_settingsFile, *m_files});
  for (int slot = 0; slot < kMacroLibrarySlots; ++slot) {
    if (slots[slot] == name) return slot;
  }
  return -1;
}

}  // namespace perix
