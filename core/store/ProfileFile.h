#pragma once
// Profile files (".prof"): the whole configuration, all five profiles and the
// global settings, in the layout of "Mouse.ini", exported and imported by the
// user.

#include <string>
#include <string_view>

#include "config/DeviceConfig.h"
#include "platform/FileSystem.h"
#include "store/ConfigSession.h"

namespace perix {

enum class ProfileFileStatus {
  Ok,
  NotFound,
  AccessDenied,
  Unreadable,
  NotAProfileFile,  // no "Setting" and no "GROUP" section, or not text
  WriteFailed,
};
const char* ProfileFileStatusText(ProfileFileStatus status);

// Reads a settings or profile file into `loaded` without writing anything:
// the record is reset to the not-loaded state, then filled from the file. It
// is not validated. A file that is not a profile file leaves `loaded` alone.
ProfileFileStatus ReadProfileFile(std::u16string_view path, DeviceConfig& loaded, int profileOverride,
                                  FileSystem& files = DefaultFileSystem());

// Writes the configuration to a profile file; keys of an existing file that
// the layout does not own stay.
ProfileFileStatus ExportProfile(const DeviceConfig& config, std::u16string_view path,
                                FileSystem& files = DefaultFileSystem());

// Replaces the session's live configuration with the file's and applies it:
// the settings file is rewritten, the service told (1279), and "ProfileName"
// set to the file's title. The first profile becomes the active one. The
// chosen file is only read, never written, and a file that is not a profile
// file changes nothing.
ProfileFileStatus ImportProfile(ConfigSession& session, std::u16string_view path);

}  // namespace perix
