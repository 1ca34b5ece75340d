#pragma once
// The macro library: the ordered names of up to 20 macros, kept in section
// "MACRO_LIST" of "Mouse.ini" under the keys "0".."19". Slots are not kept
// packed; a library index counts only the occupied slots, in slot order.

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace perix {

inline constexpr int kMacroLibrarySlots = 20;

class MacroLibrary {
 public:
  MacroLibrary(std::u16string settingsFile, FileSystem& files = DefaultFileSystem());

  // Re-reads the 20 slots; returns the number of macros.
  int LoadMacroLibrary();
  // Writes the name into the first empty slot; false when all are taken.
  bool AddMacroToLibrary(std::u16string_view name);
  // Empties the first slot holding exactly this name, then reloads.
  void RemoveMacroFromLibrary(std::u16string_view name);
  // The slot (0..19) of the first slot holding the name, or -1.
  int FindMacroSlot(std::u16string_view name) const;

  const std::vector<std::u16string>& Names() const { return m_names; }
  int Count() const { return static_cast<int>(m_names.size()); }
  bool Empty() const { return m_names.empty(); }
  bool Full() const { return Count() >= kMacroLibrarySlots; }

 private:
  std::u16string m_settingsFile;
  FileSystem* m_files;  // not owned
  std::vector<std::u16string> m_names;
};

}  // namespace perix
