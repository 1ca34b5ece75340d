#pragma once
// Profile files (".prof"): the whole configuration, all five profiles and the
// global settings, in the layout of "Mouse.ini", exported and imported by the
// user.

#include <string>
#include <string_view>
#include <vector>

#include "config/DeviceConfig.h"
#include "platform/FileSystem.h"
#include "store/ConfigLayout.h"
#include "store/ConfigSession.h"
#include "store/FileProblem.h"

namespace perix {

// Reads a settings or profile file into `loaded` without writing anything:
// the record is reset to the not-loaded state, then filled from the file. It
// is not validated. A file that cannot be read, is empty or is not a settings
// file (CheckSettingsContents) leaves `loaded` alone; the outcome says why.
// `unread`, when given, receives the keys that were present but could not be
// read (see ConfigLayout.h).
FileOutcome ReadProfileFile(std::u16string_view path, DeviceConfig& loaded, int profileOverride,
                            FileSystem& files = DefaultFileSystem(), std::vector<UnreadKey>* unread = nullptr);

// Writes the configuration to a profile file; keys of an existing file that
// the layout does not own stay. A file that is not a settings file is not
// written over.
FileStatus ExportProfile(const DeviceConfig& config, std::u16string_view path,
                         FileSystem& files = DefaultFileSystem());

// Replaces the session's live configuration with the file's and applies it:
// the settings file is rewritten, with "ProfileName" set to the file's title
// in the same replace, and the service told (1279). The first profile becomes
// the active one. The chosen file is only read, never written, and a file
// that cannot be read or is not a profile file changes nothing (action Read).
// When the settings file cannot be written (action Save) the live copy holds
// the import and the session has told the user.
FileOutcome ImportProfile(ConfigSession& session, std::u16string_view path);

}  // namespace perix
