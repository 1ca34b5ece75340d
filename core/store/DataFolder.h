#pragma once
// Where the utility keeps its per-user data: "Mouse.ini" and the "Macro"
// folder, under the user's roaming application-data folder.

#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace perix {

inline constexpr char16_t kDataSubfolder[] = u"\\ZELT-7700 PERIX\\GamingMouse\\";
inline constexpr char16_t kSettingsFileName[] = u"Mouse.ini";
inline constexpr char16_t kMacroFolderName[] = u"Macro\\";

struct DataPaths {
  std::u16string folder;        // always ends with a backslash
  std::u16string settingsFile;  // folder + "Mouse.ini"
  std::u16string macroFolder;   // folder + "Macro\", ending with a backslash
};

// The paths under a base folder (the application-data folder).
DataPaths DataPathsUnder(std::u16string_view baseFolder);

// Resolves the data folder under the user's application-data folder and
// creates it and its "Macro" folder when missing. When the system names no
// application-data folder, `fallbackBase` (the program folder) is used
// instead, so the utility still works.
DataPaths ResolveDataFolder(std::u16string_view fallbackBase, FileSystem& files = DefaultFileSystem());

}  // namespace perix
