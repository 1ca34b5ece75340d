// Macro files and the macro list as arbitrary bytes. A macro read from any
// file and saved again reads back the same; the library's slots take and give
// up a name without touching the other names.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroListing.h"
#include "store/MacroFile.h"
#include "store/MemoryFileSystem.h"
#include "store/SettingsStore.h"

namespace {

constexpr char16_t kMacro[] = u"C:\\data\\Macro\\Fuzz.macro";
constexpr char16_t kSettings[] = u"C:\\data\\Mouse.ini";

void MacroFile(perix::test::MemoryFileSystem& files) {
  const perix::MacroFileContents contents = perix::LoadMacroFile(kMacro, files);
  FUZZ_CHECK(contents.RecordCount >= 0 && contents.RecordCount <= perix::kMacroSlotCount);
  const std::vector<perix::ActionLine> lines = perix::ListMacroRecords(contents.Buffer);
  FUZZ_CHECK(static_cast<int>(lines.size()) == contents.RecordCount);
  (void)perix::TotalPauseMilliseconds(contents.Buffer);
  const int loop = perix::ReadLoopTime(kMacro, 0, files);

  if (perix::SaveMacroFile(kMacro, contents.Buffer, contents.RecordCount, loop, files) != perix::FileStatus::Ok) {
    return;
  }
  const perix::MacroFileContents back = perix::LoadMacroFile(kMacro, files);
  FUZZ_CHECK(back.BlobRead);
  FUZZ_CHECK(back.RecordCount == contents.RecordCount);
  FUZZ_CHECK(std::memcmp(&back.Buffer, &contents.Buffer, sizeof back.Buffer) == 0);
  FUZZ_CHECK(perix::ReadLoopTime(kMacro, 0, files) == loop);
  const perix::SettingsStore store{kMacro, files};
  FUZZ_CHECK(store.ReadInt(u"Setting", u"Count", -1) == contents.RecordCount);
  FUZZ_CHECK(store.ReadString(u"Setting", u"MacroFilePath") == kMacro);
}

void MacroList(perix::test::MemoryFileSystem& files, std::u16string_view name) {
  perix::MacroLibrary library(kSettings, files);
  const int count = library.LoadMacroLibrary();
  FUZZ_CHECK(count >= 0 && count <= perix::kMacroLibrarySlots && count == library.Count());
  const std::vector<std::u16string> before = library.Names();
  for (const std::u16string& existing : before) FUZZ_CHECK(!existing.empty());
  const perix::SlotWrite added = library.AddMacroToLibrary(name);
  if (!added.Done()) {
    // Only a full list refuses a name (the files in memory never fail).
    FUZZ_CHECK(count == perix::kMacroLibrarySlots || added.status != perix::FileStatus::Ok);
    return;
  }
  library.LoadMacroLibrary();
  const int slot = library.FindMacroSlot(name);
  FUZZ_CHECK(slot >= 0 && slot <= added.slot);
  FUZZ_CHECK(library.Count() == count + 1);
  library.RemoveMacroFromLibrary(name);
  library.LoadMacroLibrary();
  // Removing empties the first slot holding the name: the one added, unless
  // the list already had it in an earlier slot. Either way the same names
  // remain, in the same order.
  std::vector<std::u16string> after = library.Names();
  FUZZ_CHECK(after.size() == before.size());
  std::vector<std::u16string> sortedBefore = before, sortedAfter = after;
  std::sort(sortedBefore.begin(), sortedBefore.end());
  std::sort(sortedAfter.begin(), sortedAfter.end());
  FUZZ_CHECK(sortedBefore == sortedAfter);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  perix::test::MemoryFileSystem files;
  files.files[kMacro] = bytes;
  MacroFile(files);

  perix::test::MemoryFileSystem settings;
  settings.files[kSettings] = bytes;
  // A name from the input's first bytes, or a plain one.
  std::u16string name = perix::fuzz::Units(std::string_view(bytes).substr(0, std::min<std::size_t>(size, 16)));
  // The program adds only names that can be file names.
  if ((size > 0 && (data[0] & 1)) || perix::CheckMacroName(name) != perix::MacroNameProblem::None) name = u"Macro7";
  MacroList(settings, name);
  return 0;
}
