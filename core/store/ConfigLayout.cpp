#include "store/ConfigLayout.h"

#include <cstddef>
#include <cstring>
#include <iterator>

#include "store/SettingsStore.h"
#include "store/SettingsText.h"
#include "text/Utf16.h"

namespace perix {
namespace {

constexpr std::u16string_view kSetting = u"Setting";

// One key of a layout: an integer field or a blob copied byte for byte.
struct LayoutKey {
  std::u16string_view key;
  std::size_t offset;         // of the field in its record
  std::size_t size;           // 4 for an integer, else the blob's size
  bool blob;
  std::int32_t defaultValue;  // what a missing integer key reads as
};

constexpr LayoutKey Int(std::u16string_view key, std::size_t offset, std::int32_t defaultValue = kNotLoaded) {
  return {key, offset, 4, false, defaultValue};
}
constexpr LayoutKey Blob(std::u16string_view key, std::size_t offset, std::size_t size) {
  return {key, offset, size, true, 0};
}

constexpr std::size_t kDpiStages = offsetof(DeviceConfig, DpiStages);
constexpr std::size_t kLedModes = offsetof(DeviceConfig, LedModeSettings);
constexpr std::size_t kDpiSize = sizeof(DpiStage);
constexpr std::size_t kLedSize = sizeof(LedModeSetting);

// Section "Setting" in the order the keys are written. The file is read
// whole before any key is looked up, so the order of reading is immaterial.
constexpr LayoutKey kSettingKeys[] = {
    Int(u"Profile", offsetof(DeviceConfig, Profile)),
    Int(u"TrayEnabled", offsetof(DeviceConfig, TrayEnabled)),
    Int(u"MouseButtons", offsetof(DeviceConfig, MouseButtons)),
    Int(u"PollingRate", offsetof(DeviceConfig, PollingRate)),
    Int(u"LeftCount", offsetof(DeviceConfig, LeftCount), 0),
    Int(u"RightCount", offsetof(DeviceConfig, RightCount), 0),
    Int(u"WheelScrollLines", offsetof(DeviceConfig, WheelScrollLines)),
    Int(u"MouseSensitivity", offsetof(DeviceConfig, MouseSensitivity)),
    Int(u"DoubleClickSpeed", offsetof(DeviceConfig, DoubleClickSpeed)),
    Int(u"AccelerationEnabled", offsetof(DeviceConfig, AccelerationEnabled)),
    Int(u"Acceleration", offsetof(DeviceConfig, Acceleration)),
    Int(u"UniversalScrollEnabled", offsetof(DeviceConfig, UniversalScrollEnabled)),
    Blob(u"DPI_INFO1", kDpiStages + 0 * kDpiSize, kDpiSize),
    Blob(u"DPI_INFO2", kDpiStages + 1 * kDpiSize, kDpiSize),
    Blob(u"DPI_INFO3", kDpiStages + 2 * kDpiSize, kDpiSize),
    Blob(u"DPI_INFO4", kDpiStages + 3 * kDpiSize, kDpiSize),
    Blob(u"LED_MODE_INFO1", kLedModes + 0 * kLedSize, kLedSize),
    Blob(u"LED_MODE_INFO2", kLedModes + 1 * kLedSize, kLedSize),
    Blob(u"LED_MODE_INFO3", kLedModes + 2 * kLedSize, kLedSize),
    Blob(u"LED_MODE_INFO4", kLedModes + 3 * kLedSize, kLedSize),
    Blob(u"LED_MODE_INFO5", kLedModes + 4 * kLedSize, kLedSize),
    Blob(u"LED_MODE_INFO6", kLedModes + 5 * kLedSize, kLedSize),
    Int(u"DPI", offsetof(DeviceConfig, DPI)),
    Int(u"LedStateOn", offsetof(DeviceConfig, LedStateOn)),
    Int(u"LedColor", offsetof(DeviceConfig, LedColor)),
    Int(u"LedMode", offsetof(DeviceConfig, LedMode)),
};

constexpr std::size_t kButtons = offsetof(ProfileConfig, ButtonAssigned);
constexpr std::size_t kButtonSize = sizeof(ButtonAssignment);

// A profile section in write order. "Name" and "Exe" are only read.
constexpr LayoutKey kProfileKeys[] = {
    Int(u"DPI", offsetof(ProfileConfig, DPI)),
    Blob(u"ButtonAssigned1", kButtons + 0 * kButtonSize, kButtonSize),
    Blob(u"ButtonAssigned2", kButtons + 1 * kButtonSize, kButtonSize),
    Blob(u"ButtonAssigned3", kButtons + 2 * kButtonSize, kButtonSize),
    Blob(u"ButtonAssigned4", kButtons + 3 * kButtonSize, kButtonSize),
    Blob(u"ButtonAssigned5", kButtons + 4 * kButtonSize, kButtonSize),
    Blob(u"ButtonAssigned6", kButtons + 5 * kButtonSize, kButtonSize),
    Blob(u"ButtonAssigned7", kButtons + 6 * kButtonSize, kButtonSize),
    Blob(u"ButtonAssigned8", kButtons + 7 * kButtonSize, kButtonSize),
};

// Field access by offset keeps one table for load and save; the records are
// standard-layout and the fields are plain bytes (int32, uint32, blobs).
void WriteKeys(IniDocument& document, std::u16string_view section, const void* record,
               const LayoutKey* keys, std::size_t count) {
  const auto* base = static_cast<const unsigned char*>(record);
  for (std::size_t i = 0; i < count; ++i) {
    const LayoutKey& key = keys[i];
    if (key.blob) {
      document.WriteStruct(section, key.key, base + key.offset, key.size);
    } else {
      std::int32_t value = 0;
      std::memcpy(&value, base + key.offset, sizeof value);
      document.WriteInt(section, key.key, value);
    }
  }
}

// Why a stored blob value is refused by the structure reader, in words.
std::u16string BlobProblem(std::u16string_view text, std::size_t size) {
  const std::size_t expected = 2 * size + 2;
  if (text.size() != expected) {
    return DecimalText(static_cast<std::int64_t>(text.size())) + u" hexadecimal digits where " +
           DecimalText(static_cast<std::int64_t>(expected)) + u" are expected";
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool hex = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    if (!hex) {
      return u"character " + DecimalText(static_cast<std::int64_t>(i + 1)) + u" is not a hexadecimal digit";
    }
  }
  return u"the checksum does not match the data";
}

void ReadKey(const IniDocument& document, std::u16string_view section, void* record, const LayoutKey& key,
             std::vector<UnreadKey>* unread) {
  auto* field = static_cast<unsigned char*>(record) + key.offset;
  if (key.blob) {
    // A blob that is missing or damaged leaves the field as it was.
    if (document.ReadStruct(section, key.key, field, key.size) || unread == nullptr) return;
    const auto value = document.Value(section, key.key);
    unread->push_back({std::u16string(section), std::u16string(key.key),
                       value ? BlobProblem(*value, key.size) : u"missing"});
  } else {
    const std::int32_t value = document.ReadInt(section, key.key, key.defaultValue);
    std::memcpy(field, &value, sizeof value);
    if (unread == nullptr) return;
    const std::u16string text = document.ReadString(section, key.key, {}, kIniIntBufferSize);
    if (!document.Value(section, key.key)) {
      unread->push_back({std::u16string(section), std::u16string(key.key), u"missing"});
    } else if (text.empty()) {
      unread->push_back({std::u16string(section), std::u16string(key.key), u"empty"});
    } else if (value == 0 && text.find_first_of(u"0") == std::u16string::npos) {
      unread->push_back({std::u16string(section), std::u16string(key.key), u"\"" + text + u"\" is not a number"});
    }
  }
}

void WriteProfile(IniDocument& document, const ProfileConfig& profile, int index) {
  WriteKeys(document, ProfileSectionName(index), &profile, kProfileKeys, std::size(kProfileKeys));
}

void ReadProfile(const IniDocument& document, ProfileConfig& profile, int index, std::vector<UnreadKey>* unread) {
  const std::u16string section = ProfileSectionName(index);
  CopyToFixed(profile.Name, document.ReadString(section, u"Name", {}, SettingsStore::kStringBufferSize));
  CopyToFixed(profile.Exe, document.ReadString(section, u"Exe", {}, SettingsStore::kStringBufferSize));
  for (const LayoutKey& key : kProfileKeys) ReadKey(document, section, &profile, key, unread);
}

// Loads the document a save will change: the file's, or an empty one when
// there is no file or nothing in it. A file that cannot be read or is not a
// settings file is never replaced: that would lose whatever it holds.
FileStatus LoadForEdit(std::u16string_view path, FileSystem& files, IniDocument& document) {
  SettingsFile file = ReadSettingsFile(path, files);
  document = std::move(file.document);
  if (file.outcome.status == FileStatus::NotFound) return FileStatus::Ok;
  if (file.kind == ContentsKind::Empty) return FileStatus::Ok;
  return file.outcome.status;
}

}  // namespace

void WriteConfig(IniDocument& document, const DeviceConfig& config) {
  WriteKeys(document, kSetting, &config, kSettingKeys, std::size(kSettingKeys));
  for (int index = 0; index < kProfileCount; ++index) WriteProfile(document, config.Profiles[index], index);
}

void ReadConfig(const IniDocument& document, DeviceConfig& config, int profileOverride,
                std::vector<UnreadKey>* unread) {
  for (const LayoutKey& key : kSettingKeys) {
    if (key.key == u"Profile") {
      const std::int32_t profile =
          profileOverride != -1 ? profileOverride : document.ReadInt(kSetting, key.key, key.defaultValue);
      config.Profile = profile == -1 ? 0 : profile;
      continue;
    }
    ReadKey(document, kSetting, &config, key, unread);
  }
  for (int index = 0; index < kProfileCount; ++index) ReadProfile(document, config.Profiles[index], index, unread);
}

std::optional<std::int32_t> LayoutIntValue(const DeviceConfig& config, std::u16string_view section,
                                           std::u16string_view key) {
  const auto find = [&](const auto& keys, const void* record) -> std::optional<std::int32_t> {
    for (const LayoutKey& each : keys) {
      if (each.blob || !IniNamesEqual(each.key, key)) continue;
      std::int32_t value = 0;
      std::memcpy(&value, static_cast<const unsigned char*>(record) + each.offset, sizeof value);
      return value;
    }
    return std::nullopt;
  };
  if (IniNamesEqual(section, kSetting)) return find(kSettingKeys, &config);
  for (int index = 0; index < kProfileCount; ++index) {
    if (IniNamesEqual(section, ProfileSectionName(index))) return find(kProfileKeys, &config.Profiles[index]);
  }
  return std::nullopt;
}

std::u16string ProfileSectionName(int index) {
  if (index < 1) return u"GROUP";
  return u"GROUP" + DecimalText(index);
}

SettingsFile ReadSettingsFile(std::u16string_view path, FileSystem& files) {
  SettingsFile file;
  file.outcome.path = std::u16string(path);
  const FileRead read = files.ReadAll(path);
  file.outcome.status = read.status;
  if (!read.ok()) return file;
  file.document = IniDocument::Parse(read.bytes);
  const ContentsCheck check = CheckSettingsContents(read.bytes, file.document);
  file.kind = check.kind;
  if (check.kind != ContentsKind::Understood) {
    file.outcome.status = FileStatus::NotUnderstood;
    file.outcome.detail = check.reason;
  }
  return file;
}

FileStatus SaveConfig(const DeviceConfig& config, std::u16string_view path, FileSystem& files) {
  return SaveConfigWith(config, path, {}, files);
}

FileStatus SaveConfigWith(const DeviceConfig& config, std::u16string_view path,
                          const std::function<bool(IniDocument&)>& alsoWrite, FileSystem& files) {
  IniDocument document;
  if (const FileStatus read = LoadForEdit(path, files, document); read != FileStatus::Ok) return read;
  WriteConfig(document, config);
  // A value the file's text cannot hold is a failure, not a silent loss.
  if (alsoWrite && !alsoWrite(document)) return FileStatus::Failed;
  return SettingsStore(std::u16string(path), files).Save(document);
}

FileOutcome LoadConfig(DeviceConfig& config, std::u16string_view path, int profileOverride, FileSystem& files) {
  SettingsFile file = ReadSettingsFile(path, files);
  const bool usable = file.outcome.ok() || file.outcome.status == FileStatus::NotFound ||
                      file.kind == ContentsKind::Empty;
  if (!usable) {
    // Read as a missing file would be, so the record is what a first start
    // gives; the file itself is not touched.
    ReadConfig(IniDocument(), config, profileOverride);
    file.outcome.action = FileAction::Read;
    return file.outcome;
  }
  ReadConfig(file.document, config, profileOverride);
  // The write-back normalises the file (missing keys appear with the values
  // just read) from the document already in memory: one read, one write. A
  // failed write-back leaves the file as it was, which reads the same.
  WriteConfig(file.document, config);
  FileOutcome outcome{SettingsStore(std::u16string(path), files).Save(file.document), FileAction::Save,
                      std::u16string(path)};
  return outcome;
}

FileStatus SaveProfile(const ProfileConfig& profile, int index, std::u16string_view path, FileSystem& files) {
  IniDocument document;
  if (const FileStatus read = LoadForEdit(path, files, document); read != FileStatus::Ok) return read;
  WriteProfile(document, profile, index);
  return SettingsStore(std::u16string(path), files).Save(document);
}

FileStatus LoadProfile(ProfileConfig& profile, int index, std::u16string_view path, FileSystem& files) {
  const SettingsFile file = ReadSettingsFile(path, files);
  ReadProfile(file.document, profile, index, nullptr);
  return file.outcome.status;
}

FileStatus LoadDpiStages(DeviceConfig& config, std::u16string_view path, FileSystem& files) {
  const SettingsFile file = ReadSettingsFile(path, files);
  for (const LayoutKey& key : kSettingKeys) {
    if (key.blob && key.offset >= kDpiStages && key.offset < kDpiStages + sizeof config.DpiStages) {
      ReadKey(file.document, kSetting, &config, key, nullptr);
    }
  }
  return file.outcome.status;
}

FileStatus SavePollingRate(std::int32_t value, std::u16string_view path, FileSystem& files) {
  IniDocument document;
  if (const FileStatus read = LoadForEdit(path, files, document); read != FileStatus::Ok) return read;
  document.WriteInt(kSetting, u"PollingRate", value);
  return SettingsStore(std::u16string(path), files).Save(document);
}

}  // namespace perix
