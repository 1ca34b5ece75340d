#include "store/DataFolder.h"

#include "platform/AppData.h"

namespace perix {

DataPaths DataPathsUnder(std::u16string_view baseFolder) {
  std::u16string base(baseFolder);
  while (!base.empty() && (base.back() == u'\\' || base.back() == u'/')) base.pop_back();
  DataPaths paths;
  paths.folder = base + kDataSubfolder;
  paths.settingsFile = paths.folder + kSettingsFileName;
  paths.macroFolder = paths.folder + kMacroFolderName;
  return paths;
}

DataPaths ResolveDataFolder(std::u16string_view fallbackBase, FileSystem& files) {
  const std::optional<std::u16string> appData = RoamingAppDataFolder();
  DataPaths paths = DataPathsUnder(appData ? std::u16string_view(*appData) : fallbackBase);
  // An installer or the device service normally makes these; a first start
  // without them must still be able to save.
  files.MakeDirectories(paths.macroFolder);
  return paths;
}

}  // namespace perix
