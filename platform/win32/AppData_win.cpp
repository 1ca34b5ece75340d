#include <windows.h>
#include <shlobj.h>

#include "Wide.h"
#include "platform/AppData.h"

namespace perix {

std::optional<std::u16string> RoamingAppDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return std::nullopt;
  }
  return FromWide(folder);
}

}  // namespace perix
