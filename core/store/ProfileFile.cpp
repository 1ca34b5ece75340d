#include "store/ProfileFile.h"

#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/IniDocument.h"
#include "store/MacroFile.h"
#include "store/SettingsStore.h"
#include "text/FilePath.h"

namespace perix {
namespace {

ProfileFileStatus FromFileStatus(FileStatus status) {
  switch (status) {
    case FileStatus::Ok: return ProfileFileStatus::Ok;
    case FileStatus::NotFound: return ProfileFileStatus::NotFound;
    case FileStatus::AccessDenied: return ProfileFileStatus::AccessDenied;
    default: break;
  }
  return ProfileFileStatus::Unreadable;
}

// Binary files hold zero characters; text never does.
bool LooksLikeText(std::string_view bytes, IniEncoding encoding) {
  if (encoding == IniEncoding::Utf16LE || encoding == IniEncoding::Utf16BE) {
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      if (bytes[i] == '\0' && bytes[i + 1] == '\0') return false;
    }
    return true;
  }
  return bytes.find('\0') == std::string_view::npos;
}

bool HasProfileSections(const IniDocument& document) {
  if (document.HasSection(u"Setting")) return true;
  for (int index = 0; index < kProfileCount; ++index) {
    if (document.HasSection(ProfileSectionName(index))) return true;
  }
  return false;
}

}  // namespace

const char* ProfileFileStatusText(ProfileFileStatus status) {
  switch (status) {
    case ProfileFileStatus::Ok: return "ok";
    case ProfileFileStatus::NotFound: return "no such file";
    case ProfileFileStatus::AccessDenied: return "access denied";
    case ProfileFileStatus::Unreadable: return "the file cannot be read";
    case ProfileFileStatus::NotAProfileFile:
      return "not a profile or settings file (it has no [Setting] and no [GROUP] section)";
    case ProfileFileStatus::WriteFailed: return "the file could not be written";
  }
  return "failed";
}

ProfileFileStatus ReadProfileFile(std::u16string_view path, DeviceConfig& loaded, int profileOverride,
                                  FileSystem& files) {
  const FileRead read = files.ReadAll(path);
  if (!read.ok()) return FromFileStatus(read.status);
  const IniDocument document = IniDocument::Parse(read.bytes);
  if (!LooksLikeText(read.bytes, document.Encoding()) || !HasProfileSections(document)) {
    return ProfileFileStatus::NotAProfileFile;
  }
  ResetToUnset(loaded);
  ReadConfig(document, loaded, profileOverride);
  return ProfileFileStatus::Ok;
}

ProfileFileStatus ExportProfile(const DeviceConfig& config, std::u16string_view path, FileSystem& files) {
  return SaveConfig(config, path, files) == FileStatus::Ok ? ProfileFileStatus::Ok : ProfileFileStatus::WriteFailed;
}

ProfileFileStatus ImportProfile(ConfigSession& session, std::u16string_view path) {
  // Read into a copy first: a file that turns out not to be a profile file
  // must leave the scratch copy, the live copy and the settings file alone.
  auto incoming = std::make_unique<DeviceConfig>(session.Scratch());
  const ProfileFileStatus status = ReadProfileFile(path, *incoming, 0, session.Files());
  if (status != ProfileFileStatus::Ok) return status;
  session.Scratch() = *incoming;
  ValidateConfig(session.Live(), session.Scratch());
  const bool applied = session.ApplyConfiguration() == FileStatus::Ok;
  SettingsStore settings{session.Paths().settingsFile, session.Files()};
  const bool named = settings.WriteString(u"Setting", u"ProfileName", FileTitleOf(path));
  return applied && named ? ProfileFileStatus::Ok : ProfileFileStatus::WriteFailed;
}

}  // namespace perix
