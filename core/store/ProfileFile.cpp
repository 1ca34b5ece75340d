#include "store/ProfileFile.h"

#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "text/FilePath.h"

namespace perix {

FileOutcome ReadProfileFile(std::u16string_view path, DeviceConfig& loaded, int profileOverride, FileSystem& files,
                            std::vector<UnreadKey>* unread) {
  const SettingsFile file = ReadSettingsFile(path, files);
  if (!file.outcome.ok()) return file.outcome;
  ResetToUnset(loaded);
  ReadConfig(file.document, loaded, profileOverride, unread);
  return file.outcome;
}

FileStatus ExportProfile(const DeviceConfig& config, std::u16string_view path, FileSystem& files) {
  return SaveConfig(config, path, files);
}

FileOutcome ImportProfile(ConfigSession& session, std::u16string_view path) {
  // Read into a copy first: a file that turns out not to be a profile file
  // must leave the scratch copy, the live copy and the settings file alone.
  auto incoming = std::make_unique<DeviceConfig>(session.Scratch());
  const FileOutcome read = ReadProfileFile(path, *incoming, 0, session.Files());
  if (!read.ok()) return read;
  session.Scratch() = *incoming;
  ValidateConfig(session.Live(), session.Scratch());
  const FileStatus saved = session.ApplyConfiguration(FileTitleOf(path));
  return {saved, FileAction::Save, session.Paths().settingsFile};
}

}  // namespace perix
