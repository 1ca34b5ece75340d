#pragma once
// The macro library: the ordered names of up to 20 macros, kept in section
// "MACRO_LIST" of "Mouse.ini" under the keys "0".."19". Slots are not kept
// packed; a library index counts only the occupied slots, in slot order.
// Button assignments store library indexes; the device service is told slot
// numbers.

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace perix {

inline constexpr int kMacroLibrarySlots = 20;

// Whether two macro names name the same file. Windows compares file names
// without regard to case, so "Macro 1" and "MACRO 1" are one macro.
bool SameMacroName(std::u16string_view a, std::u16string_view b);

// What a change of the list did: the slot it wrote (-1 when none, because
// the list is full or holds no such name) and how writing "Mouse.ini" went.
struct SlotWrite {
  int slot = -1;
  FileStatus status = FileStatus::Ok;
  bool Done() const { return slot >= 0 && status == FileStatus::Ok; }
};

class MacroLibrary {
 public:
  MacroLibrary(std::u16string settingsFile, FileSystem& files = DefaultFileSystem());

  // Re-reads the 20 slots; returns the number of macros.
  int LoadMacroLibrary();
  // Writes the name into the first empty slot. No check for duplicates:
  // callers refuse those first.
  SlotWrite AddMacroToLibrary(std::u16string_view name);
  // Empties the first slot holding exactly this name, then reloads.
  SlotWrite RemoveMacroFromLibrary(std::u16string_view name);
  // Writes the new name into the slot of the old one, so the library index
  // and the slot number the service knows stay the same; then reloads.
  SlotWrite RenameMacroInLibrary(std::u16string_view oldName, std::u16string_view newName);
  // The slot (0..19) of the first slot holding the name, or -1.
  int FindMacroSlot(std::u16string_view name) const;

  const std::vector<std::u16string>& Names() const { return m_names; }
  int Count() const { return static_cast<int>(m_names.size()); }
  bool Empty() const { return m_names.empty(); }
  bool Full() const { return Count() >= kMacroLibrarySlots; }
  // The library index of the name (exact), or nothing.
  std::optional<int> IndexOf(std::u16string_view name) const;
  // The library index of a name that names the same file (SameMacroName).
  std::optional<int> IndexOfSameName(std::u16string_view name) const;

 private:
  SlotWrite WriteSlot(std::u16string_view match, std::u16string_view value);

  std::u16string m_settingsFile;
  FileSystem* m_files;  // not owned
  std::vector<std::u16string> m_names;
};

}  // namespace perix
