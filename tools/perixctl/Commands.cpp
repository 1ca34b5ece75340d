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
#include "store/ConfigLayout.h"
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

// A file named on the command line. Outside Windows a file name is bytes,
// which need not be UTF-8: they pass through unchanged.
std::u16string PathOf(const std::string& argument) {
#ifdef _WIN32
  return Utf8ToUtf16(argument);
#else
  return Utf16FromNativeName(argument);
#endif
}

// Why a file was not read, for the message naming it.
std::string ReadFailure(const FileOutcome& outcome) {
  if (outcome.status == FileStatus::NotUnderstood) {
    return "not a profile or settings file: " + Utf16ToUtf8(outcome.Reason());
  }
  return Utf16ToUtf8(outcome.Reason());
}

// Reads and validates a settings or profile file; reports why it cannot.
struct Loaded {
  std::unique_ptr<DeviceConfig> config = std::make_unique<DeviceConfig>();
  std::vector<Repair> repairs;
  std::vector<UnreadKey> unread;
};

bool LoadValidated(const std::string& file, Loaded& loaded, std::string& error) {
  auto scratch = std::make_unique<DeviceConfig>();
  const FileOutcome read = ReadProfileFile(PathOf(file), *scratch, -1, DefaultFileSystem(), &loaded.unread);
  if (!read.ok()) {
    error = file + ": " + ReadFailure(read);
    return false;
  }
  ResetToUnset(*loaded.config);
  ValidateConfig(*loaded.config, *scratch, &loaded.repairs);
  return true;
}

// Why a file could not be written, for the message naming it. A file that is
// not a settings file says what it is instead.
std::string WriteFailure(const std::string& file, FileStatus status) {
  if (status == FileStatus::NotUnderstood) {
    return file + ": " + ReadFailure(ReadSettingsFile(PathOf(file)).outcome) + "; not overwriting it";
  }
  return file + ": " + FileStatusText(status);
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
  const auto report = DescribeValidation(*loaded.config, loaded.unread, loaded.repairs, UsageName);
  if (options.json) {
    std::cout << report.dump(2) << "\n";
  } else {
    std::cout << options.file << ": " << RenderValidationText(report);
  }
  return 0;
}

int Export(const Options& options) {
  Loaded loaded;
  std::string error;
  if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  const FileStatus status = ExportProfile(*loaded.config, PathOf(options.destination));
  if (status != FileStatus::Ok) return Fail(WriteFailure(options.destination, status));
  std::cout << "Exported " << options.file << " to " << options.destination << "\n";
  return 0;
}

int Import(const Options& options) {
  DataPaths paths;
  paths.settingsFile = PathOf(options.destination);
  ConfigSession session(paths, DefaultServiceLink());
  const FileOutcome outcome = ImportProfile(session, PathOf(options.file));
  if (outcome.action == FileAction::Save && !outcome.ok()) {
    return Fail(WriteFailure(options.destination, outcome.status));
  }
  if (!outcome.ok()) return Fail(options.file + ": " + ReadFailure(outcome));
  std::cout << "Imported " << options.file << " into " << options.destination << "\n";
  return 0;
}

int Reset(const Options& options) {
  const std::u16string path = PathOf(options.file);
  Loaded loaded;
  const SettingsFile existing = ReadSettingsFile(path);
  if (existing.outcome.ok()) {
    std::string error;
    if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  } else if (existing.outcome.status == FileStatus::NotFound || existing.kind == ContentsKind::Empty) {
    auto empty = std::make_unique<DeviceConfig>();
    ResetToUnset(*empty);
    ValidateConfig(*loaded.config, *empty);
  } else {
    return Fail(options.file + ": " + ReadFailure(existing.outcome) + "; not overwriting it");
  }
  // As the utility's reset button does: profile 1 active, every profile factory-new.
  loaded.config->Profile = 0;
  for (int profile = 0; profile < kProfileCount; ++profile) ResetProfileToDefaults(*loaded.config, profile);
  const FileStatus status = ExportProfile(*loaded.config, path);
  if (status != FileStatus::Ok) return Fail(WriteFailure(options.file, status));
  std::cout << "Reset all profiles of " << options.file << "\n";
  return 0;
}

int ShowMacro(const Options& options) {
  const std::u16string path = PathOf(options.file);
  const FileRead read = DefaultFileSystem().ReadAll(path);
  if (!read.ok()) return Fail(options.file + ": " + FileStatusText(read.status));
  if (!options.strings.empty()) {
    const std::u16string strings = PathOf(options.strings);
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
