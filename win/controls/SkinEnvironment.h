#pragma once
// Process-wide values every skinned control reads: the program folder (skin
// images are found under its "skins" folder) and the face name of the skin
// font. The program sets both once at start-up.

#include <string>
#include <string_view>

namespace perix::win {

// The folder with a trailing backslash. Until it is set it is the folder of
// the running executable.
void SetProgramFolder(std::wstring_view folder);
const std::wstring& ProgramFolder();

// An empty face name gives the system's default face.
void SetSkinFaceName(std::wstring_view faceName);
const std::wstring& SkinFaceName();

// `path` as given when it is absolute, otherwise under the program folder.
std::wstring ResolveProgramPath(std::wstring_view path);

}  // namespace perix::win
