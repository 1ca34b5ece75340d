#include "store/ConfigLayout.h"

#include <cstddef>
#include <cstring>
#include <iterator>

#include "store/SettingsStore.h"
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

void ReadKey(const IniDocument& document, std::u16string_view section, void* record, const LayoutKey& key) {
  auto* field = static_cast<unsigned char*>(record) + key.offset;
  if (key.blob) {
    // A blob that is missing or damaged leaves the field as it was.
    document.ReadStruct(section, key.key, field, key.size);
  } else {
    const std::int32_t value = document.ReadInt(section, key.key, key.defaultValue);
    std::memcpy(field, &value, sizeof value);
  }
}

void WriteProfile(IniDocument& document, const ProfileConfig& profile, int index) {
  WriteKeys(document, ProfileSectionName(index), &profile, kProfileKeys, std::size(kProfileKeys));
}

void ReadProfile(const IniDocument& document, ProfileConfig& profile, int index) {
  const std::u16string section = ProfileSectionName(index);
  CopyToFixed(profile.Name, document.ReadString(section, u"Name", {}, SettingsStore::kStringBufferSize));
  CopyToFixed(profile.Exe, document.ReadString(section, u"Exe", {}, SettingsStore::kStringBufferSize));
  for (const LayoutKey& key : kProfileKeys) ReadKey(document, section, &profile, key);
}

// Loads the document a save will change. A file that exists but cannot be
// read is not replaced: that would lose whatever else it holds.
// A file that exists but cannot be read is never replaced: the status says
// why. A missing file is an empty document to start from.
FileStatus LoadForEdit(const SettingsStore& store, IniDocument& document) {
  const FileStatus status = store.Load(document);
  return status == FileStatus::NotFound ? FileStatus::Ok : status;
}

}  // namespace

void WriteConfig(IniDocument& document, const DeviceConfig& config) {
  WriteKeys(document, kSetting, &config, kSettingKeys, std::size(kSettingKeys));
  for (int index = 0; index < kProfileCount; ++index) WriteProfile(document, config.Profiles[index], index);
}

void ReadConfig(const IniDocument& document, DeviceConfig& config, int profileOverride) {
  for (const LayoutKey& key : kSettingKeys) {
    if (key.key == u"Profile") {
      const std::int32_t profile =
          profileOverride != -1 ? profileOverride : document.ReadInt(kSetting, key.key, key.defaultValue);
      config.Profile = profile == -1 ? 0 : profile;
      continue;
    }
    ReadKey(document, kSetting, &config, key);
  }
  for (int index = 0; index < kProfileCount; ++index) ReadProfile(document, config.Profiles[index], index);
}

std::u16string ProfileSectionName(int index) {
  if (index < 1) return u"GROUP";
  return u"GROUP" + DecimalText(index);
}

FileStatus SaveConfig(const DeviceConfig& config, std::u16string_view path, FileSystem& files) {
  const SettingsStore store{std::u16string(path), files};
  IniDocument document;
  if (const FileStatus read = LoadForEdit(store, document); read != FileStatus::Ok) return read;
  WriteConfig(document, config);
  return store.Save(document);
}

int LoadConfig(DeviceConfig& config, std::u16string_view path, int profileOverride, FileSystem& files) {
  const SettingsStore store{std::u16string(path), files};
  IniDocument document;
  const bool editable = LoadForEdit(store, document) == FileStatus::Ok;
  ReadConfig(document, config, profileOverride);
  // The write-back normalises the file (missing keys appear with the values
  // just read) from the document already in memory: one read, one write. A
  // failed write-back leaves the file as it was, which reads the same.
  if (editable) {
    WriteConfig(document, config);
    (void)store.Save(document);
  }
  return 1;
}

int SaveProfile(const ProfileConfig& profile, int index, std::u16string_view path, FileSystem& files) {
  const SettingsStore store{std::u16string(path), files};
  IniDocument document;
  if (LoadForEdit(store, document) == FileStatus::Ok) {
    WriteProfile(document, profile, index);
    (void)store.Save(document);
  }
  return 1;
}

int LoadProfile(ProfileConfig& profile, int index, std::u16string_view path, FileSystem& files) {
  const SettingsStore store{std::u16string(path), files};
  ReadProfile(store.Load(), profile, index);
  return 1;
}

int LoadDpiStages(DeviceConfig& config, std::u16string_view path, FileSystem& files) {
  const SettingsStore store{std::u16string(path), files};
  const IniDocument document = store.Load();
  for (const LayoutKey& key : kSettingKeys) {
    if (key.blob && key.offset >= kDpiStages && key.offset < kDpiStages + sizeof config.DpiStages) {
      ReadKey(document, kSetting, &config, key);
    }
  }
  return 1;
}

FileStatus SavePollingRate(std::int32_t value, std::u16string_view path, FileSystem& files) {
  const SettingsStore store{std::u16string(path), files};
  IniDocument document;
  if (const FileStatus read = LoadForEdit(store, document); read != FileStatus::Ok) return read;
  document.WriteInt(kSetting, u"PollingRate", value);
  return store.Save(document);
}

}  // namespace perix
