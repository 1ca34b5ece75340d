#pragma once
// The string file, "Strings.xml" in the program folder: every word the
// program shows. Its root element is named after a section and holds one
// element per string, directly or inside nested elements that repeat the
// section's name.

#include <string>
#include <string_view>

namespace perix {

class FileSystem;

inline constexpr std::u16string_view kStringFileName = u"Strings.xml";

// Names the string file GetText reads: set once at start to the program
// folder plus kStringFileName. `files` is where it is read from, the
// operating system's files when null (tests pass their own).
void SetStringFile(std::u16string_view path, FileSystem* files = nullptr);

// The string `key` of `section`; empty when the file is missing or not well
// formed, its root is not named `section`, or the key is absent or empty.
// The parsed file is kept and reused while its size and modification time
// stay the same, so a caption costs no parse; an edited file is read again.
std::u16string GetText(std::u16string_view section, std::u16string_view key);

}  // namespace perix
