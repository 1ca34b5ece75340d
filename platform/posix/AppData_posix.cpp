#include <cstdlib>
#include <string>

#include "platform/AppData.h"
#include "platform/FileSystem.h"
#include "text/Utf16.h"

namespace perix {

// The XDG data folder stands for the roaming application-data folder.
std::optional<std::u16string> RoamingAppDataFolder() {
  std::string folder;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
    folder = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
    folder = std::string(home) + "/.local/share";
  } else {
    return std::nullopt;
  }
  std::u16string result = Utf8ToUtf16(folder);
  if (!DefaultFileSystem().MakeDirectories(result)) return std::nullopt;
  return result;
}

}  // namespace perix
