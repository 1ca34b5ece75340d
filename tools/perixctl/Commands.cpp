#include "Commands.h"

#include <cstdio>
#include <iostream>
#include <memory>

#include "Describe.h"
#include "app/ServiceLink.h"
#include "buttons/KeyNames.h"
#include "config/KeyUsageTable.h"
#include "macros/MacroListing.h"
#include "skin/StringTable.h"
#include "store/MacroFile.h"
#include "store/SettingsStore.h"
#include "config/Defaults.h"
#include "config/DeviceConfig.h"
#include "store/ConfigSession.h"
#include "store/DataFolder.h"
#include "store/ProfileFile.h"
#include "text/Utf16.h"

namespace perixctl {
namespace {

using namespace perix;

constexpr int kExitFailure = 1;

int Fail(const std::string& message) {
  std::cerr << "perixctl: " << message << "\n";
  return kExitFailure;
}

// A key stored as a HID usage, by the name the key dialog gives it.
std::string UsageName(std::uint8_t usage) {
  std::uint8_t virtualKey = 0;
  if (!VirtualKeyFromUsage(usage, virtualKey)) return {};
  return Utf16ToUtf8(KeyCaptionOf(virtualKey));
}

// Reads and validates a settings or profile file; reports why it cannot.
struct Loaded {
  std::unique_ptr<DeviceConfig> config = std::make_unique<DeviceConfig>();
  std::vector<Repair> repairs;
};

bool LoadValidated(const std::string& file, Loaded& loaded, std::string& error) {
  auto scratch = std::make_unique<DeviceConfig>();
  const ProfileFileStatus status = ReadProfileFile(Utf8ToUtf16(file), *scratch, -1);
  if (status != ProfileFileStatus::Ok) {
    error = file + ": " + ProfileFileStatusText(status);
    return false;
  }
  ResetToUnset(*loaded.config);
  ValidateConfig(*loaded.config, *scratch, &loaded.repairs);
  return true;
}

// A file we are about to write must be absent or already one of ours.
bool CheckWritableTarget(const std::string& file, std::string& error) {
  const std::u16string path = Utf8ToUtf16(file);
  if (!DefaultFileSystem().Exists(path)) return true;
  auto probe = std::make_unique<DeviceConfig>();
  const ProfileFileStatus status = ReadProfileFile(path, *probe, -1);
  if (status == ProfileFileStatus::Ok) return true;
  error = file + ": " + ProfileFileStatusText(status) + "; not overwriting it";
  return false;
}

}  // namespace

int Show(const Options& options) {
  Loaded loaded;
  std::string error;
  if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  const auto model = DescribeConfig(*loaded.config, UsageName);
  if (options.json) {
    std::cout << model.dump(2) << "\n";
  } else {
    std::cout << options.file << "\n\n" << RenderConfigText(model);
  }
  return 0;
}

int Validate(const Options& options) {
  Loaded loaded;
  std::string error;
  if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  const auto repairs = DescribeRepairs(loaded.repairs);
  if (options.json) {
    std::cout << repairs.dump(2) << "\n";
  } else {
    std::cout << options.file << ": " << RenderRepairsText(repairs);
  }
  return 0;
}

int Export(const Options& options) {
  Loaded loaded;
  std::string error;
  if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  if (!CheckWritableTarget(options.destination, error)) return Fail(error);
  const ProfileFileStatus status = ExportProfile(*loaded.config, Utf8ToUtf16(options.destination));
  if (status != ProfileFileStatus::Ok) return Fail(options.destination + ": " + ProfileFileStatusText(status));
  std::cout << "Exported " << options.file << " to " << options.destination << "\n";
  return 0;
}

int Import(const Options& options) {
  std::string error;
  if (!CheckWritableTarget(options.destination, error)) return Fail(error);
  DataPaths paths;
  paths.settingsFile = Utf8ToUtf16(options.destination);
  ConfigSession session(paths, DefaultServiceLink());
  const ProfileFileStatus status = ImportProfile(session, Utf8ToUtf16(options.file));
  if (status == ProfileFileStatus::WriteFailed) {
    return Fail(options.destination + ": " + ProfileFileStatusText(status));
  }
  if (status != ProfileFileStatus::Ok) return Fail(options.file + ": " + ProfileFileStatusText(status));
  std::cout << "Imported " << options.file << " into " << options.destination << "\n";
  return 0;
}

int Reset(const Options& options) {
  std::string error;
  const std::u16string path = Utf8ToUtf16(options.file);
  Loaded loaded;
  if (DefaultFileSystem().Exists(path)) {
    if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  } else {
    auto empty = std::make_unique<DeviceConfig>();
    ResetToUnset(*empty);
    ValidateConfig(*loaded.config, *empty);
  }
  // As the utility's reset button does: profile 1 active, every profile factory-new.
  loaded.config->Profile = 0;
  for (int profile = 0; profile < kProfileCount; ++profile) ResetProfileToDefaults(*loaded.config, profile);
  const ProfileFileStatus status = ExportProfile(*loaded.config, path);
  if (status != ProfileFileStatus::Ok) return Fail(options.file + ": " + ProfileFileStatusText(status));
  std::cout << "Reset all profiles of " << options.file << "\n";
  return 0;
}

int ShowMacro(const Options& options) {
  const std::u16string path = Utf8ToUtf16(options.file);
  const FileRead read = DefaultFileSystem().ReadAll(path);
  if (!read.ok()) return Fail(options.file + ": " + FileStatusText(read.status));
  if (!options.strings.empty()) {
    const std::u16string strings = Utf8ToUtf16(options.strings);
    if (!DefaultFileSystem().Exists(strings)) return Fail(options.strings + ": " + FileStatusText(FileStatus::NotFound));
    SetStringFile(strings);
  }
  const MacroFileContents macro = LoadMacroFile(path);
  if (!macro.BlobRead) return Fail(options.file + ": not a macro file (it holds no readable MacroSetting_0)");
  const int loop = ReadLoopTime(path, 0);
  const auto lines = ListMacroRecords(macro.Buffer);
  const auto model = DescribeMacro(macro.Buffer, lines, loop);
  if (options.json) {
    std::cout << model.dump(2) << "\n";
  } else {
    std::cout << options.file << "\n" << RenderMacroText(model);
  }
  return 0;
}

}  // namespace perixctl
